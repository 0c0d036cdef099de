#pragma once

#include "session/serialportmanager.h"

#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <memory>

namespace Ui {
class MainWindow;
}

class BaseSensor;
class CustomProgressBar;
class DetectionReminderDialog;
class FillingColumns;
class LineDataModel;
class LineMonitorMode;
class PortEnumerator;
class PortOptionsWidget;
class QLabel;
class SensorWidget;
class TankCalibrations;

// The application's only window, where the subsystems are wired together: it owns
// the port manager (and through it the engine and its sensors), shows one tab per
// sensor next to the status tab with the text log, and carries the menus, the
// status bar with the port panel and the detection progress, and the line-data dock.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // The hooks reach the port manager; tests script the port and the model question.
    explicit MainWindow(PortEnumerator* enumerator, QWidget* parent = nullptr,
                        SerialPortManager::Hooks hooks = SerialPortManager::defaultHooks());
    ~MainWindow() override;

    SerialPortManager* manager() const { return m_manager; }
    // The size of the window at a first start on a screen with this much room.
    static QSize firstSize(const QSize& available);

signals:
    void detectionProgressTextChanged(const QString& t);
    void showDetectionReminder();
    void hideDetectionReminder();
    void sensorsNotDetected();
    // A sensor's view has just got its tab.
    void sensorViewOpened(SensorWidget* view);

private slots:
    void slotSensorDetected(BaseSensor* sensor);
    void slotAddressChanged(uint8_t newAddress);
    void slotManagerStateChanged();
    void slotBusTypeAction(QAction* act);
    void setAutoScrollLogEnabled(bool v);
    void on_sensorTabWidget_tabCloseRequested(int index);
    void on_actionPlot_triggered();
    void on_actionAddSensor_triggered();
    void on_actionStart_triggered(bool v);
    void on_actionQueryInterval_triggered();
    void on_actionSave_plot_triggered();
    void on_sensorTabWidget_currentChanged(int index);
    void slotDetectionStateChanged(int newState);
    void setAutoDetectSensorsEnabled(bool v);
    void on_sensorTabWidget_currentChanged(QWidget* widget);
    void slotLineLost(const QString& message);
    void slotLineRestored();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int askSensorModel();
    void setUpStatusLog();
    void setUpStatusBar();
    void setUpReminder();
    void setUpLineDataLog();
    void showLineDataView(bool shown);
    void setUpLineMonitor(std::function<SerialPort*(QObject*)> makePort);
    void setUpTabCorner();
    void connectPortPanel();
    void setUpModelActions();
    void setUpServiceControlsAction();
    void restoreGeometryAndLog();
    void fitToScreen();
    void setUpLogDockToggle();
    void placeLogDock(bool visible);
    void fitLogDock();
    void setUpScrollingTabs();
    void updateDetectionProgressBarVisibility();
    void showPortTrouble();
    void dismantleEngine();
    SensorWidget* sensorWidgetAt(int index) const;
    int tabIndexFor(int address, const QWidget* view) const;
    int sensorTabCount() const;

    std::unique_ptr<Ui::MainWindow> ui;
    LineDataModel* m_lineDataModel = nullptr;
    QLabel* m_statusIconLabel = nullptr;
    CustomProgressBar* m_detectionProgressBar = nullptr;
    // Deletes itself when the user presses "Hide".
    QPointer<DetectionReminderDialog> m_detectionReminder;
    SerialPortManager* m_manager = nullptr;
    int m_lastDetectionState = 0;
    QLabel* m_busTypeLabel = nullptr;
    PortOptionsWidget* m_portOptions = nullptr;
    TankCalibrations* m_tankCalibrations = nullptr;
    LineMonitorMode* m_monitorMode = nullptr;
    FillingColumns* m_lineDataColumns = nullptr;
    // The dock has a place of the user's from an earlier run.
    bool m_logDockPlaced = false;
    QMetaObject::Connection m_firstDockShow;
    QMetaObject::Connection m_firstRows;
    int m_firstRowCount = 0;
    QString m_portTrouble;
    // Shown in the status bar, and in every tab opened meanwhile, from the loss of
    // the line until it answers again.
    QString m_lineLost;
    QString m_lineNoisy;
};
