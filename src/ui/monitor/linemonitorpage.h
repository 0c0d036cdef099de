#pragma once

#include "monitor/linemonitor.h"
#include "monitor/monitorfiguresmodel.h"

#include <QWidget>

class MonitorLevelPlot;
class QLabel;
class QTableView;
class SerialPort;

// The tab of a watched line: it says that nothing is sent, shows the figures of
// every address heard and their levels, and hands each decoded exchange on. The
// port is its own, opened only to read.
class LineMonitorPage : public QWidget
{
    Q_OBJECT
public:
    // Takes the port over; busType is the protocol to decode, or LineMonitor::AnyBus.
    LineMonitorPage(SerialPort* port, quint32 busType, QWidget* parent = nullptr);
    ~LineMonitorPage() override;

    // Opens the port and listens; false, and the reason on the page, when it cannot.
    bool start();
    void stop();

    LineMonitor* monitor() { return &m_monitor; }
    const MonitorFiguresModel* figuresModel() const { return &m_figures; }
    const MonitorLevelPlot* levelPlot() const { return m_plot; }
    QString stateText() const;

signals:
    void exchangeDecoded(const MonitorExchange& exchange);
    void leaveRequested();

private:
    void plotExchange(const MonitorExchange& exchange);
    void showFigures(int address);
    void showListening(quint32 busType);
    void showFailure(const QString& reason);

    SerialPort* m_port;
    LineMonitor m_monitor;
    MonitorFiguresModel m_figures;
    QLabel* m_banner;
    QLabel* m_state;
    QTableView* m_table;
    MonitorLevelPlot* m_plot;
    qint64 m_firstMs = -1;
};
