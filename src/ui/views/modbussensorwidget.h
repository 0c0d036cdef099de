#pragma once

#include "engine/commandcallback.h"
#include "plot/samplepoints.h"
#include "views/plotsensorwidget.h"

#include <memory>

class ModBusSensor;

namespace Ui {
class ModBusSensorWidget;
}

// The tab of one ModBus sensor: its raw level, level bar and plot, and a new bus
// address on request.
class ModBusSensorWidget : public PlotSensorWidget<ModBusSamplePoint>
{
    Q_OBJECT
public:
    explicit ModBusSensorWidget(ModBusSensor* sensor, QWidget* parent = nullptr);
    ~ModBusSensorWidget() override;

    ModBusSensor* sensor() const;
    QString plotToolTipText(double time) override;
    void savePlotDataImpl(QTextStream& stream) override;

public slots:
    void showReading(const SensorReading& reading) override;
    void updateFeatures() override {}

private slots:
    void on_setAddressButton_clicked();
    void slotAddressChosen(int address);
    void slotAddressChangeFailed(CommandCallback::Result result);

protected:
    void showFields(const SensorReading& reading) override;

private:
    std::unique_ptr<Ui::ModBusSensorWidget> ui;
};
