// Levels changed by command while the line runs; how the surface calms shows
// end to end, where nivelon-cli tare waits for it.
#include "levelcommands.h"
#include "simline.h"

#include <QtTest>

using namespace sim;

class SimLevelCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void commandsMoveTheLevel_data();
    void commandsMoveTheLevel();
};

void SimLevelCommandsTest::commandsMoveTheLevel_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<bool>("lastAccepted");
    QTest::addColumn<double>("percent");
    QTest::newRow("level") << QStringList{"level 3 40"} << true << 40.0;
    QTest::newRow("pours add up") << QStringList{"level 3 10", "pour 3 12.5", "POUR 3 5"} << true
                                  << 27.5;
    QTest::newRow("a drain") << QStringList{"level 3 50", "pour 3 -20"} << true << 30.0;
    QTest::newRow("overfilled") << QStringList{"level 3 90", "pour 3 30"} << true << 100.0;
    QTest::newRow("no such sensor") << QStringList{"level 4 40"} << false << 25.0;
    QTest::newRow("not a number") << QStringList{"pour 3 ten"} << false << 25.0;
}

void SimLevelCommandsTest::commandsMoveTheLevel()
{
    QFETCH(QStringList, commands);
    QFETCH(bool, lastAccepted);
    QFETCH(double, percent);
    LineOptions options;
    SensorModel::byCode("ZT-32", &options.model);
    options.addresses = {3};
    options.fixedLevel = 0.25;
    SimLine line(options);
    LevelCommands levels(line);
    QString answer;
    bool accepted = false;
    for (const QString& command : commands)
        accepted = levels.execute(command, &answer);
    QCOMPARE(accepted, lastAccepted);
    QVERIFY(!answer.isEmpty());
    SimSensor* sensor = line.sensorAt(3);
    sensor->physics().advanceTo(line.nowMs() + 1);
    QCOMPARE(sensor->modbusValue(), int(percent * 100));
}

QTEST_GUILESS_MAIN(SimLevelCommandsTest)
#include "tst_simlevelcommands.moc"
