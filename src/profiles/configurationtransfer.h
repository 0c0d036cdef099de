#pragma once

#include "engine/commandcallback.h"
#include "profiles/configurationparameters.h"

#include <QList>
#include <QObject>
#include <QPointer>

class OmniCommSensor;

// Reads an Omnicomm sensor's configuration, and writes parameters to it one at a
// time, then reads the configuration back to see what the sensor kept. What
// nivelon-cli and the window share when they set a sensor up.
class ConfigurationTransfer : public QObject
{
    Q_OBJECT
public:
    enum Outcome {
        NotWritten,
        Applied,    // written and, where the configuration reports it, read back
        Refused,    // the sensor said no
        NotKept,    // accepted, but it reads back as another value
        Unconfirmed // accepted; this model's configuration does not report it
    };
    struct Write
    {
        int index;
        qint64 value;
        Outcome outcome;
    };

    explicit ConfigurationTransfer(OmniCommSensor* sensor, QObject* parent = nullptr);

    // configurationRead() or readFailed() follows.
    void read();
    // written() follows, with an outcome for each value, or a failure.
    void write(const ConfigurationValues& values);
    const QList<Write>& writes() const { return m_writes; }
    // "applied", "refused by the sensor", ...
    static QString outcomeText(Outcome outcome);

signals:
    void configurationRead();
    void written();
    void readFailed(CommandCallback::Result result);
    // The line gave up on a write; the writes after it were not sent.
    void writeFailed(int index, qint64 value, CommandCallback::Result result);

private:
    void configurationUpdated();
    void configurationReadFailed(CommandCallback::Result result);
    void requestRead();
    void writeNext();
    bool startRetryRound();
    void writeDone(CommandCallback::Result result, const EngineCommand& command);
    void confirm();

    QPointer<OmniCommSensor> m_sensor;
    // Polls ask for the configuration by themselves too; a read while writing
    // is not the one that confirms.
    enum Stage { Idle, Reading, Writing, ReadingBack } m_stage = Idle;
    QList<Write> m_writes;
    QList<int> m_pending; // positions in m_writes still to send, in order
    bool m_retried = false;
    bool m_acceptedInRound = false;
    int m_readTries = 0;
    int m_writeTries = 0;
    MemFunCommandCallback<ConfigurationTransfer> m_writeCallback;
};
