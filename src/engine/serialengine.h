#pragma once

#include "engine/addsensorprompt.h"
#include "engine/baseengine.h"
#include "engine/enginecommand.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QQueue>

class QTimer;
class SerialPort;
class SerialSensor;

// The half-duplex master of one serial line, protocol-blind. It sends one command
// at a time, lets the protocol engine cut the input into frames, and between
// commands polls its sensors round-robin and probes for new ones. Every command
// handed to it is completed exactly once, whatever happens on the line.
class SerialEngine : public BaseEngine
{
    Q_OBJECT
public:
    enum State {
        Synchronizing,
        Idle,
        WaitingEcho,
        WaitingReply,
        ReplyCooldown,
        Error,
        PortError,
        Stopped,
        Terminating
    };
    Q_ENUM(State)

    // The detection state once two whole passes over every address have gone by:
    // whoever answers has been found, and detection goes on only for newcomers.
    static constexpr int DetectionExhausted = 2;

    explicit SerialEngine(quint32 features, QObject* parent = nullptr);

    void request(const EngineCommand& command) override;
    void deinit() override;
    void setAutoDetectSensorsEnabled(bool enabled) override;

    virtual void setPort(SerialPort* port);
    virtual void resetStateMachine();
    // What the user is asked for to add a sensor by hand; the answer goes to
    // slotAddSensorFromDialog.
    virtual AddSensorPrompt addSensorPrompt() const = 0;
    virtual QString detectionStateString() const = 0;

    void setState(State newState);
    State state() const { return m_state; }
    SerialPort* port() const { return m_port; }
    int detectionState() const { return m_detectionState; }
    bool isDetecting() const { return m_detecting; }
    int queuedCommandCount() const { return m_commandQueue.size(); }
    const EngineCommand& currentCommand() const { return m_currentCommand; }
    bool hasCommandInFlight() const { return m_commandInFlight; }
    const QByteArray& inputBuffer() const { return m_inputBuffer; }
    const QList<SerialSensor*>& sensors() const { return m_sensors; }
    QTimer* stateCheckTimer() const { return m_stateCheckTimer; }

    void addSensor(SerialSensor* sensor);
    void removeSensor(SerialSensor* sensor);
    void idleCheck();
    virtual bool readyToPoll(SerialSensor* sensor);
    SerialSensor* currentSensor() const;
    SerialSensor* sensorByAddress(uint8_t address) const;
    bool isAddressBusy(uint8_t address) const;

    virtual int stateCheckTimeoutInterval(State state) const;

signals:
    void stateChanged(SerialEngine::State state);
    void detectionStateChanged(int state);
    // Every address the engine can probe has been probed once more; unlike the
    // detection state, which stops at two passes, this comes with every sweep.
    void detectionSweepFinished();

public slots:
    void slotOnReadyRead();
    void slotOnStateCheckTimeout();
    virtual void slotAddSensorFromDialog(int address) = 0;

protected:
    // Called after new bytes were appended to the input buffer.
    virtual void repackInput() = 0;
    virtual void setEnginePortLocks() = 0;
    virtual void afterRemovedSensor() {}
    virtual void serveCommand();
    // The next detection probe (kind Plain), or an empty command when there is
    // nothing left to probe.
    virtual EngineCommand detectNext() = 0;
    // The registered sensor a request is addressed to, or null (a probe of a
    // free address): only the protocol knows where the address sits.
    virtual SerialSensor* commandSensor(const EngineCommand& command) const = 0;

    EngineCommand pollNextSensorLevel();
    int nextSensor();
    // Takes the head of the queue as the command in flight. A command that is
    // somehow still in flight is completed with Failed first: nothing is dropped.
    EngineCommand takeNextCommand();
    // For serveCommand overrides: a write failed, so the command is completed with
    // Failed and the engine enters PortError.
    void failWrite();
    void executeAndClearCurrentCommand(CommandCallback::Result result);
    void clearCommandQueue();

    void inputBufferRemoveHead(int n);
    void inputBufferClear();
    void inputBufferMoveHead(int n, EngineCommand& command);
    void logAndClearStrayData(int n);
    // A sensor spoke without being asked; its statistics note the moment.
    void recordHeard(SerialSensor* sensor);
    void setStateCheckTimeout(int milliseconds);

    void resetDetectionState();
    void advanceDetectionState();

    QByteArray m_inputBuffer;
    EngineCommand m_currentCommand;

private:
    void runIdleStep();
    bool readPort();
    bool isRunning() const;
    void cancelQueuedCommands();
    void recordExchange(const EngineCommand& command, CommandCallback::Result result);
    qint64 nowMs(qint64 clockNs) const { return m_clockEpochMs + clockNs / 1000000; }

    bool m_detecting = true;
    State m_state = Synchronizing;
    int m_detectionState = 0;
    SerialPort* m_port = nullptr;
    QQueue<EngineCommand> m_commandQueue;
    bool m_commandInFlight = false;
    QList<SerialSensor*> m_sensors;
    int m_currentSensorIndex = -1;
    QTimer* m_stateCheckTimer;
    // One monotonic clock for reply times and the moments sensors are heard:
    // a wall-clock read per exchange would cost as much again.
    QElapsedTimer m_clock;
    qint64 m_clockEpochMs = 0;
    qint64 m_writtenAtNs = 0;
};

Q_DECLARE_METATYPE(SerialEngine::State)
