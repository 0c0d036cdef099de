#pragma once

#include "port/serialportinfo.h"
#include "port/serialportsettings.h"

#include <QList>
#include <QWidget>

class QAction;
class QPushButton;
namespace Ui {
class PortOptionsPanel;
}

// The port panel of the status bar: a button named after the selected port whose
// pop-up picks the port and the baud rate, switches the automatic port search and
// adds ports the system does not list. It never opens a port: it emits what the
// user chose and shows what the port manager reports, without echoing it back.
class PortOptionsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit PortOptionsWidget(QWidget* parent = nullptr);
    ~PortOptionsWidget() override;

    const QList<SerialPortInfo>& ports() const { return m_ports; }
    // Lists and selects a device path the system does not list; the text of what
    // went wrong, or an empty string.
    QString addPort(const QString& path);
    // One more entry under the panel, for what the window does with the port.
    void addMenuAction(QAction* action);

signals:
    void portChanged(const SerialPortInfo& info);
    void baudRateChanged(int index);
    void portDetectionChanged(bool on);

public slots:
    void slotSerialPortParametersChanged(const SerialPortSettings& settings);
    void setPortDetection(bool on);
    void slotPortListChanged();
    void slotCurrentPortChanged(int index);
    void baudRateChangeRequested(int item);

private slots:
    void slotAddPortClicked();

private:
    QWidget* createPanel();
    void fillBaudRates();
    int indexOfPort(const QString& name) const;

    Ui::PortOptionsPanel* m_ui;
    QPushButton* m_portButton;
    QList<SerialPortInfo> m_ports;
    bool m_suppress = false;
};
