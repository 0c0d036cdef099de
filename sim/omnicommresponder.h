#pragma once

#include "responder.h"

namespace sim {

// Omnicomm sensors: data and configuration reads, parameter writes, address
// change, the mode switch, and data frames sent unasked in autonomous mode.
class OmnicommResponder : public Responder
{
public:
    using Responder::Responder;

    Protocol protocol() const override { return Protocol::Omnicomm; }
    QByteArray fromOtherAddress(const QByteArray& reply) const override;
    QByteArray unsolicitedFrame(SimSensor& sensor, qint64 nowMs) override;

    // 0x3E, address, code, data, CRC-8.
    static QByteArray frame(int address, quint8 code, const QByteArray& data);
    static QByteArray dataFrame(const SimSensor& sensor);
    static QByteArray configurationFrame(const SimSensor& sensor);

protected:
    int predictLength(const QByteArray& head) const override;
    bool checksumMatches(const QByteArray& frame) const override;
    void answer(const QByteArray& frame, qint64 nowMs, QList<SimReply>* replies) override;

private:
    QByteArray answerFor(SimSensor& sensor, const QByteArray& request);
    QByteArray switchMode(SimSensor& sensor);
    QByteArray changeAddress(SimSensor& sensor, const QByteArray& request);
    QByteArray writeParameter(SimSensor& sensor, const QByteArray& request);
};

} // namespace sim
