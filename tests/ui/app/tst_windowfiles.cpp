// The window's files, on an account without a Documents folder (HOME is a
// folder of the test's own): where each save dialog starts and what name it
// proposes, that the name typed gets its suffix and is listed by the open
// dialog of its kind; every writer of the window on a full disk; and the rows
// of a tank calibration kept when the line is lost.
#include "app/mainwindow.h"
#include "app/resources.h"
#include "engine/serialsensor.h"
#include "record/commissioningrecord.h"
#include "record/recorddialog.h"
#include "record/recordpage.h"
#include "support/answermodal.h"
#include "support/fakeportenumerator.h"
#include "support/fullfolder.h"
#include "support/logcapture.h"
#include "support/simulatedline.h"
#include "tank/tankcalibrationdialog.h"
#include "tank/tanktablefile.h"
#include "views/sensorwidget.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

const int kDetectMs = 20000;
const int kOmnicommModel = 2; // ZT-33

QAction* sensorAction(const SensorWidget* view, const QString& text)
{
    for (QAction* action : view->sensorActions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// Keeps what the save dialog proposes in offered, then types name without a
// suffix.
void typeIntoSaveDialog(QString* offered, const QString& name)
{
    answerComingModal<QFileDialog>([=](QFileDialog* files) {
        *offered = files->selectedFiles().value(0);
        files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
        static_cast<QDialog*>(files)->accept(); // QFileDialog hides it
    });
}

// A file of the kind in folder, not a folder's name.
bool offeredIn(const QString& offered, const QString& folder, const QString& pattern)
{
    const QFileInfo file(offered);
    return file.absolutePath() == folder &&
           QRegularExpression(pattern).match(file.fileName()).hasMatch();
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

class TestWindowFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void filesLandWhereTheUserMeantThem();

private:
    void saveDialogs(SensorWidget* view);
    void writersOnAFullDisk(SensorWidget* view, TankCalibrationDialog* tank);

    QTemporaryDir m_home;
};

void TestWindowFiles::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"), "run through CTest");
    QVERIFY(!QFileInfo::exists(m_home.filePath(QStringLiteral("Documents"))));
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QCoreApplication::setOrganizationName(QStringLiteral("Korinta"));
    QCoreApplication::setApplicationName(QStringLiteral("Nivelon"));
    initResources();
}

void TestWindowFiles::filesLandWhereTheUserMeantThem()
{
    LogCapture log;
    sim::SimLine line(SimulatedLine::options(QStringLiteral("ZT-33"), {1}, 0.05));
    QVERIFY(line.start());
    FakePortEnumerator enumerator;
    enumerator.plug(line.portPath());
    QSettings settings;
    settings.clear();
    settings.setValue(QStringLiteral("BusType"), kOmnicommModel);
    settings.setValue(QStringLiteral("SerialPort/UsedPort"), line.portPath());
    settings.setValue(QStringLiteral("SerialPort/AutoDetectPort"), false);
    MainWindow window(&enumerator);
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("sensorTabWidget"));
    QTRY_COMPARE_WITH_TIMEOUT(tabs->count(), 2, kDetectMs);
    auto* view = qobject_cast<SensorWidget*>(tabs->widget(1));
    saveDialogs(view);
    if (QTest::currentTestFailed())
        return;

    sensorAction(view, QStringLiteral("Tank calibration..."))->trigger();
    auto* tank = view->findChild<TankCalibrationDialog*>();
    QVERIFY(tank);
    writersOnAFullDisk(view, tank);
    if (QTest::currentTestFailed())
        return;

    // A row not saved when the line goes is kept beside the saved tables.
    tank->findChild<QDoubleSpinBox*>(QStringLiteral("settleSpinBox"))->setValue(0.2);
    auto* record = tank->findChild<QPushButton*>(QStringLiteral("recordButton"));
    QTRY_VERIFY_WITH_TIMEOUT(record->isEnabled(), 10000);
    record->click();
    QVERIFY(tank->isUnsaved());
    line.stop();
    QTRY_VERIFY_WITH_TIMEOUT(!tank->keptIn().isEmpty(), 10000);
    QCOMPARE(QFileInfo(tank->keptIn()).absolutePath(), m_home.path());
    TankTable kept;
    QString error;
    QVERIFY2(TankTableFile::load(tank->keptIn(), &kept, &error), qPrintable(error));
    QCOMPARE(kept.rowCount(), 1);
    QCOMPARE(kept.info().incomplete, QStringLiteral("the line was lost"));
    QVERIFY2(tank->findChild<QLabel*>(QStringLiteral("statusLine"))
                 ->text()
                 .contains(QStringLiteral("marked incomplete")),
             "the dialog says where the rows went");
    answerNextModal<QMessageBox>(
        [](QMessageBox* box) { box->button(QMessageBox::Discard)->click(); });
    QVERIFY(window.close());
}

// Without Documents every dialog starts in the home folder with a file name of
// its kind; the typed name gets the kind's suffix.
void TestWindowFiles::saveDialogs(SensorWidget* view)
{
    const QString home = m_home.path();
    QString offered;
    typeIntoSaveDialog(&offered, QStringLiteral("fleet"));
    sensorAction(view, QStringLiteral("Save profile..."))->trigger();
    QVERIFY2(offeredIn(offered, home, QStringLiteral("^ZT-33_profile\\.json$")),
             qPrintable(offered));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(m_home.filePath(QStringLiteral("fleet.json"))),
                             10000);
    QString listing;
    QString filter;
    answerComingModal<QFileDialog>([&](QFileDialog* files) {
        listing = files->directory().absolutePath();
        filter = files->selectedNameFilter();
        files->reject();
    });
    sensorAction(view, QStringLiteral("Apply profile..."))->trigger();
    QCOMPARE(listing, home);
    QVERIFY2(QDir::match(filter.section('(', 1).section(')', 0, 0), QStringLiteral("fleet.json")),
             qPrintable(filter));

    typeIntoSaveDialog(&offered, QStringLiteral("plot"));
    view->slotSavePlotData();
    QVERIFY2(offeredIn(offered, home, QStringLiteral("^ZT-33_1_.*\\.csv$")), qPrintable(offered));
    QVERIFY(QFileInfo::exists(m_home.filePath(QStringLiteral("plot.csv"))));

    answerNextModal<RecordDialog>([&offered](RecordDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("vehicleEdit"))->setText("AB 123/7");
        typeIntoSaveDialog(&offered, QStringLiteral("bus"));
        dialog->accept();
    });
    sensorAction(view, QStringLiteral("Commissioning record..."))->trigger();
    QVERIFY2(
        offeredIn(offered, home, QStringLiteral("^ZT-33_1_AB-123-7_\\d{4}-\\d\\d-\\d\\d\\.pdf$")),
        qPrintable(offered));
    QVERIFY(QFileInfo::exists(m_home.filePath(QStringLiteral("bus.pdf"))));
    QVERIFY(QFileInfo::exists(m_home.filePath(QStringLiteral("bus.json"))));
    QVERIFY(!QFileInfo::exists(m_home.filePath(QStringLiteral("Documents"))));
}

// Each writer fails with the system's reason and leaves the earlier file.
void TestWindowFiles::writersOnAFullDisk(SensorWidget* view, TankCalibrationDialog* tank)
{
    const auto* sensor = qobject_cast<const SerialSensor*>(view->baseSensor());
    const CommissioningRecord record = CommissioningRecord::of(
        *sensor,
        RecordContext{QDateTime::currentDateTime(), "line", kOmnicommModel, "AB 123", "Ivan"},
        nullptr);
    const QList<QPair<QString, std::function<bool(const QString&, QString*)>>> writers{
        {"plot data",
         [view](const QString& path, QString* error) {
             return view->savePlotData(path, error);
         }},
        {"tank table",
         [tank](const QString& path, QString* error) {
             return tank->saveTo(path, error);
         }},
        {"record JSON",
         [&record](const QString& path, QString* error) {
             return record.save(path, error);
         }},
        {"record PDF", [&record](const QString& path, QString* error) {
             return RecordPage::write(record, QImage(), path, error);
         }}};
    for (const FullFolder::Kind kind : {FullFolder::FullFileSystem, FullFolder::WriteLimit}) {
        FullFolder folder(kind);
        if (!folder.unavailable().isEmpty()) {
            qInfo("%s", qPrintable(folder.unavailable()));
            continue;
        }
        for (const auto& writer : writers) {
            QFile earlier(folder.filePath(writer.first));
            QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7 &&
                    earlier.flush());
        }
        folder.fill();
        for (const auto& [name, write] : writers) {
            const QString path = folder.filePath(name);
            QString error;
            const bool written = write(path, &error);
            QVERIFY2(!written, qPrintable(name));
            QCOMPARE(error, QStringLiteral("cannot write %1: %2").arg(path, folder.reason()));
            QCOMPARE(contentOf(path), QByteArray("earlier"));
        }
        folder.release();
    }
}

QTEST_MAIN(TestWindowFiles)
#include "tst_windowfiles.moc"
