#pragma once

#include "clicommand.h"
#include "functioncallback.h"

// nivelon-cli calibrate: stores a TBus sensor's current level as its empty or
// full point.
class CalibrateCommand : public CliCommand
{
    Q_OBJECT
public:
    CalibrateCommand(const CliOptions& options, CliOutput* output);
    void start() override;

private:
    void calibrated(CommandCallback::Result result);

    QString m_point;
    FunctionCallback m_callback;
};
