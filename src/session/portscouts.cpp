#include "session/portscouts.h"

#include "session/portscout.h"

#include <QtDebug>
#include <algorithm>
#include <utility>

namespace {

// A PC lists a few serial ports of its own; this many cover them and an adapter.
const int kMaxScouts = 4;

} // namespace

PortScouts::PortScouts(Factory makeScout, QObject* parent)
    : QObject(parent)
    , m_makeScout(std::move(makeScout))
{}

PortScouts::~PortScouts()
{
    stopAll();
}

void PortScouts::scoutAhead(const QList<SerialPortInfo>& ordered, const QString& linePort)
{
    m_wantsMore = false;
    int start = 0;
    while (start < ordered.size() && ordered.at(start).portName != linePort)
        ++start;
    for (int step = 1; step <= ordered.size() && m_scouts.size() < kMaxScouts; ++step) {
        const QString& port = ordered.at((start + step) % ordered.size()).portName;
        if (port == linePort || m_swept.contains(port) || isScouted(port))
            continue;
        PortScout* scout = m_makeScout();
        if (!scout)
            return;
        if (!scout->start(port)) {
            delete scout;
            m_swept.append(port);
            continue;
        }
        qDebug("Scouting port %s", qPrintable(port));
        scout->setParent(this);
        connect(scout, &PortScout::finished, this, &PortScouts::slotScoutFinished);
        m_scouts.append(scout);
    }
}

void PortScouts::release(const QString& port)
{
    for (int i = 0; i < m_scouts.size(); ++i) {
        if (m_scouts.at(i)->portName() == port) {
            PortScout* scout = m_scouts.takeAt(i);
            scout->stop();
            scout->deleteLater();
            return;
        }
    }
}

void PortScouts::markSwept(const QString& port)
{
    if (!m_swept.contains(port))
        m_swept.append(port);
    m_wantsMore = true;
}

void PortScouts::restart()
{
    stopAll();
    m_swept.clear();
    m_wantsMore = true;
}

bool PortScouts::isScouted(const QString& port) const
{
    return std::any_of(m_scouts.cbegin(), m_scouts.cend(),
                       [&port](const PortScout* scout) { return scout->portName() == port; });
}

void PortScouts::slotScoutFinished(const QString& port, bool answered, const QList<int>& found)
{
    auto* scout = qobject_cast<PortScout*>(sender());
    m_scouts.removeOne(scout);
    // Deleted later: this runs inside its signal.
    scout->deleteLater();
    if (answered)
        emit this->answered(port, found);
    else
        markSwept(port);
}

void PortScouts::stopAll()
{
    for (PortScout* scout : std::exchange(m_scouts, {})) {
        scout->stop();
        scout->deleteLater();
    }
}
