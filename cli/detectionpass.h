#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtGlobal>

class BaseSensor;
class SerialEngine;
class SerialSensor;
class SweepProgress;

// One detection pass of an engine: finished when a sweep over its addresses has
// found nothing new, or after as many sweeps as the protocol needs to reach
// every address it probes. A sweep's late answers are asked again at once, so
// the pass ends only once the last probe's answer, however late, and its
// second asking have had their time. The sensors found are polled only after
// the pass: until then the sweep has the line to itself.
class DetectionPass : public QObject
{
    Q_OBJECT
public:
    // The label names the sweep in the progress shown on a terminal.
    DetectionPass(SerialEngine* engine, const QString& label, QObject* parent = nullptr);

signals:
    void finished();

private:
    void sensorDetected(BaseSensor* sensor);
    void sweepFinished();
    void finish();

    SerialEngine* m_engine;
    SweepProgress* m_progress = nullptr;
    QList<QPointer<SerialSensor>> m_held;
    int m_sweepsLeft;
    bool m_found = false;
    bool m_done = false;
};
