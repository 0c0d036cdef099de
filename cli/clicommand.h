#pragma once

#include "clioptions.h"
#include "clioutput.h"
#include "exitcode.h"

#include <QObject>
#include <memory>

struct FleetMessage;
class LineSession;
class SerialSensor;

// One command of nivelon-cli (CommandTable makes it). It runs on the event loop, driven by the
// engine's callbacks and signals, and ends exactly once with finished().
class CliCommand : public QObject
{
    Q_OBJECT
public:
    CliCommand(const CliOptions& options, CliOutput* output, QObject* parent = nullptr);
    ~CliCommand() override;

    virtual void start() = 0;
    // SIGINT or SIGTERM: ends the command at once with the signal's exit code.
    virtual void interrupt(int signalNumber);
    // The port or the line failed: ends the command with the reason.
    virtual void lineFailed(const QString& reason);

signals:
    void finished(int exitCode);

protected:
    // Ends the command; an error line goes to stderr unless it is empty.
    void finish(ExitCode code, const QString& error = QString());
    // "stopped by SIGTERM".
    static QString stoppedBy(int signalNumber);
    // A session on the model and port of the options, opened; null after
    // finishing with the reason when the port cannot be opened.
    LineSession* openSession(int modelIndex);
    // The session of the options' model, not yet on the line, so that
    // arguments can be checked against its sensors first.
    LineSession* createSession(int modelIndex);
    // The sensor at the options' address on a session of the options' model;
    // null after finishing when the model has no such address.
    SerialSensor* createSensorSession();
    bool openPort();
    // The command's work is done: these go to the fleet (or wait in the outbox,
    // said in a note), then the command ends with ExitDone.
    void publishThenFinish(const QList<FleetMessage>& messages);
    LineSession* session() const { return m_session.get(); }
    void closeSession();

    const CliOptions m_options;
    CliOutput* const m_output;

private:
    std::unique_ptr<LineSession> m_session;
    bool m_finished = false;
};
