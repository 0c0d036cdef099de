#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class LineDataModel;
class LineMonitorPage;
class MainTabWidget;
class SerialPort;
class SerialPortManager;
struct MonitorExchange;

// Watching the line instead of polling it: the manager stops its engine and
// closes its port, a page of its own opens the port only to read, and leaving
// gives the line back to normal polling.
class LineMonitorMode : public QObject
{
    Q_OBJECT
public:
    using PortMaker = std::function<SerialPort*(QObject* parent)>;

    LineMonitorMode(SerialPortManager* manager, MainTabWidget* tabs, LineDataModel* lineData,
                    PortMaker makePort, QObject* parent = nullptr);
    ~LineMonitorMode() override;

    bool isActive() const { return !m_page.isNull(); }
    LineMonitorPage* page() const { return m_page; }
    QString errorText() const { return m_error; }

public slots:
    // False, with the reason in errorText(), when there is no port to watch.
    bool enter();
    void leave();

signals:
    void activeChanged(bool active);

private:
    void addLineDataRow(const MonitorExchange& exchange);
    void lendTankTables();

    SerialPortManager* m_manager;
    MainTabWidget* m_tabs;
    QPointer<LineDataModel> m_lineData;
    PortMaker m_makePort;
    QPointer<LineMonitorPage> m_page;
    QString m_error;
};
