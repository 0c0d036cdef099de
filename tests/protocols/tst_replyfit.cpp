// No engine takes for the answer to its request what is not: its own request
// handed back by an echoing line, a late answer to an earlier request, a frame
// of another address, function or length, noise.
#include "engine/enginefactory.h"
#include "engine/serialengine.h"
#include "port/scriptedserialport.h"
#include "support/logcapture.h"
#include "support/recordingcallback.h"

#include <QtTest>
#include <algorithm>
#include <memory>

namespace {

// Rows of the model table, one per protocol.
const int kTBus = 0;
const int kModBus = 1;
const int kOmnicomm = 2;

EngineCommand commandOf(const QByteArray& request, int replyLength, CommandCallback* callback)
{
    EngineCommand command;
    std::copy(request.begin(), request.end(), command.request);
    command.requestLength = quint8(request.size());
    command.replyLength = quint8(replyLength);
    command.kind = EngineCommand::Plain;
    command.callback = callback;
    return command;
}

} // namespace

class TestReplyFit : public QObject
{
    Q_OBJECT

private slots:
    void onlyTheAnswerIsTaken_data();
    void onlyTheAnswerIsTaken();
};

void TestReplyFit::onlyTheAnswerIsTaken_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("replyLength");
    QTest::addColumn<QList<QByteArray>>("input");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("reply");

    const auto h = [](const char* text) {
        return QByteArray::fromHex(text);
    };
    const QByteArray omniPoll = h("3101066c");
    const QByteArray omniReply = h("3e0106190002102746");
    QTest::newRow("Omnicomm reply") << kOmnicomm << omniPoll << 9 << QList<QByteArray>{omniReply}
                                    << int(CommandCallback::Ok) << omniReply;
    QTest::newRow("Omnicomm echo, then reply")
        << kOmnicomm << omniPoll << 9 << QList<QByteArray>{h("3101"), h("066c") + omniReply}
        << int(CommandCallback::Ok) << omniReply;
    QTest::newRow("Omnicomm echo alone")
        << kOmnicomm << omniPoll << 9 << QList<QByteArray>{omniPoll}
        << int(CommandCallback::Timeout) << QByteArray();
    QTest::newRow("Omnicomm other code")
        << kOmnicomm << omniPoll << 9 << QList<QByteArray>{h("3e01070098")}
        << int(CommandCallback::Timeout) << QByteArray();
    QTest::newRow("Omnicomm noise, then reply")
        << kOmnicomm << omniPoll << 9 << QList<QByteArray>{h("003155"), omniReply}
        << int(CommandCallback::Ok) << omniReply;

    const QByteArray modbusRead = h("010300000001840a");
    const QByteArray modbusReply = h("0103021388b512");
    QTest::newRow("ModBus reply") << kModBus << modbusRead << 7 << QList<QByteArray>{modbusReply}
                                  << int(CommandCallback::Ok) << modbusReply;
    QTest::newRow("ModBus echo, then reply")
        << kModBus << modbusRead << 7 << QList<QByteArray>{modbusRead + modbusReply}
        << int(CommandCallback::Ok) << modbusReply;
    // The first seven bytes of this echo pass the check sum of a read reply.
    QTest::newRow("ModBus echo of 0x6b")
        << kModBus << h("6b03000000018d00") << 7 << QList<QByteArray>{h("6b03000000018d00")}
        << int(CommandCallback::Timeout) << QByteArray();
    QTest::newRow("ModBus other address")
        << kModBus << modbusRead << 7 << QList<QByteArray>{h("0203021388f112")}
        << int(CommandCallback::Timeout) << QByteArray();
    QTest::newRow("ModBus other function")
        << kModBus << modbusRead << 7 << QList<QByteArray>{h("0104021388b466")}
        << int(CommandCallback::Timeout) << QByteArray();
    QTest::newRow("ModBus other byte count")
        << kModBus << modbusRead << 7 << QList<QByteArray>{h("010304138800007e9d")}
        << int(CommandCallback::Timeout) << QByteArray();
    QTest::newRow("ModBus late answer of another, then reply")
        << kModBus << modbusRead << 7 << QList<QByteArray>{h("0203021388f112"), modbusReply}
        << int(CommandCallback::Ok) << modbusReply;

    QTest::newRow("TBus echo, then reply")
        << kTBus << h("8a") << 4 << QList<QByteArray>{h("8a0a881391")} << int(CommandCallback::Ok)
        << h("0a881391");
    QTest::newRow("TBus other identifier")
        << kTBus << h("8a") << 4 << QList<QByteArray>{h("8a"), h("0b881390")}
        << int(CommandCallback::Failed) << QByteArray();
}

// The state-check timer ends whatever wait is left once the input is in.
void TestReplyFit::onlyTheAnswerIsTaken()
{
    QFETCH(int, model);
    QFETCH(QByteArray, request);
    QFETCH(int, replyLength);
    QFETCH(QList<QByteArray>, input);
    QFETCH(int, result);
    QFETCH(QByteArray, reply);

    LogCapture log;
    RecordingCallback callback;
    ScriptedSerialPort port;
    std::unique_ptr<SerialEngine> engine(EngineFactory::createSerialEngine(unsigned(model)));
    engine->setPort(&port);
    engine->setAutoDetectSensorsEnabled(false);
    engine->resetStateMachine();
    engine->slotOnStateCheckTimeout();
    engine->request(commandOf(request, replyLength, &callback));
    QCOMPARE(port.writtenBytes(), request);
    for (const QByteArray& chunk : input)
        port.feed(chunk);
    engine->slotOnStateCheckTimeout();

    QCOMPARE(callback.results, QList<CommandCallback::Result>{CommandCallback::Result(result)});
    if (!reply.isEmpty()) {
        const EngineCommand& answered = callback.lastCommand();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(answered.reply), answered.replyLength),
                 reply);
    }
    engine->deinit();
}

QTEST_MAIN(TestReplyFit)
#include "tst_replyfit.moc"
