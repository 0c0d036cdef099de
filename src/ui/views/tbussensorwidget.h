#pragma once

#include "views/levelsensorwidget.h"

class CommandButton;
class TBusSensor;

// The tab of one TBus sensor: its level, and the two calibration commands,
// each tried twice before it counts as failed.
class TBusSensorWidget : public LevelSensorWidget
{
    Q_OBJECT
public:
    explicit TBusSensorWidget(TBusSensor* sensor, QWidget* parent = nullptr);

    TBusSensor* sensor() const;

public slots:
    void updateFeatures() override;

private:
    CommandButton* addCalibrationButton(const QString& name, const QString& what,
                                        const QString& question, const QString& done);

    CommandButton* m_setMinimumButton;
    CommandButton* m_setMaximumButton;
};
