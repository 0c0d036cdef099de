#pragma once

#include "engine/sensorreading.h"
#include "tank/tankcalibration.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>

class BaseSensor;
class QDoubleSpinBox;
class QLineEdit;

namespace Ui {
class TankCalibrationDialog;
}

// Calibrating one sensor's tank beside its live tab: pour the step, watch the
// level settle, record it, repeat until full; then save the table. The table
// becomes the sensor's as it grows, so the tab shows litres at once. Closing
// the dialog only hides it: the table stays until it is saved or discarded.
class TankCalibrationDialog : public QDialog
{
    Q_OBJECT
public:
    TankCalibrationDialog(BaseSensor* sensor, const QString& model, QWidget* parent);
    ~TankCalibrationDialog() override;

    const TankCalibration& calibration() const { return m_calibration; }
    // Rows recorded or taken back since the table was last saved or loaded.
    bool isUnsaved() const { return m_unsaved; }
    // Asks what becomes of an unsaved table, with parent as the question's
    // window: true once it is saved or may go, false to keep it.
    bool settleUnsaved(QWidget* parent);

    bool saveTo(const QString& path, QString* error);
    bool loadFrom(const QString& path, QString* error);
    // The line was lost, or the program quits without asking: rows not saved
    // are written beside the saved tables, marked incomplete with the reason
    // (a fixed text, as the file's comments are), and the dialog says where.
    void keepUnsavedRows(const QString& reason);
    // Where they were kept; empty until then.
    QString keptIn() const { return m_keptIn; }

private slots:
    void slotSensorUpdated();
    void on_recordButton_clicked();
    void on_forceButton_clicked();
    void on_undoButton_clicked();
    void on_saveButton_clicked();
    void on_loadButton_clicked();
    void on_toleranceSpinBox_valueChanged(double percent);
    void on_settleSpinBox_valueChanged(double seconds);
    void on_stepSpinBox_valueChanged(double litres);
    void fromShape();
    void exportTable();

private:
    SensorReading reading() const;
    bool save();
    bool writeTable(const QString& path, const QString& incomplete, QString* error);
    QString suggestedName() const;
    void record();
    // What the last action came to, until the next one.
    void say(const QString& message);
    bool refused(QDoubleSpinBox* box, const QString& what, double holding);
    void showReading();
    void showStability();
    void showStep();
    void showTable();
    void tableChanged();
    void setUpPlot();
    void addShapeButtons();
    void addFleetControls();
    void fromFleetLibrary();
    void publishToFleet();

    std::unique_ptr<Ui::TankCalibrationDialog> ui;
    QPointer<BaseSensor> m_sensor;
    const QString m_model;
    TankCalibration m_calibration;
    bool m_readingValid = false;
    bool m_unsaved = false;
    QLineEdit* m_tankModelEdit = nullptr;
    // The engineer let the table go when asked.
    bool m_discarded = false;
    QString m_keptIn;
    QString m_keptNotice;
    QString m_message;
    QwtPlotCurve m_curve;
    QwtPlotMarker m_levelMarker;
    // Readings come far more often than the plot needs redrawing.
    QTimer m_replotTimer;
};
