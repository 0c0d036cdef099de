#pragma once

#include "engine/serialengine.h"

#include <QObject>
#include <QTimer>

// How long a command polls, counted from the engine's first request: the engine
// first waits for the line to settle, which is no time spent polling.
class PollTimer : public QObject
{
    Q_OBJECT
public:
    explicit PollTimer(QObject* parent = nullptr);

    void start(SerialEngine* engine, double seconds);
    void stop() { m_timer.stop(); }

signals:
    void elapsed();

private:
    void engineStateChanged(SerialEngine::State state);

    SerialEngine* m_engine = nullptr;
    int m_milliseconds = 0;
    QTimer m_timer;
};
