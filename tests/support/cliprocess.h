#pragma once

#include <QProcess>
#include <QStringList>

// nivelon-cli run as a process while the test's own event loop runs, so that a
// simulated line in the test process answers it. Several can run at once.
class CliProcess
{
public:
    // Before start: stdout goes to this file instead of the test.
    void setOutputFile(const QString& path) { process.setStandardOutputFile(path); }
    void start(const QStringList& arguments);
    // Runs the event loop until the tool has written this many lines to stdout,
    // leaving them to be read at the end; false when it had not in time.
    bool waitForLines(int count, int timeoutMs = 30000);
    void sendSignal(int signalNumber);
    // Runs the event loop until the tool has exited; false when it had not
    // within the time or crashed.
    bool wait(int timeoutMs = 120000);
    // Answers the tool on its standard input; closing it is the end of input.
    void write(const QString& text);
    void closeInput();
    // Runs the event loop until standard output holds a line containing text
    // after the lines seen so far; that line, or an empty text when the tool
    // exited or the time ran out first.
    QString waitForLine(const QString& text, int timeoutMs = 60000);

    int exitCode() const { return process.exitCode(); }
    qint64 processId() const { return process.processId(); }
    QString out() const { return stdOut; }
    QString err() const { return stdErr; }
    QStringList outLines() const;

private:
    QProcess process;
    QString stdOut;
    QString stdErr;
    int linesSeen = 0;
};
