#pragma once

#include <QInputDialog>
#include <functional>

// Asks for one whole number and takes it exactly as typed or not at all: a number
// outside the allowed range, or one the caller's check refuses, keeps the dialog
// open with the reason above the question, for another choice. The allowed range
// is said under the question.
class NumberDialog : public QInputDialog
{
    Q_OBJECT
public:
    // The question for the number chosen so far; why a number may not be taken,
    // or an empty text when it may.
    using Question = std::function<QString(int value)>;
    using Check = std::function<QString(int value)>;

    NumberDialog(QWidget* parent, int minimum, int maximum, int value);

    void setQuestion(Question question);
    void setCheck(Check check) { m_check = std::move(check); }
    void done(int result) override;

private:
    void showLabel();

    int m_minimum;
    int m_maximum;
    Question m_question;
    Check m_check;
    // Why the number last accepted was refused, until another is chosen.
    QString m_refusal;
};
