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
    stdOut = QString::fromUtf8(process.readAllStandardOutput());
    stdErr = QString::fromUtf8(process.readAllStandardError());
    if (!exited)
        process.kill();
    return exited && process.exitStatus() == QProcess::NormalExit;
}

QStringList CliProcess::outLines() const
{
    return stdOut.split('\n', Qt::SkipEmptyParts);
}
