#include "clioutput.h"

#include <QJsonDocument>
#include <cstdio>

CliOutput::CliOutput(bool json)
    : m_json(json)
    , m_out(stdout)
    , m_err(stderr)
{}

void CliOutput::text(const QString& line)
{
    if (!m_json)
        m_out << line << '\n' << Qt::flush;
}

void CliOutput::json(const QJsonObject& object)
{
    if (m_json)
        m_out << QJsonDocument(object).toJson(QJsonDocument::Compact) << '\n' << Qt::flush;
}

void CliOutput::note(const QString& line)
{
    m_err << line << '\n' << Qt::flush;
}

void CliOutput::error(const QString& line)
{
    m_err << "nivelon-cli: " << line << '\n' << Qt::flush;
}
