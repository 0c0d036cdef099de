#pragma once

#include "engine/basesensor.h"
#include "engine/serialengine.h"
#include "port/serialportinfo.h"
#include "port/serialportsettings.h"
#include "session/enginefactory.h"

#include <QObject>
#include <functional>

class PortEnumerator;
class PortScouts;
class QTimer;
class SerialPort;

// Owns the one serial port and the one engine that talks over it. It finds the
// port on which sensors answer, follows ports that come and go, replaces the
// engine when the sensor model changes, starts and stops polling, and remembers
// the user's port and detection choices.
class SerialPortManager : public QObject
{
    Q_OBJECT
public:
    enum State { StateInit, StateNoPort, StateDetecting, StateNormal };
    Q_ENUM(State)

    // What the manager creates and asks for; tests hand in a scripted port, a
    // fake engine and a scripted answer to the model question.
    struct Hooks
    {
        std::function<SerialPort*(QObject* parent)> makePort;
        std::function<SerialEngine*(unsigned index)> makeEngine;
        // The model index the user chose, or -1 when the user refused to choose.
        // Asked only when no model is stored; the window asks with its dialog,
        // and without anyone to ask there is no model.
        std::function<int()> askBusType;
    };
    static Hooks defaultHooks();

    explicit SerialPortManager(PortEnumerator* enumerator, QObject* parent = nullptr,
                               Hooks hooks = defaultHooks());
    ~SerialPortManager() override;

    int busType() const { return m_busType; }
    State state() const { return m_state; }
    bool isStarted() const;
    bool isAutoDetectSensorsEnabled() const;
    bool isPortDetectionEnabled() const { return m_autoDetectPort; }
    QString detectionStateString() const;
    SerialPortSettings serialPortSettings() const;
    SerialPort* currentPort() const { return m_port; }
    SerialEngine* engine() const { return m_engine; }

    void setBusType(unsigned index);
    void start();
    void stop();

public slots:
    void setAutoDetectSensorsEnabled(bool on);
    void setSerialPort(const SerialPortInfo& info);
    void setPortDetection(bool on);
    void setPortBaudRate(int index);
    void slotOnPortListChanged();
    void slotOnRoutineFinished();
    void slotOnDeviceDetected();

signals:
    void serialPortParametersChanged(const SerialPortSettings& settings);
    void sensorDetected(BaseSensor* sensor);
    void stateChanged();
    void pollStateChanged(bool started);
    void detectionStateChanged(int state);
    // The line would not fall quiet for the engine; the text says so, for the user.
    void lineNoisy(const QString& text);
    void lineClean();
    void lineLost(const QString& message);
    void lineRestored();

protected slots:
    void slotOnPortDiscovered(const SerialPortInfo& info);
    void slotOnPortRemoved(const SerialPortInfo& info);
    void slotEngineStateChanged(SerialEngine::State state);
    void slotEngineSweepFinished();
    void slotSensorDetected(BaseSensor* sensor);
    void slotScoutAnswered(const QString& port, const QList<int>& found);

private:
    void logPortList(const QList<SerialPortInfo>& ports);
    bool openRememberedPort(const QList<SerialPortInfo>& ports, const QString& usedPort);
    int storedOrChosenBusType();
    void chooseFirstState(bool portOpened, bool autoDetectAddress);
    void setState(State newState);
    void restartDetection(State oldState);
    bool openCurrentPort();
    bool openSearchedPort();
    bool openNextPort();
    void closePort();
    void resetEngine();
    void installEngine(unsigned index);
    bool searchingForSensors() const;
    bool holdsSensors() const;
    bool isWorkingLine() const;
    bool hasOtherPort() const;
    bool isListed(const QString& port) const;
    QString searchStart(int model) const;
    void searchFromAnsweredPort();
    void scoutAhead();
    void loseLine(const QString& reason);
    void reopenLine(const QString& name);
    void restoreLine();
    bool isLineLost() const { return !m_lostPort.isEmpty(); }
    bool isWaitingForLine() const;
    void dismantleEngine();
    void warnNoEngine(const char* function) const;

    State m_state = StateInit;
    int m_busType = -1;
    Hooks m_hooks;
    SerialPort* m_port;
    SerialEngine* m_engine = nullptr;
    PortEnumerator* m_enumerator;
    QTimer* m_retryTimer;
    PortScouts* m_scouts;
    bool m_autoDetectPort = true;
    int m_emptySweeps = 0;
    // The port whose last opening failed, so that retrying it is said only once.
    QString m_failedPort;
    // The port used when the program last ended, where the search starts when
    // the model's sensors have not answered anywhere yet.
    QString m_usedPort;
    // A port the search tries next, out of turn: one just plugged in, one where a
    // scout heard sensors, or where a newly chosen model's sensors answered last.
    QString m_portToTry;
    // The port where a scout heard sensors last.
    QString m_scoutAnsweredPort;
    // The working line's port while it is lost, until it is back.
    QString m_lostPort;
};
