#pragma once

#include <QObject>

class QWidget;
class SensorWidget;
class SerialPortManager;
class TankCalibrationDialog;

// The tank calibrations of a window's sensors: a "Tank calibration..." entry in
// each sensor's actions, one dialog per sensor that keeps its table while
// hidden, and the question what becomes of tables not saved.
class TankCalibrations : public QObject
{
    Q_OBJECT
public:
    TankCalibrations(QWidget* window, const SerialPortManager* manager);

    void addActionTo(SensorWidget* view);
    // The view's dialog, made on first use.
    TankCalibrationDialog* open(SensorWidget* view);
    // Asks about every unsaved table of the window, or only the view's: false
    // when the engineer wants to keep one.
    bool settleUnsaved(SensorWidget* view = nullptr);

private:
    void keepUnsavedRows(const QString& reason);
    void placeBesideWindow(QWidget* dialog) const;

    QWidget* const m_window;
    const SerialPortManager* const m_manager;
};
