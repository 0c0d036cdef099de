#pragma once

#include "plot/samplepoints.h"
#include "views/plotsensorwidget.h"

#include <memory>

class FailureStatusLine;
class QHBoxLayout;

namespace Ui {
class LevelSensorWidget;
}

// The tab of a sensor that reports a level alone (ModBus, TBus): its raw level,
// level bar and plot. Each protocol's view names the level and puts its own
// commands in the row under the plot.
class LevelSensorWidget : public PlotSensorWidget<LevelSamplePoint>
{
    Q_OBJECT
public:
    ~LevelSensorWidget() override;

    QString plotToolTipText(double time) override;
    void savePlotDataImpl(QTextStream& stream) override;

public slots:
    void showReading(const SensorReading& reading) override;

protected:
    LevelSensorWidget(BaseSensor* sensor, QWidget* parent);

    void showFields(const SensorReading& reading) override;
    // The level's label and its tooltip, and how a failed sample's tooltip
    // ends, in the words of the protocol's view.
    void setLevelTexts(const QString& label, const QString& toolTip, const QString& errorText);
    QHBoxLayout* commandLayout() const;
    FailureStatusLine* statusLine() const;

private:
    std::unique_ptr<Ui::LevelSensorWidget> ui;
    QString m_errorText;
};
