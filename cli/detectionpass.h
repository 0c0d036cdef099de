#pragma once

#include <QObject>
#include <QtGlobal>

class SerialEngine;

// One detection pass of an engine: finished when a sweep over its addresses has
// found nothing new, or after as many sweeps as the protocol needs to reach
// every address it probes. A TBus engine probes one identifier per sweep and the
// second only once the first answered, so it needs two; the others one.
class DetectionPass : public QObject
{
    Q_OBJECT
public:
    DetectionPass(SerialEngine* engine, quint32 busType, QObject* parent = nullptr);

signals:
    void finished();

private:
    void sweepFinished();

    int m_sweepsLeft;
    bool m_found = false;
    bool m_done = false;
};
