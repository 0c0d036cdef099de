#include "engine/commandcallback.h"
#include "engine/enginecommand.h"
#include "engine/linedatamessage.h"
#include "support/recordingcallback.h"

#include <QtTest>

namespace {

EngineCommand omnicommPoll()
{
    EngineCommand command;
    const unsigned char request[] = {0x31, 0x01, 0x06, 0x6C};
    const unsigned char reply[] = {0x3E, 0x01, 0x06, 0x19, 0x00, 0x02, 0x10, 0x27, 0x46};
    std::copy(std::begin(request), std::end(request), command.request);
    std::copy(std::begin(reply), std::end(reply), command.reply);
    command.requestLength = 4;
    command.replyLength = 9;
    return command;
}

class Owner
{
public:
    void onDone(CommandCallback::Result result, const EngineCommand& command)
    {
        seen.append(result);
        lastLength = command.requestLength;
    }
    QList<CommandCallback::Result> seen;
    int lastLength = -1;
};

} // namespace

class TestEngineCommand : public QObject
{
    Q_OBJECT
private slots:
    void callbacksAreCalledThroughThePrimaryPointerOnly();
    void clearKeepsKindAndReceivedLength();
    void resultTexts_data();
    void resultTexts();
    void engineStateText();
    void lineDataText();
};

void TestEngineCommand::callbacksAreCalledThroughThePrimaryPointerOnly()
{
    EngineCommand command = omnicommPoll();
    RecordingCallback user;
    command.userCallback = &user;
    command.executeCallback(CommandCallback::Ok, 0);
    QCOMPARE(user.count(), 0);

    Owner owner;
    MemFunCommandCallback<Owner> member(&owner, &Owner::onDone);
    command.callback = &member;
    command.executeCallback(CommandCallback::CrcFail, 0);
    QCOMPARE(owner.seen, QList<CommandCallback::Result>{CommandCallback::CrcFail});
    QCOMPARE(owner.lastLength, 4);
    QCOMPARE(user.count(), 0);
}

void TestEngineCommand::clearKeepsKindAndReceivedLength()
{
    EngineCommand command = omnicommPoll();
    RecordingCallback callback;
    command.kind = EngineCommand::LevelPoll;
    command.receivedLength = 9;
    command.callback = &callback;
    command.userCallback = &callback;
    command.clear();
    QCOMPARE(int(command.requestLength), 0);
    QCOMPARE(int(command.replyLength), 0);
    QVERIFY(!command.callback);
    QVERIFY(!command.userCallback);
    QCOMPARE(int(command.kind), int(EngineCommand::LevelPoll));
    QCOMPARE(int(command.receivedLength), 9);

    const EngineCommand empty;
    QCOMPARE(int(empty.kind), int(EngineCommand::None));
    QCOMPARE(int(empty.requestLength) + int(empty.replyLength), 0);
}

void TestEngineCommand::resultTexts_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    const char* texts[] = {"Ok",   "Timeout", "Failed",  "Crc fail",      "Canceled",
                           "Nack", "Stray",   "No echo", "Echo mismatch", "Wrong length"};
    for (int value = 0; value < 10; ++value)
        QTest::newRow(texts[value]) << value << texts[value];
    QTest::newRow("10") << 10 << "Error 10";
    QTest::newRow("-1") << -1 << "Error -1";
}

void TestEngineCommand::resultTexts()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(callbackResultToString(CommandCallback::Result(value)), text);
}

void TestEngineCommand::engineStateText()
{
    EngineCommand command = omnicommPoll();
    command.reply[0] = 0xAB;
    QCOMPARE(command.toString(),
             QStringLiteral("[31 01 06 6c] rxcount=9 ab 01 06 19 00 02 10 27 46"));
    QCOMPARE(EngineCommand().toString(), QStringLiteral("[] rxcount=0"));
}

void TestEngineCommand::lineDataText()
{
    const EngineCommand command = omnicommPoll();
    QCOMPARE(LineDataMessage(command, CommandCallback::Ok).toString(),
             QStringLiteral("[31 01 06 6C] [3E 01 06 19 00 02 10 27 46]"));
    QCOMPARE(LineDataMessage(command, CommandCallback::Timeout).toString(),
             QStringLiteral("[31 01 06 6C] Timeout"));
    QCOMPARE(LineDataMessage(command, CommandCallback::CrcFail).toString(),
             QStringLiteral("[31 01 06 6C] Crc fail"));

    EngineCommand stray;
    stray.replyLength = 3;
    QCOMPARE(LineDataMessage(stray, CommandCallback::Stray).toString(), QStringLiteral("[] Stray"));
    QCOMPARE(LineDataMessage(stray, CommandCallback::Stray).section(), Logger::LineData);
    QCOMPARE(LineDataMessage(Logger::Sensor, stray, CommandCallback::Ok).section(), Logger::Sensor);
}

QTEST_GUILESS_MAIN(TestEngineCommand)
#include "tst_enginecommand.moc"
