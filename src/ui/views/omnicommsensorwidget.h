#pragma once

#include "engine/commandcallback.h"
#include "plot/omnicommseriesdata.h"
#include "plot/reducedplotcurve.h"
#include "plot/samplepoints.h"
#include "views/plotsensorwidget.h"

#include <QPointer>
#include <memory>
#include <qwt_plot_scaleitem.h>

class IntSpinBoxParameterWidget;
class MappedScaleDraw;
class OmniCommSensor;
class QInputDialog;

namespace Ui {
class OmniCommSensorWidget;
}

// The tab of one Omnicomm sensor: its level, frequency and temperature as text,
// bar and plot (frequency on the right axis, temperature on a scale of its own
// inside the canvas's right edge), its
// configuration as parameter editors, and its address, mode and calibration.
class OmniCommSensorWidget : public PlotSensorWidget<OmniCommSamplePoint>
{
    Q_OBJECT
public:
    explicit OmniCommSensorWidget(OmniCommSensor* sensor, QWidget* parent = nullptr);
    ~OmniCommSensorWidget() override;

    OmniCommSensor* sensor() const;
    void bindParameterWidget(ParameterWidget* widget, int id) override;
    QString plotToolTipText(double time) override;
    void savePlotDataImpl(QTextStream& stream) override;
    void updatePlotSettingsImpl(const PlotSettings& settings) override;
    int replyIntervalMs() const override;
    QList<ShownValue> shownConfiguration() const override;

    static QString colorSquare(const QColor& color);
    static QString modeText(int mode);

public slots:
    void showReading(const SensorReading& reading) override;
    void updateFeatures() override;
    void clearPlot() override;
    void slotModeChanged();
    void slotConfigurationUpdated();
    void showServiceControls(bool on);

private slots:
    void on_settingsButton_clicked();
    void on_actionRefresh_Configuration_triggered();
    void on_changeAddressButton_clicked();
    void on_autoModeCheckBox_clicked(bool checked);
    void on_setEmptyButton_clicked();
    void on_actionSet_Empty_triggered();
    void on_setFullButton_clicked();
    void on_actionSet_Full_triggered();
    void slotAddressChosen(int address);
    void slotConfigurationReadFailed(CommandCallback::Result result);
    void slotAddressChangeFailed(CommandCallback::Result result);

protected:
    void showFields(const SensorReading& reading) override;

private:
    void bindParameterWidgets();
    void initRightAxis();
    void fitRightAxis();
    void fitTemperatureScale(double top);
    void colourTemperatureScale();
    // Why the configuration parameters the sensor has not reported are not known.
    QString unknownReason() const;
    void showConfiguration();
    void calibrateFrom(IntSpinBoxParameterWidget* widget, const QString& what,
                       const QString& question);
    QString refusal(int index, const QVariant& value) const;
    void setModeCallback(CommandCallback::Result result, const EngineCommand& command);
    static OmniCommSamplePoint sampleOf(const SensorReading& reading);

    std::unique_ptr<Ui::OmniCommSensorWidget> ui;
    QList<ParameterWidget*> m_parameterWidgets;
    OmniCommTemperatureSeriesData* m_temperatureSeries;
    OmniCommFrequencySeriesData* m_frequencySeries;
    ReducedPlotCurve m_frequencyCurve;
    ReducedPlotCurve m_temperatureCurve;
    QwtPlotScaleItem m_temperatureScale;
    MappedScaleDraw* m_temperatureScaleDraw;
    MemFunCommandCallback<OmniCommSensorWidget> m_modeCallback;
    QPointer<QInputDialog> m_addressDialog;
    // What the plot has shown since it was cleared, which its scales must reach.
    qint16 m_lowestTemperature = 0;
    qint16 m_highestTemperature = 0;
    quint16 m_highestFrequency = 0;
    // The calibration whose write is under way, named in what is said of it.
    ParameterWidget* m_calibrated = nullptr;
    QString m_calibration;
};
