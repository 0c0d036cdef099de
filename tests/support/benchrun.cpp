#include "support/benchrun.h"

#include <QEventLoop>
#include <QTimer>

double benchSeconds(const QStringList& arguments, double fallback)
{
    for (const QString& argument : arguments.mid(1)) {
        bool ok = false;
        const double seconds = argument.toDouble(&ok);
        if (ok && seconds > 0)
            return seconds;
    }
    return fallback;
}

void runEventLoopFor(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}
