#pragma once

#include "faultinjector.h"
#include "lineendpoint.h"
#include "lineoptions.h"
#include "responder.h"
#include "tapwriter.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QObject>
#include <QTimer>
#include <deque>
#include <memory>
#include <random>

namespace sim {

// A vehicle's tracker as the master of its own simulated sensors: it polls each of them
// every period in the model's protocol, waits for each reply or gives up after its time-out,
// and mirrors every byte of the bus, both directions, to a pseudo-terminal where a listener
// hears it. Every frame and time-out is reported as a JSON object, so that what a listener
// decoded can be checked against what was on the wire.
class TrackerBus : public QObject
{
    Q_OBJECT
public:
    explicit TrackerBus(const LineOptions& options, QObject* parent = nullptr);
    ~TrackerBus() override;

    bool start(QString* error = nullptr);
    void stop();
    // The pseudo-terminal a listener opens.
    QString tapPath() const { return tap.path(); }
    const LineOptions& options() const { return lineOptions; }
    SimSensor* sensorAt(int address) const;
    QString countersReport() const;
    double nowMs() const { return clock.nsecsElapsed() / 1e6; }

signals:
    // One frame on the bus, a time-out or a change of the listener's rate.
    void event(const QJsonObject& event);
    // Bytes as the listener receives them.
    void tapped(const QByteArray& bytes);

private:
    struct Exchange
    {
        int address;
        QByteArray request;
        bool secondMaster;
    };

    void step();
    bool listenerReady();
    bool finished() const;
    void queueDueExchanges(double now);
    void sendUnsolicited(double now);
    double carry(const Exchange& exchange, double startMs);
    double carryReply(const SimReply& reply, double requestEndMs, const QString& master);
    double putFrame(const QByteArray& bytes, double startMs, QJsonObject report);
    QByteArray pollRequest(int address);
    double nextDueMs() const;
    void deliver(const QByteArray& bytes);

    LineOptions lineOptions;
    LineSettings line;
    SensorList sensorList;
    std::unique_ptr<Responder> responder;
    FaultInjector faults;
    std::mt19937 random;
    QElapsedTimer clock;
    LineEndpoint tap;
    TapWriter writer;
    QTimer stepTimer;
    std::deque<Exchange> pending;
    double busFreeMs = 0.0;
    double cycleDueMs = 0.0;
    double secondDueMs = 0.0;
    int secondTarget = 0;
    int tapRate = -1;
    int cyclesQueued = 0;
    bool started = false;
};

} // namespace sim
