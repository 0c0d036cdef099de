#include "app/languagemenu.h"

#include "app/interfacelanguage.h"

#include <QActionGroup>

LanguageMenu::LanguageMenu(QWidget* parent)
    : QMenu(tr("Language"), parent)
    , m_choices(new QActionGroup(this))
{
    menuAction()->setStatusTip(tr("The language changes at the next start"));
    addChoice(tr("System language"), QString());
    addChoice(tr("English"), QStringLiteral("en"));
    addChoice(tr("Russian"), QStringLiteral("ru"));
}

void LanguageMenu::addChoice(const QString& text, const QString& language)
{
    QAction* action = m_choices->addAction(text);
    action->setCheckable(true);
    action->setChecked(language == InterfaceLanguage::choice());
    action->setStatusTip(menuAction()->statusTip());
    connect(action, &QAction::triggered, this,
            [language] { InterfaceLanguage::setChoice(language); });
    addAction(action);
}
