#pragma once

#include "responder.h"
#include "sensormodel.h"
#include "simsensor.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

// Simulated sensors of one model behind one protocol responder, driven with
// request bytes directly: no pseudo-terminal, no timing. Levels and
// temperatures are held still so replies can be compared byte for byte.
template <typename Responder>
struct ResponderBench
{
    ResponderBench(const QString& modelCode, const QList<int>& addresses)
    {
        sim::SensorModel model;
        sim::SensorModel::byCode(modelCode, &model);
        for (int address : addresses) {
            sensors.push_back(std::make_unique<sim::SimSensor>(model, address, 1));
            sensors.back()->physics().freeze(0.5, 20.0);
        }
    }

    sim::SimSensor& sensor(int index = 0) { return *sensors.at(size_t(index)); }

    // Everything the responder answers to these bytes, replies joined.
    QByteArray send(const QByteArray& bytes)
    {
        QByteArray out;
        for (const sim::SimReply& reply : responder.receive(bytes, 0))
            out += reply.bytes;
        return out;
    }

    sim::SensorList sensors;
    Responder responder{sensors};
};
