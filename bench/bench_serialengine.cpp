// CPU cost of one poll exchange through the serial engine on the scripted port:
// idle step, poll built and written, reply framed and completed, cool-down over.
// The ModBus exchange adds its gap of 3.65 ms, which the fine timer keeps.
#include "log/logger.h"
#include "port/scriptedserialport.h"
#include "protocols/modbus/modbusengine.h"
#include "session/protocoltable.h"
#include "support/fakeprotocol.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<Logger> makeLogger(bool diagnostic)
{
    auto logger = std::make_unique<Logger>();
    if (diagnostic)
        logger->registerEverySection(ProtocolTable::logSections());
    // A receiver, as the log view and the line-data table are in the program.
    QObject::connect(
        logger.get(), qOverload<int, QDateTime, QString>(&Logger::newMessage),
        [](int, const QDateTime&, const QString& text) { benchmark::DoNotOptimize(text.size()); });
    return logger;
}

void pollExchange(benchmark::State& state)
{
    const auto logger = makeLogger(state.range(0) != 0);
    ScriptedSerialPort port;
    FakeEngine engine;
    engine.setPort(&port);
    engine.setAutoDetectSensorsEnabled(false);
    FakeSensor sensor(&engine, 1);
    engine.resetStateMachine();
    engine.slotOnStateCheckTimeout();
    const QByteArray reply("\xA0\x01", 2);
    for (auto _ : state) {
        port.feed(reply);
        sensor.slotResetCoolDown();
        engine.slotOnStateCheckTimeout();
        port.writes.clear();
    }
    state.SetLabel(state.range(0) ? "diagnostic logging (-g)" : "normal logging");
}

void modbusPollExchange(benchmark::State& state)
{
    const auto logger = makeLogger(false);
    ScriptedSerialPort port;
    ModBusEngine engine;
    engine.setPort(&port);
    engine.setAutoDetectSensorsEnabled(false);
    SerialSensor* sensor = engine.addSensorAtAddress(1);
    engine.resetStateMachine();
    engine.slotOnStateCheckTimeout();
    const QByteArray reply = QByteArray::fromHex("0103021388B512");
    for (auto _ : state) {
        port.feed(reply);
        sensor->slotResetCoolDown();
        engine.slotOnStateCheckTimeout();
        port.writes.clear();
    }
    engine.deinit();
    delete sensor;
}

} // namespace

BENCHMARK(pollExchange)->Arg(0)->Arg(1);
BENCHMARK(modbusPollExchange);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
