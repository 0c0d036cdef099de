#include "support/cliprocess.h"

#include <QtTest>
#include <csignal>

void CliProcess::start(const QStringList& arguments)
{
    process.start(QStringLiteral(NIVELON_CLI_PATH), arguments);
}

bool CliProcess::waitForLines(int count, int timeoutMs)
{
    return QTest::qWaitFor(
        [&] { return process.peek(process.bytesAvailable()).count('\n') >= count; }, timeoutMs);
}

void CliProcess::sendSignal(int signalNumber)
{
    ::kill(pid_t(process.processId()), signalNumber);
}

bool CliProcess::wait(int timeoutMs)
{
    const bool exited =
        QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, timeoutMs);
    stdOut += QString::fromUtf8(process.readAllStandardOutput());
    stdErr = QString::fromUtf8(process.readAllStandardError());
    if (!exited)
        process.kill();
    return exited && process.exitStatus() == QProcess::NormalExit;
}

QStringList CliProcess::outLines() const
{
    return stdOut.split('\n', Qt::SkipEmptyParts);
}

void CliProcess::write(const QString& text)
{
    process.write(text.toUtf8());
}

void CliProcess::closeInput()
{
    process.closeWriteChannel();
}

QString CliProcess::waitForLine(const QString& text, int timeoutMs)
{
    QString found;
    (void)QTest::qWaitFor(
        [&] {
            stdOut += QString::fromUtf8(process.readAllStandardOutput());
            const QStringList lines = stdOut.split('\n');
            // The last piece may be a line still being written.
            for (; linesSeen < lines.size() - 1 && found.isEmpty(); ++linesSeen) {
                if (lines.at(linesSeen).contains(text))
                    found = lines.at(linesSeen);
            }
            return !found.isEmpty() || process.state() == QProcess::NotRunning;
        },
        timeoutMs);
    return found;
}
