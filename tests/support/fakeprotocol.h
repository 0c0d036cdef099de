#pragma once

#include "engine/serialengine.h"
#include "engine/serialsensor.h"
#include "support/recordingcallback.h"

// A minimal protocol for driving the serial engine in tests. Requests are
// [op, address]; a reply is the two request bytes echoed back, complete once two
// bytes are buffered. A reply whose first byte is 0xEE counts as a bad check sum,
// one starting with 0xFF as malformed.
class FakeEngine : public SerialEngine
{
    Q_OBJECT
public:
    static constexpr unsigned char PollOp = 0xA0;
    static constexpr unsigned char ProbeOp = 0xD0;

    explicit FakeEngine(int addressCount = 4);

    EngineCommand makeCommand(unsigned char op, unsigned char address,
                              CommandCallback* callback) const;
    QString detectionStateString() const override { return QString(); }
    EngineCommand pollRequest(uint8_t address) const override;

    RecordingCallback detectionCallback;
    int probesMade = 0;
    int repackCalls = 0;
    int portLockCalls = 0;

    using SerialEngine::executeAndClearCurrentCommand;
    using SerialEngine::logAndClearStrayData;

protected:
    SerialSensor* createSensor() override;
    void repackInput() override;
    void setEnginePortLocks() override { ++portLockCalls; }
    EngineCommand detectNext() override;
    SerialSensor* commandSensor(const EngineCommand& command) const override;

private:
    int m_addressCount;
    int m_nextAddress = 0;
};

class FakeSensor : public SerialSensor
{
    Q_OBJECT
public:
    FakeSensor(FakeEngine* engine, uint8_t address);
    EngineCommand pollLevel() override;

    RecordingCallback pollCallback;
    int pollsMade = 0;
};
