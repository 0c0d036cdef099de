#pragma once

#include "plot/samplepoints.h"
#include "views/plotsensorwidget.h"

#include <memory>

class CommandButton;
class TBusSensor;

namespace Ui {
class TBusSensorWidget;
}

// The tab of one TBus sensor: its raw level, level bar and plot, and the two
// calibration commands, each tried twice before it counts as failed.
class TBusSensorWidget : public PlotSensorWidget<TBusSamplePoint>
{
    Q_OBJECT
public:
    explicit TBusSensorWidget(TBusSensor* sensor, QWidget* parent = nullptr);
    ~TBusSensorWidget() override;

    TBusSensor* sensor() const;
    QString plotToolTipText(double time) override;
    void savePlotDataImpl(QTextStream& stream) override;

public slots:
    void showReading(const SensorReading& reading) override;
    void updateFeatures() override;

protected:
    void showFields(const SensorReading& reading) override;

private:
    void initCalibrationButton(CommandButton* button, const QString& what, const QString& question,
                               const QString& done);

    std::unique_ptr<Ui::TBusSensorWidget> ui;
};
