#pragma once

#include <QJsonObject>
#include <QString>
#include <QTextStream>

// Where nivelon-cli speaks: results on stdout, as text or as one JSON document
// per line, and failures as one line on stderr.
class CliOutput
{
public:
    explicit CliOutput(bool json);

    bool isJson() const { return m_json; }
    // A line of the text form; nothing with --json.
    void text(const QString& line);
    // A JSON line; nothing without --json.
    void json(const QJsonObject& object);
    // A note beside the results, on stderr, so that stdout stays parseable.
    void note(const QString& line);
    void error(const QString& line);

private:
    bool m_json;
    QTextStream m_out;
    QTextStream m_err;
};
