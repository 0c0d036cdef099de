#pragma once

#include <QProgressBar>

// A progress bar that shows the caller's text where a percentage would be. It
// starts busy: the detection progress has no known end.
class CustomProgressBar : public QProgressBar
{
    Q_OBJECT
public:
    explicit CustomProgressBar(QWidget* parent = nullptr);

    QString text() const override;

public slots:
    void setText(const QString& text);

private:
    QString m_text;
};
