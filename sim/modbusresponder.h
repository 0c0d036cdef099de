#pragma once

#include "responder.h"

namespace sim {

// ModBus RTU sensors: holding register 0 holds the level in hundredths of a
// percent, register 1 the bus address; everything else gets an exception reply.
class ModBusResponder : public Responder
{
public:
    using Responder::Responder;

    Protocol protocol() const override { return Protocol::ModBus; }
    QByteArray fromOtherAddress(const QByteArray& reply) const override;

    // Address, function, data, CRC-16 low byte first.
    static QByteArray frame(int address, quint8 function, const QByteArray& data);

protected:
    int predictLength(const QByteArray& head) const override;
    bool checksumMatches(const QByteArray& frame) const override;
    void answer(const QByteArray& frame, qint64 nowMs, QList<SimReply>* replies) override;

private:
    QByteArray readRegisters(SimSensor& sensor, const QByteArray& request);
    QByteArray writeRegister(SimSensor& sensor, const QByteArray& request);
    static QByteArray exception(int address, quint8 function, quint8 code);
};

} // namespace sim
