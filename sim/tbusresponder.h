#pragma once

#include "responder.h"

namespace sim {

// TBus sensors on a LIN line: a one-byte identifier polls the level, a service
// frame starting with 0x3F sets a calibration point. Sensor addresses are frame
// identifiers 0 to 62 (0x3F itself opens a service frame).
class TBusResponder : public Responder
{
public:
    using Responder::Responder;

    Protocol protocol() const override { return Protocol::TBus; }
    bool echoesInput() const override { return true; }
    QByteArray fromOtherAddress(const QByteArray& reply) const override;

    // Head byte, data, XOR of everything before the check byte.
    static QByteArray frame(quint8 head, const QByteArray& data);

protected:
    int predictLength(const QByteArray& head) const override;
    bool checksumMatches(const QByteArray& frame) const override;
    void answer(const QByteArray& frame, qint64 nowMs, QList<SimReply>* replies) override;

private:
    void answerPoll(const QByteArray& frame, QList<SimReply>* replies);
    void answerService(const QByteArray& frame, QList<SimReply>* replies);
};

} // namespace sim
