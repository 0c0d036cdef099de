#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

// The one language the interface speaks. English is the language of the sources,
// yet a few source texts are Russian, so English has a catalogue of its own as
// Russian has: whichever is chosen, the window speaks only that language.
class InterfaceLanguage
{
public:
    // Loads the program's and the toolkit's catalogues of language ("en" or "ru")
    // and installs them, with the language's way of writing numbers, for as
    // long as this object lives.
    explicit InterfaceLanguage(const QString& language);
    ~InterfaceLanguage();
    InterfaceLanguage(const InterfaceLanguage&) = delete;
    InterfaceLanguage& operator=(const InterfaceLanguage&) = delete;

    // The user's choice from the Settings menu: "en", "ru", or empty to follow the
    // system's locale.
    static QString choice();
    static void setChoice(const QString& language);
    // The language for a choice: the choice itself, else Russian on a Russian
    // system and English on any other.
    static QString resolve(const QString& choice, const QLocale& system = QLocale());

private:
    QTranslator m_application;
    QTranslator m_toolkit;
    QLocale m_previousLocale;
};
