#pragma once

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QTextStream>

// Where nivelon-cli speaks: results on stdout, as text or as one JSON document
// per line, and failures as one line on stderr (with --json also as an object
// on stdout). Every line goes out whole and at once.
class CliOutput : public QObject
{
    Q_OBJECT
public:
    // The "schema" of every JSON object: the keys and units of docs/cli-json.md.
    static constexpr int SchemaVersion = 1;

    explicit CliOutput(bool json, QObject* parent = nullptr);

    bool isJson() const { return m_json; }
    // A line of the text form; nothing with --json.
    void text(const QString& line);
    // A JSON line; nothing without --json.
    void json(QJsonObject object);
    // A note beside the results, on stderr, so that stdout stays parseable.
    void note(const QString& line);
    // The failure, last: nothing more goes to stdout after it.
    void error(const QString& line, int exitCode);
    // Why stdout could not be written; empty while it could.
    QString writeFailure() const { return m_writeFailure; }

signals:
    // stdout could not be written, so the results are lost. Said once; nothing
    // more goes to stdout after it.
    void writeFailed(const QString& reason);

private:
    void writeLine(const QString& line);

    bool m_json;
    QTextStream m_out;
    QTextStream m_err;
    QString m_writeFailure;
    bool m_ended = false; // an error has been told
};
