#include "engine/serialengine.h"
#include "session/enginefactory.h"
#include "session/protocoltable.h"

#include <QtTest>
#include <memory>

class TestEngineFactory : public QObject
{
    Q_OBJECT

private slots:
    void models_data();
    void models();
    void outsideTheTable();
    void engines_data();
    void engines();
    void protocols_data();
    void protocols();
    void everyProtocolHasModels();
};

void TestEngineFactory::models_data()
{
    QTest::addColumn<unsigned>("index");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("description");
    QTest::addColumn<quint32>("features");

    const char* inteface485 = "Omnicomm protocol, RS-485 inteface";
    const char* inteface232 = "Omnicomm protocol, RS-232 inteface";
    QTest::newRow("0") << 0u << "ZT-31"
                       << "TBus protocol, LIN interface" << 0x30000u;
    QTest::newRow("1") << 1u << "ZT-32"
                       << "MODBus protocol, RS-485 inteface" << 0x20000u;
    QTest::newRow("2") << 2u << "ZT-33" << inteface485 << 0x10001u;
    QTest::newRow("3") << 3u << "ZT-34" << inteface232 << 0x10003u;
    QTest::newRow("4") << 4u << "ZT-35"
                       << "TBus protocol, LIN interface" << 0x30001u;
    QTest::newRow("5") << 5u << "ZT-36"
                       << "MODBus protocol, RS-485 inteface, PWM output" << 0x20000u;
    QTest::newRow("6") << 6u << "ZT-37"
                       << "Omnicomm protocol, RS-485 inteface, PWM output" << 0x10005u;
    QTest::newRow("7") << 7u << "ZT-38"
                       << "Omnicomm protocol, RS-232 inteface, PWM output" << 0x10007u;
    QTest::newRow("8") << 8u << "ZT-41"
                       << "Omnicomm protocol, RS-485 interface, analogue output 0.5-4.5V(0.5-9.5V)"
                       << 0x10018u;
    QTest::newRow("9") << 9u << "ZT-42"
                       << "Omnicomm protocol, RS-485/RS-232 interfaces" << 0x10012u;
    QTest::newRow("10") << 10u << "ZT-43"
                        << "Omnicomm protocol, RS-232 interface, analogue output 0.5-4.5V(0.5-9.5V)"
                        << 0x1001Au;
}

void TestEngineFactory::models()
{
    QFETCH(unsigned, index);
    QFETCH(QString, code);
    QFETCH(QString, description);
    QFETCH(quint32, features);

    QVERIFY(EngineFactory::isValidType(index));
    QCOMPARE(EngineFactory::sensorTypes().at(int(index)), code);
    QCOMPARE(EngineFactory::tooltip(index), description);
    QCOMPARE(EngineFactory::features(index), features);
}

void TestEngineFactory::outsideTheTable()
{
    QCOMPARE(EngineFactory::count(), 11u);
    QCOMPARE(EngineFactory::sensorTypes().size(), 11);
    QVERIFY(!EngineFactory::isValidType(11));
    // A stored -1 read back as unsigned.
    QVERIFY(!EngineFactory::isValidType(unsigned(-1)));
    QCOMPARE(EngineFactory::tooltip(11), QStringLiteral("ERROR"));
    QCOMPARE(EngineFactory::features(11), 0u);
    QVERIFY(!EngineFactory::createSerialEngine(11));
    QVERIFY(!EngineFactory::createSerialEngine(unsigned(-1)));
}

void TestEngineFactory::engines_data()
{
    QTest::addColumn<unsigned>("index");
    QTest::addColumn<QString>("engineClass");
    QTest::addColumn<quint32>("features");

    QTest::newRow("0") << 0u << "TBusEngine" << 0u;
    QTest::newRow("1") << 1u << "ModBusEngine" << 0u;
    QTest::newRow("2") << 2u << "OmniCommEngine" << EngineFactory::FeatureControlOutput;
    QTest::newRow("4") << 4u << "TBusEngine" << EngineFactory::FeatureCalibration;
    QTest::newRow("5") << 5u << "ModBusEngine" << 0u;
    QTest::newRow("9") << 9u << "OmniCommEngine"
                       << (EngineFactory::FeatureAutonomousMode |
                           EngineFactory::FeatureExtendedConfiguration);
    QTest::newRow("10") << 10u << "OmniCommEngine" << 0x1Au;
}

void TestEngineFactory::engines()
{
    QFETCH(unsigned, index);
    QFETCH(QString, engineClass);
    QFETCH(quint32, features);

    std::unique_ptr<SerialEngine> engine(EngineFactory::createSerialEngine(index));
    QVERIFY(engine);
    QCOMPARE(QString::fromLatin1(engine->metaObject()->className()), engineClass);
    QCOMPARE(engine->features(), features);
    QVERIFY(!engine->parent());
    QVERIFY(!engine->port());
}

void TestEngineFactory::protocols_data()
{
    QTest::addColumn<unsigned>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");

    QTest::newRow("ZT-31") << 0u << "TBus"
                           << "TBus" << 0 << 62;
    QTest::newRow("ZT-32") << 1u << "ModBus"
                           << "ModBus RTU" << 1 << 247;
    QTest::newRow("ZT-43") << 10u << "Omnicomm"
                           << "Omnicomm" << 0 << 255;
    QTest::newRow("outside") << 11u << ""
                             << "" << -1 << -1;
}

void TestEngineFactory::protocols()
{
    QFETCH(unsigned, index);
    QFETCH(int, lowest);
    QFETCH(int, highest);

    QTEST(EngineFactory::protocolName(index), "name");
    QTEST(EngineFactory::protocolTitle(index), "title");
    int low = -1;
    int high = -1;
    QCOMPARE(EngineFactory::addressRange(index, &low, &high), lowest >= 0);
    QCOMPARE(low, lowest);
    QCOMPARE(high, highest);
}

// A row without a model would never be tried on a line of unknown protocol, and
// two rows of one bus or one log section would shadow each other.
void TestEngineFactory::everyProtocolHasModels()
{
    const QList<const ProtocolRow*> rows = ProtocolTable::rows();
    const QList<unsigned> order = EngineFactory::identifyOrder();
    QCOMPARE(order, (QList<unsigned>{0, 2, 1}));
    QCOMPARE(order.size(), rows.size());
    QSet<quint32> buses;
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(EngineFactory::features(order.at(i)) & EngineFactory::BusTypeMask,
                 rows.at(i)->bus);
        QCOMPARE(ProtocolTable::ofBus(rows.at(i)->bus), rows.at(i));
        buses << rows.at(i)->bus;
    }
    QCOMPARE(buses.size(), rows.size());
    const QByteArrayList sections = ProtocolTable::logSections();
    QCOMPARE(QSet<QByteArray>(sections.begin(), sections.end()).size(), 5);
}

QTEST_GUILESS_MAIN(TestEngineFactory)
#include "tst_enginefactory.moc"
