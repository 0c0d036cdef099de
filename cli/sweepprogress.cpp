#include "sweepprogress.h"

#include "engine/serialengine.h"

#include <cstdio>
#include <unistd.h>

namespace {
const int kUpdateMs = 250;
// Carriage return, then erase to the end of the line.
const char kWipe[] = "\r\033[K";
} // namespace

SweepProgress::SweepProgress(const SerialEngine* engine, const QString& label, QObject* parent)
    : QObject(parent)
    , m_engine(engine)
    , m_label(label)
{
    connect(&m_timer, &QTimer::timeout, this, &SweepProgress::show);
    m_timer.start(kUpdateMs);
}

SweepProgress::~SweepProgress()
{
    if (m_shown) {
        std::fputs(kWipe, stderr);
        std::fflush(stderr);
    }
}

bool SweepProgress::isWanted()
{
    return isatty(STDERR_FILENO) == 1;
}

void SweepProgress::show()
{
    const int length = m_engine->sweepLength();
    if (length <= 0)
        return;
    const QString text = QStringLiteral("%1: address %2 of %3")
                             .arg(m_label)
                             .arg(qBound(1, m_engine->sweepPosition(), length))
                             .arg(length);
    std::fprintf(stderr, "%s%s", kWipe, text.toLocal8Bit().constData());
    std::fflush(stderr);
    m_shown = true;
}
