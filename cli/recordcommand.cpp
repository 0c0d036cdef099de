#include "recordcommand.h"

#include "engine/serialsensor.h"
#include "files/wholefile.h"
#include "fleet/fleetpayloads.h"
#include "linesession.h"
#include "parameters/ktparameter.h"
#include "protocols/omnicomm/omnicommsensor.h"
#include "record/commissioningrecord.h"

namespace {
// A lost or damaged frame is no reason to give up; a silent sensor is.
const int kTries = 3;
} // namespace

RecordCommand::RecordCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{
    connect(&m_pollTimer, &PollTimer::elapsed, this, &RecordCommand::pollingDone);
}

void RecordCommand::start()
{
    m_sensor = createSensorSession();
    if (!m_sensor)
        return;
    QString error;
    if (!m_options.tank.loadTable(&m_tankTable, &error)) {
        finish(ExitBadArguments, error);
        return;
    }
    if (!outputWritable() || !openPort())
        return;
    m_omnicomm = qobject_cast<OmniCommSensor*>(m_sensor);
    m_pollTimer.start(session()->engine(), m_options.seconds);
    session()->start(false);
}

// Found out before the seconds of polling, not after them.
bool RecordCommand::outputWritable()
{
    QString error;
    if (WholeFile::writable(m_options.out, &error))
        return true;
    finish(ExitPortFailure, error);
    return false;
}

// The configuration is read last, so the record has what the sensor holds now.
void RecordCommand::pollingDone()
{
    const LineStatistics& statistics = m_sensor->lineStatistics();
    if (statistics.successes == 0 && statistics.unsolicited == 0) {
        finish(ExitNothingAnswered,
               QStringLiteral("no reply from address %1 on %2: check the address, the model and "
                              "the wiring; no record written")
                   .arg(m_options.address)
                   .arg(m_options.port));
        return;
    }
    if (!m_omnicomm) {
        write();
        return;
    }
    connect(m_omnicomm, &OmniCommSensor::configurationUpdated, this,
            &RecordCommand::configurationRead);
    m_omnicomm->requestConfigurationUpdate();
}

void RecordCommand::configurationRead()
{
    if (m_omnicomm->parameter(OmniCommSensor::FMaxIndex)->isValid()) {
        disconnect(m_omnicomm, nullptr, this, nullptr);
        write();
    } else if (++m_readTries < kTries) {
        m_omnicomm->requestConfigurationUpdate();
    } else {
        finish(ExitNothingAnswered,
               QStringLiteral("no configuration from address %1 on %2: check the wiring; no "
                              "record written")
                   .arg(m_options.address)
                   .arg(m_options.port));
    }
}

void RecordCommand::write()
{
    const RecordContext context{QDateTime::currentDateTime(), m_options.port, m_options.modelIndex,
                                m_options.vehicle, m_options.installer};
    const CommissioningRecord record =
        CommissioningRecord::of(*m_sensor, context, m_tankTable ? &*m_tankTable : nullptr);
    QString error;
    if (!record.save(m_options.out, &error)) {
        finish(ExitPortFailure, error);
        return;
    }
    m_output->text(QStringLiteral("record of %1 at address %2 written to %3")
                       .arg(m_options.modelCode)
                       .arg(m_options.address)
                       .arg(m_options.out));
    m_output->json(record.toJson());
    if (m_options.fleet.publish)
        publishThenFinish(FleetPayloads::record(m_options.fleet.server, record.toJson()));
    else
        finish(ExitDone);
}
