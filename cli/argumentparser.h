#pragma once

#include "clioptions.h"
#include "commandrow.h"

#include <QString>
#include <QStringList>

class QCommandLineParser;

// Turns nivelon-cli's arguments into options: the command first, then the
// options that command takes. Anything else is refused with a one-line reason,
// before the line is touched.
class ArgumentParser
{
public:
    enum Outcome { Run, ShowHelp, ShowVersion, ShowManual, Invalid };

    Outcome parse(const QStringList& arguments, CliOptions* options);
    // The one-line reason of an Invalid outcome.
    QString errorText() const { return m_error; }
    // The help of the command parsed, or of the tool when there was none.
    QString helpText() const;
    // The usage line of the command parsed, or the list of commands.
    QString usageText() const;
    // The help of one command: its usage, what it does, its options.
    static QString commandHelp(const CommandRow& row);
    static QString exitCodesText();
    // "nivelon-cli 1.4.3".
    static QString versionText();
    // The command named; null when none was.
    const CommandRow* commandRow() const { return m_row; }

private:
    Outcome fail(const QString& error);
    Outcome helpOf(const QStringList& commands);
    bool readOptions(const QCommandLineParser& parser, CliOptions* options);
    bool readListening(const QCommandLineParser& parser, CliOptions* options);
    bool readModel(const QString& code, CliOptions* options);
    bool readNumber(const QString& name, const QString& text, int low, int high, int* number);
    bool checkAddress(const CliOptions& options, int address);
    bool readAddressList(const QString& text, CliOptions* options);
    bool readDuration(const QCommandLineParser& parser, CliOptions* options);
    bool readSeconds(const QString& text, CliOptions* options);
    bool checkValues(const QStringList& values);
    static QString toolHelp();

    const CommandRow* m_row = nullptr;
    QString m_error;
};
