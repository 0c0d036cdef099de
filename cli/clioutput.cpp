#include "clioutput.h"

#include <QJsonDocument>
#include <cstdio>

CliOutput::CliOutput(bool json, QObject* parent)
    : QObject(parent)
    , m_json(json)
    , m_out(stdout)
    , m_err(stderr)
{}

void CliOutput::text(const QString& line)
{
    if (!m_json)
        writeLine(line);
}

// Every object says which vocabulary it speaks, so that a reader can tell
// when keys or units change.
void CliOutput::json(QJsonObject object)
{
    if (!m_json)
        return;
    object.insert("schema", SchemaVersion);
    writeLine(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
}

void CliOutput::note(const QString& line)
{
    m_err << line << '\n' << Qt::flush;
}

void CliOutput::error(const QString& line, int exitCode)
{
    note(QStringLiteral("nivelon-cli: ") + line);
    json(QJsonObject{{"error", line}, {"exit", exitCode}});
    m_ended = true;
}

// The error is the last word on stdout: whatever the event loop still delivers
// after it is not printed.
void CliOutput::writeLine(const QString& line)
{
    if (!m_writeFailure.isEmpty() || m_ended)
        return;
    m_out << line << '\n' << Qt::flush;
    if (m_out.status() == QTextStream::Ok)
        return;
    m_writeFailure =
        QStringLiteral("cannot write the output: %1").arg(m_out.device()->errorString());
    emit writeFailed(m_writeFailure);
}
