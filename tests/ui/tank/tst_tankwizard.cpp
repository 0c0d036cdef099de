// The tank calibration dialog in the main window against a simulated line
// whose level the test pours, offscreen, with a short settling time.
#include "app/mainwindow.h"
#include "app/resources.h"
#include "engine/basesensor.h"
#include "levelcommands.h"
#include "support/answermodal.h"
#include "support/fakeportenumerator.h"
#include "support/logcapture.h"
#include "support/simulatedline.h"
#include "tank/tankcalibrationdialog.h"
#include "tank/tanktablefile.h"
#include "views/sensorwidget.h"
#include "views/tanklitresfield.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const int kDetectMs = 20000;
const int kSettleMs = 10000;
const int kOmnicommModel = 2; // ZT-33

template <typename T>
T* childOf(const QWidget* parent, const char* name)
{
    return parent->findChild<T*>(QLatin1String(name));
}

QAction* tankAction(const SensorWidget* view)
{
    for (QAction* action : view->sensorActions()) {
        if (action->objectName() == QLatin1String("actionTankCalibration"))
            return action;
    }
    return nullptr;
}

} // namespace

class TestTankWizard : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void fiveStepsSavedReloadedAndShownInLitres();
};

void TestTankWizard::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"), "run through CTest");
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
    initResources();
}

// Five rows, one of them forced and taken back; Record waits while the surface
// still swings after a pour.
void TestTankWizard::fiveStepsSavedReloadedAndShownInLitres()
{
    LogCapture log;
    sim::LineOptions options = SimulatedLine::options(QStringLiteral("ZT-33"), {1}, 0.05);
    options.wobble = {0.05, 2000};
    sim::SimLine line(options);
    QVERIFY(line.start());
    sim::LevelCommands levels(line);
    FakePortEnumerator enumerator;
    enumerator.plug(line.portPath());
    QSettings settings;
    settings.clear();
    settings.setValue(QStringLiteral("BusType"), kOmnicommModel);
    settings.setValue(QStringLiteral("SerialPort/UsedPort"), line.portPath());
    settings.setValue(QStringLiteral("SerialPort/AutoDetectPort"), false);
    MainWindow window(&enumerator);
    auto* tabs = childOf<QTabWidget>(&window, "sensorTabWidget");
    QTRY_COMPARE_WITH_TIMEOUT(tabs->count(), 2, kDetectMs);
    auto* view = qobject_cast<SensorWidget*>(tabs->widget(1));
    auto* litres = childOf<TankLitresField>(view, "tankLitresField");
    QVERIFY(litres->isHidden());

    tankAction(view)->trigger();
    auto* dialog = view->findChild<TankCalibrationDialog*>();
    QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
    // A tolerance beyond the range is refused as typed, not cut to a fitting "5".
    auto* tolerance = childOf<QDoubleSpinBox>(dialog, "toleranceSpinBox");
    tolerance->selectAll();
    QTest::keyClicks(tolerance, QStringLiteral("50"));
    tolerance->interpretText();
    QCOMPARE(dialog->calibration().stability().tolerance(), 0.2);
    QCOMPARE(tolerance->value(), 0.2);
    const QString said = childOf<QLabel>(dialog, "statusLine")->text();
    QVERIFY2(said.startsWith(QStringLiteral("Tolerance \u00b150.00 % refused: it must be from "
                                            "\u00b10.01 % to \u00b110.00 %; it stays "
                                            "\u00b10.20 %")),
             qPrintable(said));
    childOf<QDoubleSpinBox>(dialog, "settleSpinBox")->setValue(0.5);
    auto* step = childOf<QDoubleSpinBox>(dialog, "stepSpinBox");
    auto* record = childOf<QPushButton>(dialog, "recordButton");
    auto* force = childOf<QPushButton>(dialog, "forceButton");
    const TankCalibration& calibration = dialog->calibration();
    QCOMPARE(step->value(), 0.0);
    QString answer;
    for (int row = 1; row <= 5; ++row) {
        if (row > 1) {
            QVERIFY(levels.execute(QStringLiteral("pour 1 10"), &answer));
            QTRY_VERIFY(calibration.hasRisen());
            QVERIFY(!record->isEnabled() && force->isEnabled());
            record->click();
            QCOMPARE(calibration.table().rowCount(), row - 1);
        }
        if (row == 3) {
            force->click();
            QVERIFY(calibration.table().lastRow().forced);
            childOf<QPushButton>(dialog, "undoButton")->click();
            QCOMPARE(step->value(), 10.0);
        }
        QTRY_VERIFY_WITH_TIMEOUT(record->isEnabled(), kSettleMs);
        record->click();
        QCOMPARE(calibration.table().rowCount(), row);
        QVERIFY(!calibration.table().lastRow().forced);
        QCOMPARE(calibration.table().lastRow().litres, (row - 1) * 10.0);
    }
    QTRY_COMPARE(litres->text(), QStringLiteral("40.0 L"));
    QVERIFY(!litres->isHidden());

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tank.csv"));
    QString error;
    QVERIFY(dialog->isUnsaved());
    QVERIFY2(dialog->saveTo(path, &error), qPrintable(error));
    QVERIFY(!dialog->isUnsaved());
    TankTable saved;
    QVERIFY(TankTableFile::load(path, &saved, &error));
    QCOMPARE(saved.rowCount(), 5);
    QCOMPARE(saved.info().model, QStringLiteral("ZT-33"));
    QCOMPARE(saved.info().address, 1);

    // A refused file leaves the table as it was; the saved one comes back.
    const QString bad = folder.filePath(QStringLiteral("bad.csv"));
    QVERIFY(TankTableFile::save(TankTable(), bad, &error));
    QVERIFY(!dialog->loadFrom(bad, &error));
    QVERIFY2(error.startsWith(QStringLiteral("line ")), qPrintable(error));
    view->baseSensor()->setTankTable(nullptr);
    QVERIFY(litres->isHidden());
    QVERIFY2(dialog->loadFrom(path, &error), qPrintable(error));
    QCOMPARE(view->baseSensor()->tankTable()->rowCount(), 5);
    QTRY_COMPARE(litres->text(), QStringLiteral("40.0 L"));
    // The plot export of a sensor with a table ends each row with its litres.
    const QString csvPath = folder.filePath(QStringLiteral("plot.csv"));
    QVERIFY2(view->savePlotData(csvPath, &error), qPrintable(error));
    QFile csv(csvPath);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> csvLines = csv.readAll().split('\n');
    QVERIFY2(csvLines.first().endsWith(",Litres"), csvLines.first().constData());
    QVERIFY2(csvLines.value(csvLines.size() - 2).endsWith(",40.00"),
             csvLines.join('|').right(200).constData());

    // Above the last row the tab says so; an unsaved row makes quitting ask.
    dialog->close();
    QVERIFY(levels.execute(QStringLiteral("pour 1 10"), &answer));
    QTRY_COMPARE(litres->text(), QStringLiteral("40.0 L (out of range)"));
    QTRY_VERIFY_WITH_TIMEOUT(record->isEnabled(), kSettleMs);
    record->click();
    QVERIFY(dialog->isUnsaved());
    // Another model would drop the sensor and its table: Cancel keeps both.
    QAction* otherModel = nullptr;
    for (QAction* action : window.findChild<QMenu*>(QStringLiteral("menuSensors"))->actions()) {
        if (action->isCheckable() && !action->isChecked() && action->data().isValid())
            otherModel = action;
    }
    QVERIFY(otherModel);
    answerNextModal<QMessageBox>(
        [](QMessageBox* box) { box->button(QMessageBox::Cancel)->click(); });
    otherModel->trigger();
    QVERIFY(!otherModel->isChecked());
    QCOMPARE(tabs->count(), 2);
    QVERIFY(dialog->isUnsaved());
    answerNextModal<QMessageBox>(
        [](QMessageBox* box) { box->button(QMessageBox::Cancel)->click(); });
    QVERIFY(!window.close());
    answerNextModal<QMessageBox>(
        [](QMessageBox* box) { box->button(QMessageBox::Discard)->click(); });
    QVERIFY(window.close());
}

QTEST_MAIN(TestTankWizard)
#include "tst_tankwizard.moc"
