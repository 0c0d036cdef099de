#include "monitor/linemonitorpage.h"

#include "monitor/monitorlevelplot.h"
#include "monitor/passivedecoders.h"
#include "port/serialport.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

LineMonitorPage::LineMonitorPage(SerialPort* port, quint32 busType, QWidget* parent)
    : QWidget(parent)
    , m_port(port)
    , m_banner(new QLabel(this))
    , m_state(new QLabel(this))
    , m_table(new QTableView(this))
    , m_plot(new MonitorLevelPlot(this))
{
    m_port->setParent(this);
    m_monitor.setBusType(busType);
    m_banner->setText(
        tr("<b>Listening only: nothing is sent on %1.</b> The vehicle's tracker stays the master "
           "of the line; Nivelon's own polling is paused until you stop watching.")
            .arg(m_port->portName().toHtmlEscaped()));
    m_banner->setWordWrap(true);
    m_banner->setStyleSheet(QStringLiteral("QLabel { background: #fff4c2; padding: 6px; }"));
    auto* leave = new QPushButton(tr("Stop watching"), this);
    connect(leave, &QPushButton::clicked, this, &LineMonitorPage::leaveRequested);
    auto* top = new QHBoxLayout;
    top->addWidget(m_banner, 1);
    top->addWidget(leave);

    m_table->setModel(&m_figures);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_table);
    split->addWidget(m_plot);
    split->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_state);
    layout->addWidget(split, 1);

    connect(&m_monitor, &LineMonitor::exchangeDecoded, this, &LineMonitorPage::plotExchange);
    connect(&m_monitor, &LineMonitor::exchangeDecoded, this, &LineMonitorPage::exchangeDecoded);
    connect(&m_monitor, &LineMonitor::figuresChanged, this, &LineMonitorPage::showFigures);
    connect(&m_monitor, &LineMonitor::listening, this, &LineMonitorPage::showListening);
    connect(&m_monitor, &LineMonitor::protocolFound, this, &LineMonitorPage::showListening);
    connect(&m_monitor, &LineMonitor::portFailed, this, &LineMonitorPage::showFailure);
}

LineMonitorPage::~LineMonitorPage()
{
    stop();
}

bool LineMonitorPage::start()
{
    if (m_monitor.start(m_port))
        return true;
    showFailure(m_monitor.portError());
    return false;
}

void LineMonitorPage::stop()
{
    m_monitor.finish();
    if (m_port->isOpen())
        m_port->close();
}

QString LineMonitorPage::stateText() const
{
    return m_state->text();
}

void LineMonitorPage::plotExchange(const MonitorExchange& exchange)
{
    if (!exchange.hasReply || !exchange.reply.hasReading || !exchange.reply.reading.hasLevel())
        return;
    if (m_firstMs < 0)
        m_firstMs = exchange.timeMs;
    m_plot->addLevel(exchange.address, (exchange.timeMs - m_firstMs) / 1000.0,
                     double(exchange.reply.reading.level));
}

void LineMonitorPage::showFigures(int address)
{
    const auto it = m_monitor.figures().constFind(address);
    if (it != m_monitor.figures().constEnd())
        m_figures.update(*it);
}

void LineMonitorPage::showListening(quint32 busType)
{
    if (m_monitor.busType() == LineMonitor::AnyBus)
        m_state->setText(tr("Looking for the protocol: listening at the line settings of %1…")
                             .arg(PassiveDecoders::name(busType)));
    else
        m_state->setText(tr("Decoding %1 on %2.")
                             .arg(PassiveDecoders::name(m_monitor.busType()), m_port->portName()));
}

void LineMonitorPage::showFailure(const QString& reason)
{
    m_state->setText(tr("Cannot listen on %1: %2").arg(m_port->portName(), reason));
}
