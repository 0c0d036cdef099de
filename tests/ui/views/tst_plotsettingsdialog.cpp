#include "app/colorbutton.h"
#include "views/plotsettingsdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QtTest>

namespace {

template <typename T>
T* child(QDialog& dialog, const char* name)
{
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

void press(QDialog& dialog, QDialogButtonBox::StandardButton which)
{
    child<QDialogButtonBox>(dialog, "buttonBox")->button(which)->click();
}

} // namespace

class TestPlotSettingsDialog : public QObject
{
    Q_OBJECT
private slots:
    void init() { QSettings().clear(); }
    void emptyStoreShowsTheDefaults();
    void okWritesCancelDoesNot();
    void resetAndRestoreDefaults();
};

void TestPlotSettingsDialog::emptyStoreShowsTheDefaults()
{
    PlotSettingsDialog dialog;
    QCOMPARE(child<QSpinBox>(dialog, "plotSamplesSpinBox")->text(), QStringLiteral("No limit"));
    QCOMPARE(child<QComboBox>(dialog, "timeFormatEdit")->currentText(), QStringLiteral("mm:ss"));
    QCOMPARE(child<QComboBox>(dialog, "levelFormatCombo")->currentIndex(), 0);
    for (const char* name : {"levelStyleCombo", "frequencyStyleCombo", "temperatureStyleCombo"})
        QCOMPARE(child<QComboBox>(dialog, name)->currentData().toInt(), 2);
    QCOMPARE(child<ColorButton>(dialog, "levelColorButton")->color(), QColor(Qt::green));
    QCOMPARE(child<ColorButton>(dialog, "errorColorButton")->color(), QColor(Qt::magenta));
    QCOMPARE(child<ColorButton>(dialog, "frequencyColorButton")->color(), QColor(Qt::blue));
    QCOMPARE(child<ColorButton>(dialog, "temperatureColorButton")->color(), QColor(Qt::red));
    QCOMPARE(child<ColorButton>(dialog, "backgroundColorButton")->color(),
             dialog.palette().color(QPalette::Window));
    QCOMPARE(child<QSpinBox>(dialog, "errorWidthSpinBox")->value(), 2);
    QVERIFY(!child<QComboBox>(dialog, "errorStyleCombo"));
}

void TestPlotSettingsDialog::okWritesCancelDoesNot()
{
    QSettings().setValue("Plot/TemperatureStyle", 9);
    PlotSettingsDialog dialog;
    QCOMPARE(child<QComboBox>(dialog, "temperatureStyleCombo")->currentData().toInt(), 2);
    child<QComboBox>(dialog, "levelFormatCombo")->setCurrentIndex(1);
    child<QComboBox>(dialog, "timeFormatEdit")->setEditText("hh:mm");
    child<QSpinBox>(dialog, "plotSamplesSpinBox")->setValue(500);
    press(dialog, QDialogButtonBox::Cancel);
    QVERIFY(!QSettings().contains("Plot/LevelFormat"));

    press(dialog, QDialogButtonBox::Ok);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QSettings settings;
    QCOMPARE(settings.value("Plot/LevelFormat").toInt(), 1);
    QCOMPARE(settings.value("Plot/TimeFormat").toString(), QStringLiteral("hh:mm"));
    QCOMPARE(settings.value("Plot/MaximumSize").toInt(), 500);
    QCOMPARE(settings.value("Plot/TemperatureStyle").toInt(), 2);
    QCOMPARE(settings.value("Plot/ErrorColor").value<QColor>(), QColor(Qt::magenta));
    QVERIFY(!settings.contains("Plot/ErrorStyle"));
}

void TestPlotSettingsDialog::resetAndRestoreDefaults()
{
    QSettings().setValue("Plot/LevelWidth", 7);
    QSettings().setValue("Plot/LevelStyle", 0);
    PlotSettingsDialog dialog;
    auto* width = child<QSpinBox>(dialog, "levelWidthSpinBox");
    QCOMPARE(width->value(), 7);
    press(dialog, QDialogButtonBox::RestoreDefaults);
    QCOMPARE(width->value(), 2);
    QCOMPARE(child<QComboBox>(dialog, "levelStyleCombo")->currentData().toInt(), 2);
    QCOMPARE(QSettings().value("Plot/LevelWidth").toInt(), 7);
    press(dialog, QDialogButtonBox::Reset);
    QCOMPARE(width->value(), 7);
    QCOMPARE(child<QComboBox>(dialog, "levelStyleCombo")->currentData().toInt(), 0);
}

QTEST_MAIN(TestPlotSettingsDialog)
#include "tst_plotsettingsdialog.moc"
