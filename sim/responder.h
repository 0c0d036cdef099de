#pragma once

#include "sensormodel.h"
#include "simsensor.h"

#include <QByteArray>
#include <QList>

namespace sim {

// A frame a sensor wants to put on the line, and the request it answers.
struct SimReply
{
    SimSensor* sensor = nullptr;
    QByteArray bytes;
    int requestLength = 0; // 0 for a frame the sensor sends by itself
};

// The sensor side of one protocol: cuts the master's bytes into requests by
// predicting each request's length from its header, drops bytes that cannot
// start a request until it finds one that can, and lets the addressed sensor
// answer. It knows nothing of time on the wire or of faults; the line adds those.
class Responder
{
public:
    explicit Responder(SensorList& sensors);
    virtual ~Responder() = default;

    QList<SimReply> receive(const QByteArray& bytes, qint64 nowMs);

    virtual Protocol protocol() const = 0;
    // The LIN transceiver hands every transmitted byte back to the master.
    virtual bool echoesInput() const { return false; }
    // The same reply as if another sensor had sent it, with a matching check sum.
    virtual QByteArray fromOtherAddress(const QByteArray& reply) const = 0;
    // A data frame the sensor sends unasked, or nothing if the protocol has none.
    virtual QByteArray unsolicitedFrame(SimSensor& sensor, qint64 nowMs);

    quint64 discardedBytes() const { return discarded; }
    int bufferedBytes() const { return buffer.size(); }

protected:
    static const int needMore = 0;
    static const int notAFrame = -1;

    // Length of the request at the head of the buffer, needMore or notAFrame.
    virtual int predictLength(const QByteArray& head) const = 0;
    virtual bool checksumMatches(const QByteArray& frame) const = 0;
    virtual void answer(const QByteArray& frame, qint64 nowMs, QList<SimReply>* replies) = 0;

    SimSensor* sensorAt(int address) const;

private:
    void dropHeadByte();

    SensorList& sensors;
    QByteArray buffer;
    quint64 discarded = 0;
};

} // namespace sim
