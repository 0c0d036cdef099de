#pragma once

#include "clicommand.h"

class FleetDelivery;

// nivelon-cli outbox: lists the messages waiting for the fleet's broker, and
// sends them when a server is given or stored.
class OutboxCommand : public CliCommand
{
    Q_OBJECT
public:
    OutboxCommand(const CliOptions& options, CliOutput* output);
    void start() override;

private:
    FleetDelivery* m_delivery = nullptr;
};
