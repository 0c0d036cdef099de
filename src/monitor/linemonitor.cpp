#include "monitor/linemonitor.h"

#include "engine/passivedecoder.h"
#include "monitor/passivedecoders.h"
#include "port/serialport.h"

#include <QDateTime>

namespace {

const int kReadChunk = 4096;

} // namespace

LineMonitor::LineMonitor(QObject* parent)
    : QObject(parent)
    , m_clock([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    m_huntTimer.setSingleShot(true);
    m_huntTimer.setInterval(HuntPhaseMs);
    connect(&m_huntTimer, &QTimer::timeout, this, &LineMonitor::slotHuntStep);
    m_settleTimer.setInterval(SettleIntervalMs);
    connect(&m_settleTimer, &QTimer::timeout, this, &LineMonitor::slotSettle);
    buildCandidates(AnyBus);
}

LineMonitor::~LineMonitor() = default;

void LineMonitor::setClock(std::function<qint64()> clock)
{
    m_clock = std::move(clock);
}

void LineMonitor::setBusType(quint32 busType)
{
    buildCandidates(busType);
}

void LineMonitor::buildCandidates(quint32 busType)
{
    m_candidates.clear();
    m_figures.clear();
    m_busType = AnyBus;
    m_huntIndex = 0;
    m_huntExtended = false;
    const QList<quint32> types =
        busType == AnyBus ? PassiveDecoders::busTypes() : QList<quint32>{busType};
    for (quint32 type : types) {
        auto decoder = PassiveDecoders::create(type);
        if (!decoder)
            continue;
        auto candidate = std::make_unique<Candidate>();
        candidate->busType = type;
        candidate->decoder = std::move(decoder);
        m_candidates.push_back(std::move(candidate));
    }
    if (busType != AnyBus && !m_candidates.empty())
        m_busType = busType;
}

bool LineMonitor::start(SerialPort* port)
{
    m_port = port;
    connect(port, &SerialPort::readyRead, this, &LineMonitor::slotReadyRead, Qt::UniqueConnection);
    if (!listenAt(0)) {
        m_portError = m_port->errorString();
        return false;
    }
    m_settleTimer.start();
    if (m_busType == AnyBus)
        m_huntTimer.start();
    return true;
}

// Settings take effect on a fresh open: the adapter may hold bytes read at the
// old ones. False when the port does not open; the caller tells.
bool LineMonitor::listenAt(int candidate)
{
    if (m_candidates.empty())
        return false;
    m_huntIndex = candidate;
    m_huntExtended = false;
    Candidate& listened = *m_candidates[size_t(candidate)];
    if (m_port->isOpen())
        m_port->close();
    listened.decoder->applyLineSettings(m_port);
    if (!m_port->open()) {
        m_huntTimer.stop();
        m_settleTimer.stop();
        return false;
    }
    emit listening(listened.busType);
    return true;
}

void LineMonitor::finish()
{
    finishAt(m_clock());
    m_huntTimer.stop();
    m_settleTimer.stop();
    if (m_port)
        disconnect(m_port, nullptr, this, nullptr);
}

void LineMonitor::finishAt(qint64 nowMs)
{
    for (size_t i = 0; i < m_candidates.size(); ++i) {
        Candidate& candidate = *m_candidates[i];
        if (!fedCandidate(int(i)))
            continue;
        candidate.decoder->settle(nowMs + PassiveDecoder::SettleMs);
        decodeWith(candidate);
        take(candidate, candidate.pairing.finish(nowMs));
    }
}

bool LineMonitor::fedCandidate(int index) const
{
    if (m_busType != AnyBus)
        return m_candidates[size_t(index)]->busType == m_busType;
    return !m_port || index == m_huntIndex;
}

void LineMonitor::feed(const QByteArray& bytes, qint64 timeMs)
{
    if (bytes.isEmpty())
        return;
    emit bytesArrived(bytes, timeMs);
    for (size_t i = 0; i < m_candidates.size(); ++i) {
        if (!fedCandidate(int(i)))
            continue;
        m_candidates[i]->decoder->feed(bytes, timeMs);
        decodeWith(*m_candidates[i]);
    }
}

void LineMonitor::settle(qint64 nowMs)
{
    for (size_t i = 0; i < m_candidates.size(); ++i) {
        if (!fedCandidate(int(i)))
            continue;
        m_candidates[i]->decoder->settle(nowMs);
        decodeWith(*m_candidates[i]);
    }
}

quint32 LineMonitor::huntingBusType() const
{
    if (m_busType != AnyBus || m_candidates.empty())
        return m_busType;
    return m_candidates[size_t(m_huntIndex)]->busType;
}

qint64 LineMonitor::rejectedBytes() const
{
    for (const auto& candidate : m_candidates)
        if (candidate->busType == m_busType)
            return candidate->decoder->rejectedBytes();
    return 0;
}

int LineMonitor::rejectedRuns() const
{
    for (const auto& candidate : m_candidates)
        if (candidate->busType == m_busType)
            return candidate->decoder->rejectedRuns();
    return 0;
}

void LineMonitor::setTankTable(int address, const TankTable& table)
{
    m_tankTables.insert(address, table);
}

void LineMonitor::slotReadyRead()
{
    if (!m_port)
        return;
    QByteArray bytes;
    char chunk[kReadChunk];
    qint64 count;
    while ((count = m_port->read(chunk, sizeof chunk)) > 0)
        bytes.append(chunk, int(count));
    if (count < 0) {
        m_portError = m_port->errorString();
        finish();
        emit portFailed(m_portError);
        return;
    }
    feed(bytes, m_clock());
}

// A phase that heard some checked exchange gets one more turn before the next
// protocol is tried.
void LineMonitor::slotHuntStep()
{
    if (m_busType != AnyBus || !m_port || m_candidates.empty())
        return;
    Candidate& current = *m_candidates[size_t(m_huntIndex)];
    if (current.evidence > 0 && !m_huntExtended) {
        m_huntExtended = true;
        m_huntTimer.start();
        return;
    }
    current.decoder->reset();
    current.pairing.reset();
    current.heard.clear();
    current.evidence = 0;
    if (listenAt((m_huntIndex + 1) % int(m_candidates.size()))) {
        m_huntTimer.start();
        return;
    }
    m_portError = m_port->errorString();
    emit portFailed(m_portError);
}

void LineMonitor::slotSettle()
{
    settle(m_clock());
}

void LineMonitor::decodeWith(Candidate& candidate)
{
    candidate.decoder->takeFrames(&m_frames);
    m_exchanges.clear();
    for (const PassiveFrame& frame : qAsConst(m_frames))
        candidate.pairing.take(frame, &m_exchanges);
    take(candidate, m_exchanges);
}

// While hunting, exchanges wait with their candidate: only the protocol found
// gets figures.
void LineMonitor::take(Candidate& candidate, const QVector<MonitorExchange>& exchanges)
{
    if (m_busType != AnyBus) {
        for (const MonitorExchange& exchange : exchanges)
            publish(exchange);
        return;
    }
    for (const MonitorExchange& exchange : exchanges) {
        candidate.heard << exchange;
        if (exchange.isPaired() || exchange.result == MonitorExchange::SentUnasked)
            ++candidate.evidence;
    }
    if (candidate.evidence >= HuntEvidence)
        settleOn(candidate);
}

void LineMonitor::settleOn(Candidate& candidate)
{
    m_busType = candidate.busType;
    m_huntTimer.stop();
    emit protocolFound(m_busType);
    const QVector<MonitorExchange> heard = candidate.heard;
    for (auto& other : m_candidates)
        other->heard.clear();
    for (const MonitorExchange& exchange : heard)
        publish(exchange);
}

void LineMonitor::publish(const MonitorExchange& exchange)
{
    AddressFigures& figures = m_figures[exchange.address];
    figures.address = exchange.address;
    figures.record(exchange);
    const auto table = m_tankTables.constFind(exchange.address);
    if (table != m_tankTables.constEnd() && exchange.hasReply && exchange.reply.hasReading &&
        exchange.reply.reading.hasLevel()) {
        figures.hasLitres = true;
        figures.litres = table->volumeAt(exchange.reply.reading.rawLevel).litres;
    }
    emit exchangeDecoded(exchange);
    emit figuresChanged(exchange.address);
}
