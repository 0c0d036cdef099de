#include "views/tbussensorwidget.h"

#include "parameters/commandbutton.h"
#include "protocols/tbus/tbussensor.h"
#include "session/enginefactory.h"
#include "views/failurestatusline.h"

#include <QHBoxLayout>

namespace {

const int kCalibrationAttempts = 2;

} // namespace

TBusSensorWidget::TBusSensorWidget(TBusSensor* sensor, QWidget* parent)
    : LevelSensorWidget(sensor, parent)
{
    // The name the diagnostic log knows the view by.
    setObjectName(QStringLiteral("TBusSensorWidget"));
    setLevelTexts(tr("LVL"), QString(), QStringLiteral("\nError"));
    m_setMinimumButton =
        addCalibrationButton(QStringLiteral("setMinimumButton"), tr("Set minimum"),
                             tr("Make the sensor's present level its minimum (empty tank)?"),
                             tr("Minimum set at the present level"));
    m_setMaximumButton =
        addCalibrationButton(QStringLiteral("setMaximumButton"), tr("Set maximum"),
                             tr("Make the sensor's present level its maximum (full tank)?"),
                             tr("Maximum set at the present level"));
    connect(m_setMinimumButton, &CommandButton::triggered, sensor, &TBusSensor::requestSetMinimum);
    connect(m_setMaximumButton, &CommandButton::triggered, sensor, &TBusSensor::requestSetMaximum);
    updateFeatures();
}

// Calibration moves the sensor's scale for good: it is asked for, and what it
// did is said under the plot.
CommandButton* TBusSensorWidget::addCalibrationButton(const QString& name, const QString& what,
                                                      const QString& question, const QString& done)
{
    auto* button = new CommandButton(this);
    button->setObjectName(name);
    button->setText(what);
    button->setRequestCount(kCalibrationAttempts);
    button->setConfirmation(what, question);
    commandLayout()->addWidget(button);
    connect(button, &CommandButton::finished, this,
            [this, what, done](CommandCallback::Result result) {
                const TBusSensor* sensor = this->sensor();
                if (!sensor)
                    return;
                if (result == CommandCallback::Ok)
                    statusLine()->tell(sensor->address(), done);
                else
                    statusLine()->reportResult(sensor->address(), what, result);
            });
    return button;
}

TBusSensor* TBusSensorWidget::sensor() const
{
    return static_cast<TBusSensor*>(baseSensor());
}

void TBusSensorWidget::updateFeatures()
{
    const TBusSensor* sensor = this->sensor();
    const bool calibration = sensor && (sensor->features() & EngineFactory::FeatureCalibration);
    const QString why =
        calibration ? QString() : tr("This sensor model cannot be calibrated from here");
    for (CommandButton* button : {m_setMinimumButton, m_setMaximumButton}) {
        button->setEnabled(calibration);
        button->setToolTip(why);
    }
}
