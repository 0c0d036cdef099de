#pragma once

#include "simline.h"
#include "support/countingserialport.h"

#include <QList>
#include <QString>

class SerialEngine;
class SerialSensor;

// A simulated sensor line with the program's real serial port opened on its
// pseudo-terminal: what the integration tests and the poll-rate benchmark run
// an engine against, in one process and on one event loop.
class SimulatedLine
{
public:
    // One sensor of the model per address, every level held at fixedLevel so
    // that readings can be compared exactly.
    static sim::LineOptions options(const QString& modelCode, const QList<int>& addresses,
                                    double fixedLevel = 0.5);

    explicit SimulatedLine(const sim::LineOptions& options);

    // Starts the simulator and opens the port on it; false with the reason otherwise.
    bool start(QString* error = nullptr);
    // Gives the port to the engine and starts its state machine.
    void attach(SerialEngine* engine, bool detection);

    // Waits, running the event loop, until the engine sits idle and the line is
    // quiet both ways: the simulator has taken in every request the engine wrote
    // and sent every reply, and the engine has read all of it. A command handed
    // over then is sent at once, gets the engine's full reply window, and cannot
    // be answered by a reply the engine gave up on earlier. Each write must be
    // one request to a simulated sensor: no detection, no TBus.
    bool waitForQuietLine(const SerialEngine& engine, int timeoutMs = 10000);
    // Keeps the engine from polling the sensor, so the line is free for a test's
    // own commands, and lets it poll again.
    static void holdPolls(SerialSensor* sensor);
    static void releasePolls(SerialSensor* sensor);
    // Every kind of fault the simulator injects, each with this probability.
    static sim::FaultSettings everyFault(double probability);
    // The addresses of the engine's sensors, in ascending order.
    static QList<int> addressesOf(const SerialEngine& engine);

    sim::SimLine& line() { return simLine; }
    sim::SimSensor* sensorAt(int address) const { return simLine.sensorAt(address); }
    HardwareSerialPort& port() { return serialPort; }

private:
    quint64 requestsReceived() const;

    sim::SimLine simLine;
    CountingSerialPort serialPort;
    quint64 bytesSent = 0;
};
