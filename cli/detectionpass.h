#pragma once

#include <QObject>
#include <QtGlobal>

class SerialEngine;

// One detection pass of an engine: finished when a sweep over its addresses has
// found nothing new, or after as many sweeps as the protocol needs to reach
// every address it probes. A fast first sweep that heard late answers is
// followed by one with the protocol's own window.
class DetectionPass : public QObject
{
    Q_OBJECT
public:
    explicit DetectionPass(SerialEngine* engine, QObject* parent = nullptr);

signals:
    void finished();

private:
    void sweepFinished();

    SerialEngine* m_engine;
    int m_sweepsLeft;
    bool m_widenedSweepTaken = false;
    bool m_found = false;
    bool m_done = false;
};
