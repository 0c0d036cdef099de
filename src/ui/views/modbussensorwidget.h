#pragma once

#include "engine/commandcallback.h"
#include "views/levelsensorwidget.h"

class ModBusSensor;

// The tab of one ModBus sensor: its level, and a new bus address on request.
class ModBusSensorWidget : public LevelSensorWidget
{
    Q_OBJECT
public:
    explicit ModBusSensorWidget(ModBusSensor* sensor, QWidget* parent = nullptr);

    ModBusSensor* sensor() const;

public slots:
    void updateFeatures() override {}

private slots:
    void slotAskAddress();
    void slotAddressChosen(int address);
    void slotAddressChangeFailed(CommandCallback::Result result);
};
