#include "fuzzprogram.h"

#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "log/logger.h"
#include "port/scriptedserialport.h"
#include "session/protocoltable.h"
#include "support/recordingcallback.h"

#include <QCoreApplication>
#include <QMetaEnum>
#include <QSet>
#include <cstdio>
#include <cstdlib>

namespace {

// After an idle step the engine keeps at most a partial frame; anything more
// must have been consumed or discarded.
const int kIdleBufferBound = 31;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

class Reader
{
public:
    Reader(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {}
    bool atEnd() const { return m_pos >= m_size; }
    uint8_t byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    uint16_t word() { return uint16_t(byte() | (byte() << 8)); }
    QByteArray chunk(int maxLength)
    {
        QByteArray out;
        for (int n = byte() % (maxLength + 1); n > 0 && !atEnd(); --n)
            out.append(char(byte()));
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

class Driver
{
public:
    Driver(ProtocolAdapter& adapter, const uint8_t* data, size_t size)
        : m_adapter(adapter)
        , m_engine(adapter.engine())
        , m_in(data, size)
    {}

    void run();

private:
    void step(uint8_t op);
    void tick();
    void endCoolDown();
    void removeSensor();
    SerialSensor* pickSensor();
    QSet<SerialSensor*> coolingDown() const;
    void checkPolls(int writesBefore) const;
    QByteArray transmissionAt(int* index) const;
    void finish();
    void trace(uint8_t op, int writesBefore) const;

    ProtocolAdapter& m_adapter;
    SerialEngine* m_engine;
    Reader m_in;
    ScriptedSerialPort m_port;
    RecordingCallback m_callback;
    int m_expected = 0;
    QSet<SerialSensor*> m_coolingBefore;
};

void Driver::run()
{
    m_engine->setPort(&m_port);
    const uint8_t flags = m_in.byte();
    m_engine->setAutoDetectSensorsEnabled(flags & 1);
    for (int n = flags >> 1 & 3; n > 0; --n)
        m_adapter.addSensor(m_in.byte());
    m_engine->resetStateMachine();
    while (!m_in.atEnd()) {
        m_coolingBefore = coolingDown();
        const int writesBefore = m_port.writes.size();
        const uint8_t op = m_in.byte();
        step(op);
        trace(op, writesBefore);
        checkPolls(writesBefore);
        if (m_callback.count() > m_expected)
            fail("a command was completed more than once");
    }
    finish();
}

void Driver::step(uint8_t op)
{
    switch (op % 10) {
    case 0:
        m_port.feed(m_in.chunk(48));
        break;
    case 1:
        m_port.appendInput(m_in.chunk(48));
        break;
    case 2:
        tick();
        break;
    case 3:
        endCoolDown();
        break;
    case 4: {
        SerialSensor* sensor = pickSensor();
        const uint8_t selector = m_in.byte();
        const uint16_t value = m_in.word();
        if (sensor)
            m_expected += m_adapter.request(sensor, selector, value, &m_callback);
        break;
    }
    case 5: {
        const uint8_t address = m_in.byte();
        EngineCommand command = m_adapter.rawCommand(address, m_in.byte());
        if (command.requestLength != 0) {
            command.callback = &m_callback;
            ++m_expected;
            m_engine->request(command);
        }
        break;
    }
    case 6:
        removeSensor();
        break;
    case 7:
        m_adapter.addSensor(m_in.byte());
        break;
    case 8:
        if (m_in.byte() & 1)
            m_engine->resetStateMachine();
        else
            m_engine->setState(SerialEngine::Stopped);
        break;
    case 9: {
        const uint8_t faults = m_in.byte();
        m_port.failReads = faults == 0xF1;
        m_port.failWrites = faults == 0xF2;
        break;
    }
    }
}

void Driver::tick()
{
    const SerialEngine::State before = m_engine->state();
    m_engine->slotOnStateCheckTimeout();
    const bool idleStepRan = before == SerialEngine::Synchronizing ||
                             before == SerialEngine::Idle ||
                             before == SerialEngine::ReplyCooldown || before == SerialEngine::Error;
    if (idleStepRan && m_engine->state() == SerialEngine::Idle &&
        m_engine->inputBuffer().size() > kIdleBufferBound)
        fail("input piles up after an idle step");
}

void Driver::endCoolDown()
{
    SerialSensor* sensor = pickSensor();
    if (!sensor)
        return;
    // Ending a cool-down may poll that sensor at once; only the others must not be.
    m_coolingBefore.remove(sensor);
    sensor->slotResetCoolDown();
}

void Driver::removeSensor()
{
    SerialSensor* sensor = pickSensor();
    if (!sensor)
        return;
    sensor->deinit();
    sensor->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

SerialSensor* Driver::pickSensor()
{
    const uint8_t index = m_in.byte();
    const QList<SerialSensor*>& sensors = m_engine->sensors();
    return sensors.isEmpty() ? nullptr : sensors.at(index % sensors.size());
}

QSet<SerialSensor*> Driver::coolingDown() const
{
    QSet<SerialSensor*> found;
    for (SerialSensor* sensor : m_engine->sensors()) {
        if (sensor->isCoolingDown())
            found.insert(sensor);
    }
    return found;
}

// Two sensors may share a poll frame (the user added one at a taken address);
// the poll went to one of them, so only all of them cooling down is a fault.
void Driver::checkPolls(int writesBefore) const
{
    for (int i = writesBefore; i < m_port.writes.size();) {
        const QByteArray frame = transmissionAt(&i);
        bool polled = false;
        bool allCooling = true;
        for (SerialSensor* sensor : m_engine->sensors()) {
            const EngineCommand poll = m_adapter.levelPollOf(sensor);
            if (QByteArray(reinterpret_cast<const char*>(poll.request), poll.requestLength) !=
                frame)
                continue;
            polled = true;
            allCooling = allCooling && m_coolingBefore.contains(sensor);
        }
        if (polled && allCooling)
            fail("a sensor was polled while it cooled down");
    }
}

// A LIN master writes a frame in pieces, the first with mark parity and the rest
// with space parity; the pieces make one transmission.
QByteArray Driver::transmissionAt(int* index) const
{
    QByteArray frame = m_port.writes.at((*index)++).bytes;
    while (*index < m_port.writes.size() && m_port.writes.at(*index).parity == PAR_SPACE)
        frame += m_port.writes.at((*index)++).bytes;
    return frame;
}

// NIVELON_FUZZ_TRACE=1 prints each step of a program, for triage of a finding.
void Driver::trace(uint8_t op, int writesBefore) const
{
    static const bool enabled = qEnvironmentVariableIsSet("NIVELON_FUZZ_TRACE");
    if (!enabled)
        return;
    std::fprintf(stderr, "step %d -> state %s, %d sensors, buffer %d\n", op % 10,
                 enumValueToCharStar(m_engine, "State", m_engine->state()),
                 int(m_engine->sensors().size()), int(m_engine->inputBuffer().size()));
    for (int i = writesBefore; i < m_port.writes.size(); ++i)
        std::fprintf(stderr, "  wrote %s\n", m_port.writes.at(i).bytes.toHex(' ').constData());
}

void Driver::finish()
{
    m_engine->deinit();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (m_callback.count() != m_expected) {
        std::fprintf(stderr, "%d commands handed over, %d completions\n", m_expected,
                     m_callback.count());
        fail("a command was not completed exactly once");
    }
}

} // namespace

void runFuzzProgram(ProtocolAdapter& adapter, const uint8_t* data, size_t size)
{
    Driver(adapter, data, size).run();
}

namespace {

// Sensors report refused writes on the debug channel; at millions of runs that
// noise only slows the fuzzer down. Fatal messages still stop it.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtFatalMsg || type == QtCriticalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

void initializeFuzzEnvironment()
{
    qInstallMessageHandler(quietMessages);
    static int argc = 1;
    static char name[] = "nivelon-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static Logger logger;
    logger.registerEverySection(ProtocolTable::logSections());
}
