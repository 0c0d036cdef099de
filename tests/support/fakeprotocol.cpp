#include "support/fakeprotocol.h"

FakeEngine::FakeEngine(int addressCount)
    : SerialEngine(0)
    , m_addressCount(addressCount)
{
    setSensorAddresses(0, addressCount - 1);
}

EngineCommand FakeEngine::makeCommand(unsigned char op, unsigned char address,
                                      CommandCallback* callback) const
{
    EngineCommand command;
    command.request[0] = op;
    command.request[1] = address;
    command.requestLength = 2;
    command.replyLength = 2;
    command.kind = EngineCommand::Plain;
    command.callback = callback;
    return command;
}

EngineCommand FakeEngine::pollRequest(uint8_t address) const
{
    return makeCommand(PollOp, address, nullptr);
}

SerialSensor* FakeEngine::createSensor()
{
    return new FakeSensor(this, 0);
}

void FakeEngine::repackInput()
{
    ++repackCalls;
    if (state() != WaitingReply || m_inputBuffer.size() < 2)
        return;
    const unsigned char head = static_cast<unsigned char>(m_inputBuffer.at(0));
    inputBufferMoveHead(2, m_currentCommand);
    if (head == 0xFF) {
        setState(Error);
        return;
    }
    executeAndClearCurrentCommand(head == 0xEE ? CommandCallback::CrcFail : CommandCallback::Ok);
    setState(ReplyCooldown);
}

EngineCommand FakeEngine::detectNext()
{
    for (int tries = 0; tries < m_addressCount; ++tries) {
        const int address = m_nextAddress;
        m_nextAddress = (m_nextAddress + 1) % m_addressCount;
        if (!isAddressBusy(uint8_t(address))) {
            ++probesMade;
            return makeCommand(ProbeOp, uint8_t(address), &detectionCallback);
        }
    }
    return EngineCommand();
}

SerialSensor* FakeEngine::commandSensor(const EngineCommand& command) const
{
    return sensorByAddress(command.request[1]);
}

FakeSensor::FakeSensor(FakeEngine* engine, uint8_t address)
    : SerialSensor(engine)
{
    setAddress(address);
    setLevelPollCallback(&pollCallback);
}

EngineCommand FakeSensor::pollLevel()
{
    ++pollsMade;
    return SerialSensor::pollLevel();
}
