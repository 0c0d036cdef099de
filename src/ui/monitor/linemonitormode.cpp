#include "monitor/linemonitormode.h"

#include "app/maintabwidget.h"
#include "session/enginefactory.h"
#include "engine/serialsensor.h"
#include "log/linedatamodel.h"
#include "monitor/linemonitorpage.h"
#include "port/serialport.h"
#include "session/serialportmanager.h"

#include <QDateTime>

namespace {

QString hexText(const PassiveFrame& frame)
{
    return QString::fromLatin1(frame.bytes.toHex(' ')).toUpper();
}

CommandCallback::Result resultOf(MonitorExchange::Result result)
{
    switch (result) {
    case MonitorExchange::TimedOut:
        return CommandCallback::Timeout;
    case MonitorExchange::ChecksumFailed:
        return CommandCallback::CrcFail;
    case MonitorExchange::Refused:
    case MonitorExchange::SensorStatus:
        return CommandCallback::Nack;
    case MonitorExchange::Unpaired:
        return CommandCallback::Stray;
    case MonitorExchange::Answered:
    case MonitorExchange::SentUnasked:
        break;
    }
    return CommandCallback::Ok;
}

} // namespace

LineMonitorMode::LineMonitorMode(SerialPortManager* manager, MainTabWidget* tabs,
                                 LineDataModel* lineData, PortMaker makePort, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_tabs(tabs)
    , m_lineData(lineData)
    , m_makePort(std::move(makePort))
{}

LineMonitorMode::~LineMonitorMode()
{
    // The page goes with the tabs; only its port must be shut before the manager goes.
    if (m_page)
        m_page->stop();
}

bool LineMonitorMode::enter()
{
    if (isActive())
        return true;
    const QString portName = m_manager->serialPortSettings().portName;
    if (portName.isEmpty()) {
        m_error = tr("Choose the port to watch first.");
        return false;
    }
    const int model = m_manager->busType();
    const quint32 busType =
        model < 0 ? LineMonitor::AnyBus
                  : EngineFactory::features(unsigned(model)) & EngineFactory::BusTypeMask;
    m_manager->stop();
    SerialPort* port = m_makePort(nullptr);
    port->setPortName(portName);
    m_page = new LineMonitorPage(port, busType);
    lendTankTables();
    connect(m_page, &LineMonitorPage::exchangeDecoded, this, &LineMonitorMode::addLineDataRow);
    connect(m_page, &LineMonitorPage::leaveRequested, this, &LineMonitorMode::leave);
    m_tabs->setTabClosable(m_tabs->addTab(m_page, tr("Line monitor")), false);
    m_tabs->setCurrentWidget(m_page);
    // A port that will not open leaves the page up, saying why, until the user leaves.
    m_page->start();
    m_error.clear();
    emit activeChanged(true);
    return true;
}

void LineMonitorMode::leave()
{
    if (!isActive())
        return;
    m_page->stop();
    m_tabs->removeTab(m_tabs->indexOf(m_page));
    m_page->deleteLater();
    m_page = nullptr;
    m_manager->start();
    emit activeChanged(false);
}

void LineMonitorMode::lendTankTables()
{
    const SerialEngine* engine = m_manager->engine();
    if (!engine)
        return;
    for (const SerialSensor* sensor : engine->sensors()) {
        if (const TankTable* table = sensor->tankTable())
            m_page->monitor()->setTankTable(sensor->address(), *table);
    }
}

void LineMonitorMode::addLineDataRow(const MonitorExchange& exchange)
{
    if (!m_lineData)
        return;
    LineDataModel::Row row;
    row.time = QDateTime::fromMSecsSinceEpoch(exchange.timeMs);
    row.request = exchange.hasRequest ? hexText(exchange.request) : QString();
    QString note = exchange.directionText() + QStringLiteral(", ") + exchange.resultText();
    if (!exchange.detailText().isEmpty())
        note += QStringLiteral(": ") + exchange.detailText();
    row.response =
        (exchange.hasReply ? hexText(exchange.reply) + QStringLiteral("  ") : QString()) +
        QStringLiteral("(%1)").arg(note);
    row.result = resultOf(exchange.result);
    m_lineData->appendRow(std::move(row));
}
