#include "app/interfacelanguage.h"

#include "settings/settingskeys.h"

#include <QCoreApplication>
#include <QSettings>

namespace {

const QString kEnglish = QStringLiteral("en");
const QString kRussian = QStringLiteral("ru");

bool isKnown(const QString& language)
{
    return language == kEnglish || language == kRussian;
}

} // namespace

InterfaceLanguage::InterfaceLanguage(const QString& language)
{
    const QString directory = QStringLiteral(":/tr");
    // The full locale name (ru_RU, en_US): each load falls back to shorter forms
    // of it until a catalogue is found. A failed load leaves the sources' texts;
    // the toolkit has no English catalogue.
    const QString locale = QLocale(language).name();
    m_application.load(QStringLiteral("nivelon_") + locale, directory);
    m_toolkit.load(QStringLiteral("qt_") + locale, directory);
    QCoreApplication::installTranslator(&m_application);
    QCoreApplication::installTranslator(&m_toolkit);
}

InterfaceLanguage::~InterfaceLanguage()
{
    QCoreApplication::removeTranslator(&m_toolkit);
    QCoreApplication::removeTranslator(&m_application);
}

QString InterfaceLanguage::choice()
{
    const QString stored = QSettings().value(SettingsKeys::Language).toString();
    return isKnown(stored) ? stored : QString();
}

void InterfaceLanguage::setChoice(const QString& language)
{
    QSettings settings;
    if (isKnown(language))
        settings.setValue(SettingsKeys::Language, language);
    else
        settings.remove(SettingsKeys::Language);
}

QString InterfaceLanguage::resolve(const QString& choice, const QLocale& system)
{
    if (isKnown(choice))
        return choice;
    return system.language() == QLocale::Russian ? kRussian : kEnglish;
}
