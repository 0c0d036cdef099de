// "From shape..." and "Export..." of the tank dialog: the fit to the wizard's
// rows, the suspect fit that cannot be taken, and the export's thinning.
#include "tank/tankexportdialog.h"
#include "tank/tankshapedialog.h"
#include "tank/tankshapetable.h"
#include "tank/tankshapetext.h"
#include "tank/tankthinning.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <cmath>
#include <QtTest>

namespace {

// Rows poured into a horizontal cylinder 5 % wider and 5 % shorter than drawn.
TankTable pouredRows()
{
    TankShape real;
    TankProbe probe;
    QString error;
    TankShapeText::readShape("horizontal-cylinder:diameter=1260,length=2850", &real, &error);
    TankShapeText::readProbe("40:1100", real, &probe, &error);
    TankTable rows;
    for (int raw : {700, 1600, 2500, 3400})
        rows.append({std::round(TankShapeTable::litresAt(real, probe, raw)), raw, 0, false});
    return rows;
}

} // namespace

class TestTankShapeDialog : public QObject
{
    Q_OBJECT

private slots:
    void fitToTheRowsCanBeTakenUnlessSuspect_data();
    void fitToTheRowsCanBeTakenUnlessSuspect();
    void exportShowsWhatThinningCosts();
};

void TestTankShapeDialog::fitToTheRowsCanBeTakenUnlessSuspect_data()
{
    QTest::addColumn<double>("length");
    QTest::addColumn<bool>("plausible");
    QTest::newRow("drawn 3000 long") << 3000.0 << true;
    QTest::newRow("drawn 2000 long") << 2000.0 << false;
}

// NIVELON_SHOT names a file for a picture of the dialog with its fit.
void TestTankShapeDialog::fitToTheRowsCanBeTakenUnlessSuspect()
{
    QFETCH(double, length);
    QFETCH(bool, plausible);
    TankShapeDialog dialog(pouredRows(), 4095, nullptr);
    dialog.resize(1100, 720);
    dialog.show();
    dialog.findChild<QDoubleSpinBox*>("diameter")->setValue(1200);
    dialog.findChild<QDoubleSpinBox*>("probeStart")->setValue(40);
    dialog.findChild<QDoubleSpinBox*>("probeLength")->setValue(1100);
    dialog.findChild<QDoubleSpinBox*>("length")->setValue(length);
    auto* useFit = dialog.findChild<QPushButton*>("useFit");
    const QString status = dialog.findChild<QLabel*>("status")->text();
    QCOMPARE(useFit->isEnabled(), plausible);
    QVERIFY2(status.contains(plausible ? "Fitted to 4 measured rows" : "The fit is suspect"),
             qPrintable(status));
    if (!plausible)
        return;
    if (!qEnvironmentVariableIsEmpty("NIVELON_SHOT")) {
        QTest::qWait(200);
        QVERIFY(dialog.grab().save(qEnvironmentVariable("NIVELON_SHOT")));
    }
    useFit->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.table().info().computed);
    QVERIFY(dialog.table().info().confirmation.startsWith("fitted to 4 measured rows"));
}

void TestTankShapeDialog::exportShowsWhatThinningCosts()
{
    TankShape shape;
    TankProbe probe;
    QString error;
    QVERIFY(TankShapeText::readShape("ellipse:width=1600,height=700,length=2500", &shape, &error));
    QVERIFY(TankShapeText::readProbe("0:700", shape, &probe, &error));
    TankTable table;
    QVERIFY(TankShapeTable::make(shape, probe, 201, &table, &error));
    TankExportDialog dialog(table, nullptr);
    dialog.findChild<QSpinBox*>()->setValue(20);
    double expected = 0;
    TankThinning::thin(table, 20, &expected);
    QCOMPARE(dialog.largestError(), expected);
    QVERIFY(expected > 0);
    QTemporaryDir folder;
    const QString path = folder.filePath("pairs.txt");
    QVERIFY2(dialog.saveTo(path, &error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), dialog.text());
}

QTEST_MAIN(TestTankShapeDialog)
#include "tst_tankshapedialog.moc"
