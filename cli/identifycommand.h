#pragma once

#include "clicommand.h"

#include <QJsonArray>
#include <QList>

// nivelon-cli identify: what is on this cable? Each protocol in turn, with its
// own line settings, runs one detection pass; the report names every protocol
// that answered and its addresses.
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

    QList<int> m_models; // one model per protocol
    int m_next = 0;
    int m_answered = 0;
    QJsonArray m_protocols;
};
