#pragma once

#include "engine/addsensorprompt.h"
#include "engine/baseengine.h"
#include "engine/detectionpace.h"
#include "engine/enginecommand.h"
#include "engine/noisemeter.h"
#include "engine/quietwait.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QQueue>
#include <array>

class FineTimer;
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
    // How long a line said to be noisy must go without a noisy second to be clean.
    static constexpr int CleanLineMs = 10000;

    explicit SerialEngine(quint32 features, QObject* parent = nullptr);

    void request(const EngineCommand& command) override;
    void deinit() override;
    void setAutoDetectSensorsEnabled(bool enabled) override;

    virtual void setPort(SerialPort* port);
    virtual void resetStateMachine();
    // Before its first transmission after a start the engine waits until the line
    // has been quiet at least this long, besides what its protocol asks for: a
    // line that carried another protocol a moment ago is left to settle.
    void setMinimumQuietMs(int milliseconds) { m_minimumQuietMs = milliseconds; }
    // For sensors slower than the protocol allows: every request waits at least
    // this long for its reply, and every probe exactly this long, as a master
    // with a fixed time-out would. 0 for the protocol's own windows.
    void setReplyTimeoutMs(int milliseconds) { m_replyTimeoutMs = milliseconds; }
    int replyTimeoutMs() const { return m_replyTimeoutMs; }
    // The longest a probe waits: a sensor that answers within this is found in
    // the first sweep, whatever its latency.
    int replyWindowMs() const;
    // What the user is asked for to add a sensor by hand; the answer goes to
    // slotAddSensorFromDialog.
    AddSensorPrompt addSensorPrompt() const;
    // Creates and announces the protocol's sensor at an address; null for an
    // address the protocol cannot carry or, where it refuses a second sensor
    // on one address, one that is taken.
    SerialSensor* addSensorAtAddress(int address);
    virtual QString detectionStateString() const = 0;
    // The protocol's request for a sensor's level.
    virtual EngineCommand pollRequest(uint8_t address) const = 0;

    void setState(State newState);
    State state() const { return m_state; }
    SerialPort* port() const { return m_port; }
    int detectionState() const { return m_detectionState; }
    bool isDetecting() const { return m_detecting; }
    // Whether a command completed Ok since the last reset: the port search tells a
    // line where anything answers from one that is silent, echoes or is noise.
    bool hasDecoded() const { return m_decoded; }
    int queuedCommandCount() const { return m_commandQueue.size(); }
    const EngineCommand& currentCommand() const { return m_currentCommand; }
    bool hasCommandInFlight() const { return m_commandInFlight; }
    const QByteArray& inputBuffer() const { return m_inputBuffer; }
    const QList<SerialSensor*>& sensors() const { return m_sensors; }
    QTimer* stateCheckTimer() const { return m_stateCheckTimer; }
    // Ends a cool-down that whole timer milliseconds would make too long.
    const FineTimer* gapTimer() const { return m_gapTimer; }
    const DetectionPace& detectionPace() const { return m_pace; }
    // The sweeps have run: detection goes on quietly, a probe now and then.
    bool isDetectionInBackground() const;
    // How many sweeps one detection pass takes to reach every address the
    // protocol probes.
    virtual int sweepsPerPass() const { return 1; }
    // Where the sweep stands: the address probed last (counted from 1) of how
    // many; 0 of 0 where the protocol does not count its probes.
    virtual int sweepPosition() const { return 0; }
    virtual int sweepLength() const { return 0; }

    void addSensor(SerialSensor* sensor);
    void removeSensor(SerialSensor* sensor);
    void idleCheck();
    virtual bool readyToPoll(SerialSensor* sensor);
    SerialSensor* currentSensor() const;
    SerialSensor* sensorByAddress(uint8_t address) const;
    bool isAddressBusy(uint8_t address) const;

    virtual int stateCheckTimeoutInterval(State state) const;
    // How long the line must stay quiet after the last byte heard before the
    // next transmission; the cool-down after a reply lasts just that long.
    virtual double interFrameGapMs() const;

signals:
    void stateChanged(SerialEngine::State state);
    void detectionStateChanged(int state);
    // Every address the engine can probe has been probed once more; unlike the
    // detection state, which stops at two passes, this comes with every sweep.
    void detectionSweepFinished();
    // Bytes that belong to no exchange kept the line from falling quiet before
    // the first transmission after a start, or filled a second of it later on.
    // Said once a start, or once more after the line was clean again.
    void lineNoisy(quint64 bytes, qint64 milliseconds);
    // No noisy second for CleanLineMs since the line was said to be noisy.
    void lineClean();

public slots:
    void slotOnReadyRead();
    void slotOnStateCheckTimeout();
    // The gap timer: the cool-down ends at once if the gap has passed.
    void slotOnGapTimeout();
    void slotAddSensorFromDialog(int address);

protected:
    // The addresses a sensor can be added at; 0 to 255 unless the protocol says.
    void setSensorAddresses(int first, int last);
    // A new sensor of the protocol, registered with this engine, not yet
    // addressed nor announced.
    virtual SerialSensor* createSensor() = 0;
    // The user knows the line better than we do: an address already in use is
    // taken as asked, unless the protocol cannot tell two sensors there apart.
    virtual bool sharesAddresses() const { return true; }
    // After a sensor has been announced.
    virtual void sensorAdded(SerialSensor*) {}
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
    // How the command in flight ends when its reply window closes: a time-out,
    // unless the protocol takes what is buffered for a whole reply after all.
    virtual CommandCallback::Result replyWindowClosed() { return CommandCallback::Timeout; }
    // Back to the first address, so that the next probe starts a whole sweep.
    virtual void rewindDetection() {}
    // The bus address a request goes to, or -1 where the protocol does not say.
    virtual int commandAddress(const EngineCommand&) const { return -1; }
    // The input begins as the reply to the request in flight would: its sensor
    // is there, only slower than the window.
    virtual bool replyBegun() const { return false; }
    // Every address the protocol probes has been probed once more.
    void finishSweep();
    // An answer came after its window had closed: the probes that follow, in the
    // fast sweep or in the background, wait longer; as long as that answer took
    // when the address it came from is known.
    void noteLateAnswer(int address = -1);
    // A probe whose answer came late, cut short or garbled goes out again next,
    // with the window as it is now; again only once that window has grown.
    void probeAgain(const EngineCommand& probe);

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
    // A sensor spoke without being asked; its statistics note the moment,
    // which is returned for its reading.
    qint64 recordHeard(SerialSensor* sensor);
    void setStateCheckTimeout(int milliseconds);
    // For the synchronizing step: wait until the line has been quiet this long,
    // but never past the limit of the whole wait, after which the engine sends
    // anyway and says the line is noisy.
    void waitForQuiet(int milliseconds);

    // An echoing line hands every request back before the reply: such a copy of
    // the request in flight at the head of the input is taken off it. Incomplete
    // while the input is still too short to tell.
    enum class Echo { Absent, Incomplete, Removed };
    Echo removeEcho();
    // An echo has been taken off since the last reset.
    bool lineEchoes() const { return m_lineEchoes; }

    void resetDetectionState();
    void advanceDetectionState();

    QByteArray m_inputBuffer;
    EngineCommand m_currentCommand;

private:
    void runIdleStep();
    bool isProbeDue() const;
    EngineCommand nextProbe();
    void prepareProbe(const EngineCommand& probe);
    void restartDetection();
    void armStateCheckTimer(State newState);
    // What is left at nowNs of the gap since the line was last busy; a cool-down
    // that input keeps from ending still ends once it has lasted twice the gap.
    qint64 remainingGapNs(qint64 nowNs) const;
    // Ends the cool-down once what is left at nowNs of the gap has passed.
    void armCoolDownEnd(qint64 nowNs);
    void endQuietWait();
    void recordNoise(int bytes);
    void reportNoise(quint64 bytes, qint64 milliseconds);
    void slotLineCleanAgain();
    bool readPort();
    bool isRunning() const;
    void cancelQueuedCommands();
    void recordExchange(const EngineCommand& command, CommandCallback::Result result,
                        qint64 clockNs);
    qint64 nowMs(qint64 clockNs) const { return m_clockEpochMs + clockNs / 1000000; }
    qint64 nowMs() const { return nowMs(m_clock.nsecsElapsed()); }

    bool m_detecting = true;
    bool m_decoded = false;
    State m_state = Synchronizing;
    int m_detectionState = 0;
    SerialPort* m_port = nullptr;
    QQueue<EngineCommand> m_commandQueue;
    bool m_commandInFlight = false;
    QList<SerialSensor*> m_sensors;
    int m_currentSensorIndex = -1;
    QTimer* m_stateCheckTimer;
    FineTimer* m_gapTimer;
    QTimer* m_cleanLineTimer;
    // One monotonic clock for reply times and the moments sensors are heard:
    // a wall-clock read per exchange would cost as much again.
    QElapsedTimer m_clock;
    qint64 m_clockEpochMs = 0;
    qint64 m_writtenAtNs = 0;
    // When the line last carried anything we know of, and how much it has
    // carried since the start: the gap before the next request counts from then.
    qint64 m_lineBusyAtNs = 0;
    quint64 m_bytesHeard = 0;
    qint64 m_coolDownSinceNs = 0;
    DetectionPace m_pace;
    // The reply window of the probe in flight when it is not the state's own.
    int m_probeWindowMs = 0;
    // Unasked input since the last probe went out has widened the window once.
    bool m_widenedSinceProbe = false;
    bool m_probeInFlight = false;
    double m_probeWireMs = 0;
    int m_replyTimeoutMs = 0;
    // When each address was last probed, on m_clock; -1 for never.
    std::array<qint64, 256> m_probeSentMs;
    // The window each address was last asked again with in this sweep.
    std::array<int, 256> m_askedAgainWindowMs{};
    QList<EngineCommand> m_probesAgain;
    int m_minimumQuietMs = 0;
    QuietWait m_quietWait;
    NoiseMeter m_noiseMeter;
    bool m_noiseReported = false;
    bool m_lineEchoes = false;
    int m_firstSensorAddress = 0;
    int m_lastSensorAddress = 255;
};

Q_DECLARE_METATYPE(SerialEngine::State)
