#include "support/childprocess.h"

#include <QCoreApplication>
#include <QProcess>

ChildResult runSelf(const QStringList& arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(30000);
    ChildResult result;
    result.crashed = child.exitStatus() == QProcess::CrashExit;
    result.exitCode = child.exitCode();
    result.output = QString::fromLocal8Bit(child.readAll());
    return result;
}
