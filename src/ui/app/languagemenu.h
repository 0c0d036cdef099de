#pragma once

#include <QMenu>

class QActionGroup;

// The Settings menu's choice of the interface language: the system's, English or
// Russian. The choice is stored at once and takes effect at the next start, when
// every text of the window is made in the new language.
class LanguageMenu : public QMenu
{
    Q_OBJECT
public:
    explicit LanguageMenu(QWidget* parent = nullptr);

private:
    void addChoice(const QString& text, const QString& language);

    QActionGroup* m_choices;
};
