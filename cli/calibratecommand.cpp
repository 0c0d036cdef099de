#include "calibratecommand.h"

#include "linesession.h"
#include "protocols/tbus/tbussensor.h"
#include "session/enginefactory.h"

CalibrateCommand::CalibrateCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
    , m_point(options.values.value(0).toLower())
{
    m_callback.setFunction(
        [this](CommandCallback::Result result, const EngineCommand&) { calibrated(result); });
}

void CalibrateCommand::start()
{
    LineSession* line = createSession(m_options.modelIndex);
    auto* sensor = qobject_cast<TBusSensor*>(line->addSensor(m_options.address));
    const QStringList models =
        LineSession::modelCodes(EngineFactory::BusTBus, EngineFactory::FeatureCalibration);
    if (!sensor || !(sensor->features() & EngineFactory::FeatureCalibration)) {
        finish(ExitBadArguments,
               QStringLiteral("model %1 at address %2 cannot be calibrated: give a TBus model "
                              "with calibration (%3) and an address from 1 to 254")
                   .arg(m_options.modelCode)
                   .arg(m_options.address)
                   .arg(models.join(QStringLiteral(", "))));
        return;
    }
    if (m_point != QLatin1String("min") && m_point != QLatin1String("max")) {
        finish(ExitBadArguments, QStringLiteral("the calibration point is \"min\" or \"max\", "
                                                "not \"%1\"")
                                     .arg(m_options.values.value(0)));
        return;
    }
    if (!openPort())
        return;
    if (m_point == QLatin1String("min"))
        sensor->requestSetMinimum(&m_callback);
    else
        sensor->requestSetMaximum(&m_callback);
    line->start(false);
}

void CalibrateCommand::calibrated(CommandCallback::Result result)
{
    const QString point = m_point == QLatin1String("min") ? "minimum" : "maximum";
    if (result != CommandCallback::Ok) {
        finish(exitCodeOf(result),
               QStringLiteral("setting the %1 at address %2 failed: %3; check the address and "
                              "the wiring")
                   .arg(point)
                   .arg(m_options.address)
                   .arg(callbackResultToString(result)));
        return;
    }
    m_output->text(QStringLiteral("%1 set at address %2").arg(point).arg(m_options.address));
    m_output->json(QJsonObject{{"address", m_options.address}, {"point", m_point}});
    finish(ExitDone);
}
