#pragma once

#include "support/logcapture.h"
#include "support/simulatedline.h"

#include <QList>
#include <QString>
#include <utility>

// One protocol engine on the real port against a simulated line, with every log
// section captured; the engine and its sensors are dismantled with the rig.
template <typename Engine>
struct EngineRig
{
    template <typename... EngineArguments>
    explicit EngineRig(const sim::LineOptions& options, EngineArguments&&... arguments)
        : sim(options)
        , engine(std::forward<EngineArguments>(arguments)...)
    {}

    ~EngineRig()
    {
        const QList<SerialSensor*> sensors = engine.sensors();
        engine.deinit();
        qDeleteAll(sensors);
    }

    bool start(bool detection = false)
    {
        if (!sim.start(&error))
            return false;
        sim.attach(&engine, detection);
        return true;
    }

    LogCapture log;
    SimulatedLine sim;
    Engine engine;
    QString error;
};
