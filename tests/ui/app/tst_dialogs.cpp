#include "app/addsensordialog.h"
#include "app/bustypedialog.h"
#include "app/colorbutton.h"
#include "app/customprogressbar.h"
#include "app/detectionreminderdialog.h"
#include "support/answermodal.h"
#include "support/fakeprotocol.h"

#include <QApplication>
#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

QColor centreOf(const QIcon& icon, const QSize& size)
{
    const QImage image = icon.pixmap(size).toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    void busTypeDialogOffersEveryModel();
    void addSensorDialogAsksTheEngineAndDeletesItself();
    void progressBarShowsOnlyTheCallersText();
    void reminderShowsOnlyDuringOneShowing();
    void reminderPassesProgressAndGoesAwayOnHide();
    void colorButtonDrawsItsColour();
    void colorButtonKeepsItsColourWhenThePickIsCancelled();
};

void TestDialogs::busTypeDialogOffersEveryModel()
{
    BusTypeDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Choose sensor model"));
    auto* grid = dialog.findChild<QGridLayout*>(QStringLiteral("sensorTypesLayout"));
    QVERIFY(grid);
    QCOMPARE(grid->rowCount(), 11);
    auto widgetAt = [grid](int row, int column) {
        return grid->itemAtPosition(row, column)->widget();
    };
    QCOMPARE(qobject_cast<QPushButton*>(widgetAt(0, 0))->text(), QStringLiteral("ZT-31"));
    QCOMPARE(qobject_cast<QLabel*>(widgetAt(0, 1))->text(),
             QStringLiteral("TBus protocol, LIN interface"));
    QCOMPARE(qobject_cast<QPushButton*>(widgetAt(10, 0))->text(), QStringLiteral("ZT-43"));
    QCOMPARE(dialog.chosenIndex(), -1);

    answerNextModal<BusTypeDialog>(
        [widgetAt](BusTypeDialog*) { qobject_cast<QPushButton*>(widgetAt(2, 0))->click(); });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(dialog.chosenIndex(), 2);

    BusTypeDialog refused;
    answerNextModal<BusTypeDialog>([](BusTypeDialog* shown) { shown->reject(); });
    QCOMPARE(refused.exec(), int(QDialog::Rejected));
    QCOMPARE(refused.chosenIndex(), -1);
}

void TestDialogs::addSensorDialogAsksTheEngineAndDeletesItself()
{
    auto engine = std::make_unique<FakeEngine>(8);
    QPointer<AddSensorDialog> dialog = new AddSensorDialog(engine.get());
    dialog->open();
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->parent());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Add sensor"));
    // The first free address from 1 up, and the range the engine carries.
    QCOMPARE(dialog->intValue(), 1);
    QCOMPARE(dialog->labelText(), QStringLiteral("Address: 1 (0x01)\nAllowed: from 0 to 7"));
    QCOMPARE(dialog->inputMode(), QInputDialog::IntInput);
    dialog->setIntValue(3);
    QCOMPARE(dialog->labelText(), QStringLiteral("Address: 3 (0x03)\nAllowed: from 0 to 7"));
    dialog->accept();
    QCOMPARE(engine->sensors().size(), 1);
    QCOMPARE(int(engine->sensors().at(0)->address()), 3);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog.isNull());

    // The model changed while the question was open: the answer goes nowhere.
    QPointer<AddSensorDialog> late = new AddSensorDialog(engine.get());
    late->open();
    engine->deinit();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    engine.reset();
    late->setIntValue(2);
    late->accept();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(late.isNull());
}

void TestDialogs::progressBarShowsOnlyTheCallersText()
{
    CustomProgressBar bar;
    QCOMPARE(bar.maximum(), 0);
    QVERIFY(bar.text().isEmpty());
    bar.setText(QStringLiteral("12/255"));
    QCOMPARE(bar.text(), QStringLiteral("12/255"));
    // Even with a real range the bar never falls back to a percentage.
    bar.setRange(0, 100);
    bar.setValue(40);
    QCOMPARE(bar.text(), QStringLiteral("12/255"));
}

void TestDialogs::reminderShowsOnlyDuringOneShowing()
{
    QWidget parent;
    auto* dialog = new DetectionReminderDialog(&parent);
    auto* reminder = dialog->findChild<QLabel*>(QStringLiteral("labelNotDetected"));
    QVERIFY(reminder);
    QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
    dialog->show();
    QVERIFY(!reminder->isVisible());
    dialog->slotOnSensorsNotDetected();
    QVERIFY(reminder->isVisible());
    // The window is told to show again while already shown: the reminder stays.
    dialog->show();
    QVERIFY(reminder->isVisible());
    dialog->hide();
    dialog->show();
    QVERIFY(!reminder->isVisible());
}

void TestDialogs::reminderPassesProgressAndGoesAwayOnHide()
{
    QWidget parent;
    QPointer<DetectionReminderDialog> dialog = new DetectionReminderDialog(&parent);
    dialog->setProgressText(QStringLiteral("3/255"));
    auto* bar = dialog->findChild<CustomProgressBar*>(QStringLiteral("progressBar"));
    QVERIFY(bar);
    QCOMPARE(bar->text(), QStringLiteral("3/255"));
    QCOMPARE(bar->maximum(), 0);
    dialog->show();
    dialog->findChild<QPushButton*>(QStringLiteral("pushButton"))->click();
    QVERIFY(!dialog->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog.isNull());
}

void TestDialogs::colorButtonDrawsItsColour()
{
    ColorButton button;
    QVERIFY(button.icon().isNull());
    QVERIFY(!button.color().isValid());
    button.setColor(Qt::red);
    QCOMPARE(button.color(), QColor(Qt::red));
    const QImage image = button.icon().pixmap(button.iconSize()).toImage();
    QCOMPARE(image.size(), button.iconSize());
    QCOMPARE(centreOf(button.icon(), button.iconSize()), QColor(Qt::red));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    button.setColor(Qt::blue);
    QCOMPARE(centreOf(button.icon(), button.iconSize()), QColor(Qt::blue));
}

void TestDialogs::colorButtonKeepsItsColourWhenThePickIsCancelled()
{
    ColorButton button;
    button.setColor(Qt::green);
    answerNextModal<QColorDialog>([](QColorDialog* dialog) {
        QCOMPARE(dialog->currentColor(), QColor(Qt::green));
        dialog->reject();
    });
    button.click();
    QCOMPARE(button.color(), QColor(Qt::green));

    answerNextModal<QColorDialog>([](QColorDialog* dialog) {
        dialog->setCurrentColor(Qt::magenta);
        dialog->accept();
    });
    button.click();
    QCOMPARE(button.color(), QColor(Qt::magenta));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
