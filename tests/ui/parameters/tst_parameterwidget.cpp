#include "engine/basesensor.h"
#include "engine/enginecommand.h"
#include "parameters/commandbutton.h"
#include "parameters/parameterwidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

namespace {

// Records each write request instead of sending it.
class WriteRecordingSensor : public BaseSensor
{
    Q_OBJECT
public:
    WriteRecordingSensor()
        : BaseSensor(nullptr)
    {
        addIntParameter(QStringLiteral("FMax"));
    }
    void deinit() override {}
    void requestChangeParameter(int index, const QVariant& value,
                                CommandCallback* callback) override
    {
        writes.append({index, value});
        pending = callback;
    }
    void complete(CommandCallback::Result result) { pending->callback(result, EngineCommand()); }

    QList<QPair<int, QVariant>> writes;
    CommandCallback* pending = nullptr;
};

QPushButton* button(QWidget* widget, const QString& text)
{
    for (QPushButton* b : widget->findChildren<QPushButton*>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

bool displayIsColoured(QLineEdit* display, const QColor& color)
{
    return display->palette().color(QPalette::Active, QPalette::Base) == color;
}

} // namespace

class TestParameterWidget : public QObject
{
    Q_OBJECT
private slots:
    void editEscapeReturnAndResults();
    void valueForms();
    void commandButtonRetries();
};

void TestParameterWidget::editEscapeReturnAndResults()
{
    WriteRecordingSensor sensor;
    sensor.intParameter(1)->setValue(1200);
    IntSpinBoxParameterWidget widget;
    widget.setRange(0, 65535);
    widget.bindSensorParameter(&sensor, 1);
    widget.updateFromSensor();
    widget.show();
    auto* display = widget.findChild<QLineEdit*>("display");
    QSpinBox* editor = widget.spinBox();
    QCOMPARE(display->text(), QStringLiteral("1200"));

    QSignalSpy prepare(&widget, &ParameterWidget::prepareEditWidget);
    button(&widget, "Edit")->click();
    QCOMPARE(widget.state(), ParameterWidget::StateEditing);
    QCOMPARE(prepare.count(), 1);
    QVERIFY(editor->isVisible() && !display->isVisible());
    QCOMPARE(editor->value(), 1200);
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(widget.state(), ParameterWidget::StateIdle);
    QVERIFY(display->isVisible() && !editor->isVisible());
    QVERIFY(sensor.writes.isEmpty());

    // Return writes; the display stays, "Edit" waits for the reply.
    button(&widget, "Edit")->click();
    editor->setValue(1500);
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(widget.state(), ParameterWidget::StateWaiting);
    QCOMPARE(sensor.writes.value(0), qMakePair(1, QVariant(1500)));
    QVERIFY(!button(&widget, "Edit")->isEnabled());
    sensor.intParameter(1)->setValue(1500);
    sensor.complete(CommandCallback::Ok);
    QCOMPARE(widget.state(), ParameterWidget::StateOk);
    QCOMPARE(display->text(), QStringLiteral("1500"));
    QVERIFY(displayIsColoured(display, Qt::green));
    QMetaObject::invokeMethod(&widget, "slotOnStateTimerTimeout");
    QCOMPARE(widget.state(), ParameterWidget::StateIdle);
    QVERIFY(button(&widget, "Edit")->isEnabled());
    QVERIFY(!displayIsColoured(display, Qt::green));

    // A failed write keeps the old value on red.
    button(&widget, "Edit")->click();
    editor->setValue(9);
    button(&widget, "Accept")->click();
    sensor.complete(CommandCallback::Timeout);
    QCOMPARE(widget.state(), ParameterWidget::StateFailed);
    QCOMPARE(display->text(), QStringLiteral("1500"));
    QVERIFY(displayIsColoured(display, Qt::red));
}

void TestParameterWidget::valueForms()
{
    ComboBoxParameterWidget combo;
    combo.setItems({"0.5-4.5V", "0.5-9.5V"});
    combo.setVariantValue(1);
    QCOMPARE(combo.findChild<QLineEdit*>("display")->text(), QStringLiteral("0.5-9.5V"));
    combo.setVariantValue(7);
    QCOMPARE(combo.findChild<QLineEdit*>("display")->text(), QStringLiteral("Unknown-1"));

    PwmParameterWidget pwm;
    auto* display = pwm.findChild<QLineEdit*>("display");
    pwm.setVariantValue(-120);
    QCOMPARE(display->text(), QStringLiteral("120 Reverse"));
    QVERIFY(pwm.pwmEdit()->reverseCheckBox->isChecked());
    QCOMPARE(pwm.pwmEdit()->spinBox->value(), 120);
    pwm.setVariantValue(120);
    QCOMPARE(display->text(), QStringLiteral("120 "));
    QVERIFY(!pwm.pwmEdit()->reverseCheckBox->isChecked());
    pwm.pwmEdit()->spinBox->setValue(50);
    pwm.pwmEdit()->reverseCheckBox->setChecked(true);
    QCOMPARE(pwm.editVariantValue(), QVariant(-50));
}

void TestParameterWidget::commandButtonRetries()
{
    CommandButton button;
    button.setRequestCount(2);
    QList<CommandCallback*> issued;
    connect(&button, &CommandButton::triggered, [&](CommandCallback* cb) { issued.append(cb); });

    button.click();
    QCOMPARE(issued.size(), 1);
    QCOMPARE(button.state(), CommandButton::StateWaiting);
    QVERIFY(!button.isEnabled());
    issued.last()->callback(CommandCallback::Timeout, EngineCommand());
    QCOMPARE(issued.size(), 2);
    QCOMPARE(button.state(), CommandButton::StateWaiting);
    issued.last()->callback(CommandCallback::Ok, EngineCommand());
    QCOMPARE(button.state(), CommandButton::StateOk);
    QCOMPARE(button.palette().color(QPalette::Active, QPalette::Button), QColor(Qt::green));
    QMetaObject::invokeMethod(&button, "slotOnStateTimerTimeout");
    QCOMPARE(button.state(), CommandButton::StateIdle);
    QVERIFY(button.isEnabled());

    // Both attempts fail: red, no third attempt.
    button.click();
    issued.last()->callback(CommandCallback::Nack, EngineCommand());
    issued.last()->callback(CommandCallback::Nack, EngineCommand());
    QCOMPARE(issued.size(), 4);
    QCOMPARE(button.state(), CommandButton::StateFailed);

    // A receiver that fails at once inside the click leaves the button red, not stuck.
    CommandButton immediate;
    connect(&immediate, &CommandButton::triggered,
            [](CommandCallback* cb) { cb->callback(CommandCallback::Failed, EngineCommand()); });
    immediate.click();
    QCOMPARE(immediate.state(), CommandButton::StateFailed);
}

QTEST_MAIN(TestParameterWidget)
#include "tst_parameterwidget.moc"
