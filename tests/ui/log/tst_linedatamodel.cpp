#include "engine/linedatamessage.h"
#include "engine/sensormessage.h"
#include "log/headerviewhidermenu.h"
#include "log/linedatamodel.h"

#include <QAction>
#include <QBrush>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>
#include <memory>

namespace {

// An exchange whose request is the two bytes 0x31 and n, so rows can be told apart.
LineDataMessage exchange(int n, CommandCallback::Result result = CommandCallback::Ok,
                         quint8 kind = EngineCommand::LevelPoll)
{
    EngineCommand command;
    command.request[0] = 0x31;
    command.request[1] = quint8(n);
    command.requestLength = 2;
    command.kind = kind;
    return LineDataMessage(command, result);
}

void feed(LineDataModel& model, int from, int count)
{
    for (int n = from; n < from + count; ++n)
        model.slotNewMessage(exchange(n % 256));
}

QString cell(const LineDataModel& model, int row, int column, int role = Qt::DisplayRole)
{
    return model.data(model.index(row, column), role).toString();
}

} // namespace

class TestLineDataModel : public QObject
{
    Q_OBJECT
private slots:
    void rowLimitHoldsUnderAStreamAndWhenLowered();
    void cells_data();
    void cells();
    void onlyExchangeRecordsMakeRows();
    void columnMenuHidesAndShowsAColumn();
};

void TestLineDataModel::rowLimitHoldsUnderAStreamAndWhenLowered()
{
    LineDataModel model;
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy added(&model, &LineDataModel::newRow);
    feed(model, 0, 600);
    QCOMPARE(added.size(), 600);
    QCOMPARE(model.rowCount(), 500);
    QCOMPARE(removed.size(), 100);
    QCOMPARE(cell(model, 0, 1), QStringLiteral("31 64"));   // exchange 100 is now the oldest
    QCOMPARE(cell(model, 499, 1), QStringLiteral("31 57")); // and 599 the newest

    removed.clear();
    model.setRowLimit(100);
    QCOMPARE(model.rowCount(), 100);
    QCOMPARE(removed.size(), 1);
    QCOMPARE(removed.first().at(1).toInt(), 0);
    QCOMPARE(removed.first().at(2).toInt(), 399);
    QCOMPARE(cell(model, 0, 1), QStringLiteral("31 F4")); // 500
    feed(model, 600, 1);
    QCOMPARE(model.rowCount(), 100);

    model.setRowLimit(0);
    feed(model, 601, 50);
    QCOMPARE(model.rowCount(), 150);
    model.clear();
    QCOMPARE(model.rowCount(), 0);
}

void TestLineDataModel::cells_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("replyLength");
    QTest::addColumn<int>("receivedLength");
    QTest::addColumn<QString>("response");
    QTest::addColumn<bool>("red");

    QTest::newRow("ok, received") << int(CommandCallback::Ok) << int(EngineCommand::LevelPoll) << 9
                                  << 4 << "A0 A1 A2 A3" << false;
    QTest::newRow("ok, nothing counted")
        << int(CommandCallback::Ok) << int(EngineCommand::LevelPoll) << 3 << 0 << "A0 A1 A2"
        << false;
    QTest::newRow("poll timeout, silence")
        << int(CommandCallback::Timeout) << int(EngineCommand::LevelPoll) << 9 << 0 << "" << true;
    QTest::newRow("poll timeout, partial")
        << int(CommandCallback::Timeout) << int(EngineCommand::LevelPoll) << 9 << 3 << "A0 A1 A2"
        << true;
    QTest::newRow("probe timeout")
        << int(CommandCallback::Timeout) << int(EngineCommand::Plain) << 9 << 0 << "" << false;
    QTest::newRow("service crc") << int(CommandCallback::CrcFail) << int(EngineCommand::Service)
                                 << 4 << 4 << "A0 A1 A2 A3" << true;
    QTest::newRow("lengths past the buffer")
        << int(CommandCallback::Ok) << int(EngineCommand::Plain) << 200 << 0
        << bytesToString(QByteArray(EngineCommand::ReplyCapacity, char(0xA0))) << false;
}

void TestLineDataModel::cells()
{
    QFETCH(int, result);
    QFETCH(int, kind);
    QFETCH(int, replyLength);
    QFETCH(int, receivedLength);
    QFETCH(QString, response);
    QFETCH(bool, red);

    LineDataMessage msg = exchange(7, CommandCallback::Result(result), quint8(kind));
    for (int i = 0; i < EngineCommand::ReplyCapacity; ++i)
        msg.command.reply[i] = quint8(0xA0 + (replyLength == 200 ? 0 : i));
    msg.command.replyLength = quint8(replyLength);
    msg.command.receivedLength = quint8(receivedLength);
    LineDataModel model;
    model.slotNewMessage(msg);

    const QString resultText = callbackResultToString(CommandCallback::Result(result));
    QCOMPARE(cell(model, 0, 0), msg.dateTime().toString(QStringLiteral("hh:mm:ss.zzz")));
    QCOMPARE(cell(model, 0, 0, Qt::ToolTipRole),
             msg.dateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz\n")) + resultText);
    QCOMPARE(cell(model, 0, 1), QStringLiteral("31 07"));
    QCOMPARE(cell(model, 0, 2), response);
    for (int column = 0; column < 3; ++column) {
        if (column > 0)
            QCOMPARE(cell(model, 0, column, Qt::ToolTipRole), resultText);
        const QVariant foreground = model.data(model.index(0, column), Qt::ForegroundRole);
        QCOMPARE(foreground.isValid(), red);
        if (red)
            QCOMPARE(foreground.value<QBrush>().color(), QColor(Qt::red));
    }
}

void TestLineDataModel::onlyExchangeRecordsMakeRows()
{
    LineDataModel model;
    QSignalSpy added(&model, &LineDataModel::newRow);
    model.setEnabled(false);
    feed(model, 0, 3);
    QCOMPARE(model.rowCount(), 0);
    model.setEnabled(true);

    // Text logged in the line-data section, and exchanges logged by a sensor.
    model.slotNewMessage(LogMessage(Logger::LineData, QStringLiteral("plain text")));
    model.slotNewMessage(SensorMessage(nullptr, EngineCommand(), CommandCallback::Ok, QString()));
    model.slotNewMessage(
        LineDataMessage(Logger::EngineState, EngineCommand(), CommandCallback::Ok));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(added.size(), 0);

    feed(model, 0, 1);
    model.setEnabled(false);
    QCOMPARE(model.rowCount(), 1);
}

void TestLineDataModel::columnMenuHidesAndShowsAColumn()
{
    LineDataModel model;
    QTableView view;
    view.setModel(&model);
    QHeaderView* header = view.horizontalHeader();
    HeaderViewHiderMenu hider;
    hider.install(header);
    QCOMPARE(header->contextMenuPolicy(), Qt::CustomContextMenu);

    auto menuOf = [&] {
        return std::unique_ptr<QMenu>(HeaderViewHiderMenu::createMenu(header, nullptr));
    };
    std::unique_ptr<QMenu> menu = menuOf();
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts.append(action->text());
        QVERIFY(action->isChecked());
    }
    QCOMPARE(texts, QStringList({"Time", "Request", "Response"}));

    QAction* request = menu->actions().at(1);
    request->setChecked(false);
    HeaderViewHiderMenu::applyChoice(header, request);
    QVERIFY(header->isSectionHidden(1));
    menu = menuOf();
    QVERIFY(!menu->actions().at(1)->isChecked());
    QVERIFY(menu->actions().at(2)->isChecked());

    menu->actions().at(1)->setChecked(true);
    HeaderViewHiderMenu::applyChoice(header, menu->actions().at(1));
    QVERIFY(!header->isSectionHidden(1));
}

QTEST_MAIN(TestLineDataModel)
#include "tst_linedatamodel.moc"
