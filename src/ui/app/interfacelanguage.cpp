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
    // Numbers follow the words: a Russian window writes "11,4" even on a
    // system set up in another language; the system's own locale otherwise.
    if (QLocale().language() != QLocale(language).language())
        QLocale::setDefault(QLocale(language));
    m_application.load(QStringLiteral("nivelon_") + locale, directory);
    m_toolkit.load(QStringLiteral("qt_") + locale, directory);
    QCoreApplication::installTranslator(&m_application);
    QCoreApplication::installTranslator(&m_toolkit);
}

InterfaceLanguage::~InterfaceLanguage()
{
    QCoreApplication::removeTranslator(&m_toolkit);
    QCoreApplication::removeTranslator(&m_application);
    QLocale::setDefault(m_previousLocale);
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
