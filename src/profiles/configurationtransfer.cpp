#include "profiles/configurationtransfer.h"

#include "protocols/omnicomm/omnicommsensor.h"

namespace {

// A lost or damaged frame is no reason to give up; a silent sensor is.
const int kTries = 3;

bool worthRetrying(CommandCallback::Result result)
{
    return result == CommandCallback::Timeout || result == CommandCallback::CrcFail;
}

} // namespace

ConfigurationTransfer::ConfigurationTransfer(OmniCommSensor* sensor, QObject* parent)
    : QObject(parent)
    , m_sensor(sensor)
    , m_writeCallback(this, &ConfigurationTransfer::writeDone)
{
    connect(sensor, &OmniCommSensor::configurationUpdated, this,
            &ConfigurationTransfer::configurationUpdated);
    connect(sensor, &OmniCommSensor::configurationReadFailed, this,
            &ConfigurationTransfer::configurationReadFailed);
}

void ConfigurationTransfer::read()
{
    m_stage = Reading;
    requestRead();
}

void ConfigurationTransfer::requestRead()
{
    m_readTries = 0;
    m_sensor->requestConfigurationUpdate();
}

// A failed read reports itself after this, through configurationReadFailed.
void ConfigurationTransfer::configurationUpdated()
{
    if (m_stage != Reading && m_stage != ReadingBack)
        return;
    if (!m_sensor->parameter(OmniCommSensor::FMaxIndex)->isValid())
        return;
    const Stage stage = m_stage;
    m_stage = Idle;
    if (stage == ReadingBack)
        confirm();
    else
        emit configurationRead();
}

// Only a lost or damaged reply is asked again: a cancelled read means the
// sensor is leaving the line.
void ConfigurationTransfer::configurationReadFailed(CommandCallback::Result result)
{
    if (m_stage != Reading && m_stage != ReadingBack)
        return;
    if (worthRetrying(result) && ++m_readTries < kTries) {
        m_sensor->requestConfigurationUpdate();
        return;
    }
    m_stage = Idle;
    emit readFailed(result);
}

void ConfigurationTransfer::write(const ConfigurationValues& values)
{
    m_writes.clear();
    m_pending.clear();
    for (const auto& [index, value] : values) {
        m_pending << m_writes.size();
        m_writes.append({index, value, NotWritten});
    }
    m_retried = false;
    m_acceptedInRound = false;
    m_writeTries = 0;
    m_stage = Writing;
    writeNext();
}

void ConfigurationTransfer::writeNext()
{
    if (m_pending.isEmpty() && !startRetryRound()) {
        m_stage = ReadingBack;
        requestRead();
        return;
    }
    const Write& next = m_writes.at(m_pending.first());
    m_sensor->requestChangeParameter(next.index, next.value, &m_writeCallback);
}

// A refusal can hang on a value written after it: FMin must stay below FMax,
// so lowering both is refused in one order and accepted in the other.
bool ConfigurationTransfer::startRetryRound()
{
    if (m_retried || !m_acceptedInRound)
        return false;
    m_retried = true;
    for (int position = 0; position < m_writes.size(); ++position) {
        if (m_writes.at(position).outcome == Refused)
            m_pending << position;
    }
    return !m_pending.isEmpty();
}

// Writes set a value, so one that got no answer is simply sent again.
void ConfigurationTransfer::writeDone(CommandCallback::Result result, const EngineCommand&)
{
    Write& done = m_writes[m_pending.first()];
    if (worthRetrying(result) && ++m_writeTries < kTries) {
        writeNext();
        return;
    }
    m_writeTries = 0;
    if (result != CommandCallback::Ok && result != CommandCallback::Nack) {
        m_stage = Idle;
        emit writeFailed(done.index, done.value, result);
        return;
    }
    done.outcome = result == CommandCallback::Ok ? Applied : Refused;
    m_acceptedInRound = m_acceptedInRound || result == CommandCallback::Ok;
    m_pending.removeFirst();
    writeNext();
}

QString ConfigurationTransfer::outcomeText(ConfigurationTransfer::Outcome outcome)
{
    switch (outcome) {
    case ConfigurationTransfer::Applied:
        return tr("applied");
    case ConfigurationTransfer::Refused:
        return tr("refused by the sensor");
    case ConfigurationTransfer::NotKept:
        return tr("not kept: the sensor reads back another value");
    case ConfigurationTransfer::Unconfirmed:
        return tr("written, not confirmed: this model does not report it");
    case ConfigurationTransfer::NotWritten:
        break;
    }
    return tr("not written");
}

void ConfigurationTransfer::confirm()
{
    const QList<int> reported = ConfigurationParameters::reported(m_sensor);
    for (Write& write : m_writes) {
        if (write.outcome != Applied)
            continue;
        if (!reported.contains(write.index))
            write.outcome = Unconfirmed;
        else if (m_sensor->parameter(write.index)->variantValue().toLongLong() != write.value)
            write.outcome = NotKept;
    }
    emit written();
}
