#include "port/portoptionswidget.h"
#include "port/systemportenumerator.h"
#include "support/fakeportenumerator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidgetAction>
#include <QtTest>

namespace {

// The panel and what it emits.
struct Panel
{
    Panel()
        : panel(widget.findChild<QWidgetAction*>()->defaultWidget())
        , ports(panel->findChild<QComboBox*>(QStringLiteral("portComboBox")))
        , baudRates(panel->findChild<QComboBox*>(QStringLiteral("baudRateComboBox")))
        , autoSearch(panel->findChild<QCheckBox*>(QStringLiteral("autoSearchCheckBox")))
        , button(widget.findChild<QPushButton*>(QStringLiteral("portButton")))
    {}

    QStringList names() const
    {
        QStringList out;
        for (const SerialPortInfo& info : widget.ports())
            out.append(info.portName);
        return out;
    }
    QString selected() const
    {
        const int index = ports->currentIndex();
        return index < 0 ? QString() : widget.ports().at(index).portName;
    }

    PortOptionsWidget widget;
    QWidget* panel;
    QComboBox* ports;
    QComboBox* baudRates;
    QCheckBox* autoSearch;
    QPushButton* button;
    QSignalSpy portChanged{&widget, &PortOptionsWidget::portChanged};
    QSignalSpy baudRateChanged{&widget, &PortOptionsWidget::baudRateChanged};
    QSignalSpy detectionChanged{&widget, &PortOptionsWidget::portDetectionChanged};
};

SerialPortSettings managerSettings(const QString& port, BaudRateType rate)
{
    SerialPortSettings settings;
    settings.portName = port;
    settings.settings.BaudRate = rate;
    return settings;
}

} // namespace

class TestPortOptionsWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { globalPortEnumerator = nullptr; }
    void refreshKeepsTheChoiceAndEmitsNothing();
    void userChoicesAreEmitted();
    void portAddedByHandIsListedAndRemembered();
};

void TestPortOptionsWidget::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"), "run through CTest");
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
}

void TestPortOptionsWidget::refreshKeepsTheChoiceAndEmitsNothing()
{
    FakePortEnumerator enumerator({"ttyUSB2", "ttyUSB10", "ttyUSB1"});
    globalPortEnumerator = &enumerator;
    Panel p;
    QCOMPARE(p.names(), QStringList({"ttyUSB1", "ttyUSB10", "ttyUSB2"}));
    QCOMPARE(p.ports->itemText(0), QStringLiteral("Fake line (ttyUSB1)"));
    QCOMPARE(p.baudRates->count(), 23);

    // What the manager reports is shown, never echoed back to it.
    p.widget.slotSerialPortParametersChanged(managerSettings("ttyUSB2", BAUD150));
    QCOMPARE(p.selected(), QStringLiteral("ttyUSB2"));
    QCOMPARE(p.button->text(), QStringLiteral("ttyUSB2"));
    QCOMPARE(p.baudRates->currentIndex(), 5);
    p.widget.slotSerialPortParametersChanged(managerSettings("ttyGone", BAUD9600));
    QCOMPARE(p.selected(), QStringLiteral("ttyUSB2"));

    enumerator.plug(QStringLiteral("ttyACM0"));
    QCOMPARE(p.names().first(), QStringLiteral("ttyACM0"));
    QCOMPARE(p.selected(), QStringLiteral("ttyUSB2"));
    QCOMPARE(p.button->text(), QStringLiteral("ttyUSB2"));
    enumerator.unplug(QStringLiteral("ttyUSB2"));
    QCOMPARE(p.selected(), QString());
    QCOMPARE(p.button->text(), QString());
    enumerator.ports.clear();
    p.widget.slotPortListChanged();
    QCOMPARE(p.ports->count(), 0);
    QCOMPARE(p.portChanged.size(), 0);
    QCOMPARE(p.baudRateChanged.size(), 0);
}

void TestPortOptionsWidget::userChoicesAreEmitted()
{
    FakePortEnumerator enumerator({"ttyS0", "ttyS1"});
    globalPortEnumerator = &enumerator;
    Panel p;
    p.ports->setCurrentIndex(1);
    QCOMPARE(p.portChanged.size(), 1);
    QCOMPARE(p.portChanged.first().at(0).value<SerialPortInfo>(),
             FakePortEnumerator::info("ttyS1"));

    p.widget.baudRateChangeRequested(0);
    p.widget.baudRateChangeRequested(13);
    QCOMPARE(p.baudRateChanged.size(), 1);
    QCOMPARE(p.baudRateChanged.first().at(0).toInt(), 12);

    p.widget.setPortDetection(true);
    p.widget.setPortDetection(true);
    QVERIFY(!p.ports->isEnabled());
    QCOMPARE(p.detectionChanged.size(), 1);
    QCOMPARE(p.detectionChanged.first().at(0).toBool(), true);
    p.autoSearch->click();
    QVERIFY(p.ports->isEnabled());
    QCOMPARE(p.detectionChanged.size(), 2);
}

void TestPortOptionsWidget::portAddedByHandIsListedAndRemembered()
{
    QSettings().clear();
    QTemporaryDir dir;
    const QString line = dir.filePath(QStringLiteral("line"));
    const QString missing = dir.filePath(QStringLiteral("missing"));
    QFile device(line);
    QVERIFY(device.open(QIODevice::WriteOnly));
    device.close();

    auto enumerator = std::make_unique<SystemPortEnumerator>();
    globalPortEnumerator = enumerator.get();
    QSignalSpy arrived(enumerator.get(), &PortEnumerator::deviceDiscovered);
    Panel p;
    const QStringList before = p.names();

    const QString error = p.widget.addPort(missing);
    QVERIFY2(error.contains(missing), qPrintable(error));
    QCOMPARE(p.names(), before);
    QCOMPARE(arrived.size(), 0);
    QVERIFY(!QSettings().contains(QStringLiteral("SerialPort/ExtraPorts")));

    QCOMPARE(p.widget.addPort(line), QString());
    QVERIFY(p.names().contains(line));
    QCOMPARE(p.selected(), line);
    QCOMPARE(arrived.size(), 1);
    QCOMPARE(p.portChanged.size(), 1);
    QCOMPARE(p.portChanged.first().at(0).value<SerialPortInfo>().portName, line);
    QCOMPARE(p.widget.addPort(line), QString());
    QCOMPARE(p.names().count(line), 1);

    // The next run lists it while it exists.
    QCOMPARE(QSettings().value(QStringLiteral("SerialPort/ExtraPorts")).toStringList(),
             QStringList({line}));
    auto listed = [](const QString& path) {
        for (const SerialPortInfo& info : SystemPortEnumerator().getPorts()) {
            if (info.portName == path)
                return true;
        }
        return false;
    };
    QVERIFY(listed(line));
    QVERIFY(QFile::remove(line));
    QVERIFY(!listed(line));
}

QTEST_MAIN(TestPortOptionsWidget)
#include "tst_portoptionswidget.moc"
