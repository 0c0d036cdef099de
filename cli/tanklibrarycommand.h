#pragma once

#include "clicommand.h"

class FleetDelivery;
class FleetLibraryFetch;

// nivelon-cli tank-library: the tank tables the installers of the fleet have
// published, each under its tank model's name, kept by the broker. list names
// them, get writes one to a file, put publishes one.
class TankLibraryCommand : public CliCommand
{
    Q_OBJECT
public:
    TankLibraryCommand(const CliOptions& options, CliOutput* output);
    void start() override;

private:
    void put();
    void fetch();
    void fetched();
    void list();
    void get(const QString& model, const QString& path);

    FleetDelivery* m_delivery = nullptr;
    FleetLibraryFetch* m_fetch = nullptr;
};
