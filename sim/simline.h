#pragma once

#include "faultinjector.h"
#include "lineendpoint.h"
#include "lineoptions.h"
#include "linetransmitter.h"
#include "noisesource.h"
#include "responder.h"
#include "simsensor.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

namespace sim {

// One simulated sensor line: the sensors of one model on one port, answering
// the program's requests with the timing of the real line, sending autonomous
// frames, and injecting faults. Runs on the caller's event loop, so a test can
// hold a line and an engine in the same process.
class SimLine : public QObject
{
    Q_OBJECT
public:
    explicit SimLine(const LineOptions& options, QObject* parent = nullptr);
    ~SimLine() override;

    bool start(QString* error = nullptr);
    void stop();
    bool isRunning() const { return endpoint.isOpen(); }
    // The path the program should open (the pseudo-terminal's slave, or the device).
    QString portPath() const { return endpoint.path(); }

    const LineOptions& options() const { return lineOptions; }
    QList<SimSensor*> sensors() const;
    SimSensor* sensorAt(int address) const;

    void setFaults(const FaultSettings& faults, quint32 seed);
    void setLatencyMs(int latencyMs) { lineOptions.latencyMs = latencyMs; }
    void setAutoIntervalUnitMs(int unitMs);

    // Bytes the program sent while its port ran at a rate the sensors do not understand.
    quint64 bytesAtWrongRate() const { return wrongRateBytes; }
    quint64 discardedBytes() const { return responder->discardedBytes(); }
    // Replies and frames scheduled but not yet on the line, late ones included.
    int pendingFrames() const { return transmitter.pendingFrames(); }
    QString countersReport() const;
    // The line's clock, which the sensors' physics run on.
    qint64 nowMs() const { return clock.elapsed(); }

signals:
    // Bytes just put on the line (echoes included), for tests that wait on traffic.
    void bytesWritten(const QByteArray& bytes);
    // Bytes the program sent, as they were read from the line.
    void bytesReceived(const QByteArray& bytes);

private:
    void readLine();
    void transmit(const SimReply& reply, const LineSettings& line);
    void scheduleUnsolicited();
    void sendUnsolicited();
    void writeToLine(const QByteArray& bytes);
    LineSettings lineSettings() const;

    LineOptions lineOptions;
    SensorList sensorList;
    std::unique_ptr<Responder> responder;
    FaultInjector faults;
    QElapsedTimer clock;
    LineEndpoint endpoint;
    LineTransmitter transmitter;
    NoiseSource noise;
    QTimer unsolicitedTimer;
    quint64 wrongRateBytes = 0;
};

} // namespace sim
