#pragma once

#include "clicommand.h"

#include <QJsonArray>
#include <QList>

// nivelon-cli identify: what is on this cable? Each protocol in turn, with its
// own line settings, runs one detection pass until one answers; the report
// names it and its addresses. Before each protocol speaks, the line is left to
// fall quiet.
class IdentifyCommand : public CliCommand
{
    Q_OBJECT
public:
    IdentifyCommand(const CliOptions& options, CliOutput* output);
    void start() override;

private:
    void tryNext();
    void passFinished();
    void report();
    static QString configurationName(int kind);

    QList<unsigned> m_models; // one model per protocol
    int m_next = 0;
    QJsonArray m_protocols;
    QJsonObject m_answer;
};
