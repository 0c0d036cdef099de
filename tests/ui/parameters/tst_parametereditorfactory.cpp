#include "parameters/ktparametercollection.h"
#include "parameters/parametereditorfactory.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QtTest>
#include <limits>
#include <memory>

class TestParameterEditorFactory : public QObject
{
    Q_OBJECT
private slots:
    void editorsRoundTrip();
    void mismatchedEditorsChangeNothing();
    void listEditorSizing();
};

void TestParameterEditorFactory::editorsRoundTrip()
{
    KtParameterCollection collection;
    collection.addIntParameter(QStringLiteral("Count"));
    collection.addFloatParameter(QStringLiteral("Ratio"));
    collection.addBoolParameter(QStringLiteral("Auto"));
    collection.addListParameter(QStringLiteral("Mode"), {QStringLiteral("a"), "b", "c"});
    collection.intParameter(0)->setValue(42);
    collection.intParameter(0)->setSuffix(QStringLiteral(" ms"));
    collection.floatParameter(1)->setDescription(QStringLiteral("tip"));

    const char* signal = nullptr;
    bool needsLabel = false;
    std::unique_ptr<QWidget> intEditor(
        ParameterEditorFactory::create(collection.parameter(0), &needsLabel, &signal));
    auto* spin = qobject_cast<QSpinBox*>(intEditor.get());
    QVERIFY(spin && needsLabel);
    QCOMPARE(QByteArray(signal), QByteArray("2valueChanged(int)"));
    QCOMPARE(spin->value(), 42);
    QCOMPARE(spin->minimum(), std::numeric_limits<int>::min());
    QCOMPARE(spin->suffix(), QStringLiteral(" ms"));
    QCOMPARE(spin->toolTip(), QStringLiteral("Count"));
    spin->setValue(-7);
    ParameterEditorFactory::takeValue(collection.parameter(0), spin);
    QCOMPARE(collection.intParameter(0)->value(), -7);

    std::unique_ptr<QWidget> floatEditor(
        ParameterEditorFactory::create(collection.parameter(1), &signal));
    auto* doubleSpin = qobject_cast<QDoubleSpinBox*>(floatEditor.get());
    QVERIFY(doubleSpin);
    QCOMPARE(doubleSpin->toolTip(), QStringLiteral("tip"));
    QCOMPARE(QByteArray(signal), QByteArray("2valueChanged(double)"));
    doubleSpin->setValue(1.5);
    ParameterEditorFactory::takeValue(collection.parameter(1), doubleSpin);
    QCOMPARE(collection.floatParameter(1)->value(), 1.5f);
    QVERIFY(collection.floatParameter(1)->isValid());

    std::unique_ptr<QWidget> boolEditor(
        ParameterEditorFactory::create(collection.parameter(2), &needsLabel, &signal));
    auto* check = qobject_cast<QCheckBox*>(boolEditor.get());
    QVERIFY(check && !needsLabel);
    QCOMPARE(check->text(), QStringLiteral("Auto"));
    QCOMPARE(QByteArray(signal), QByteArray("2toggled(bool)"));
    collection.boolParameter(2)->setValue(true);
    ParameterEditorFactory::showValue(collection.parameter(2), check);
    QVERIFY(check->isChecked());

    std::unique_ptr<QWidget> listEditor(
        ParameterEditorFactory::create(collection.parameter(3), &needsLabel, &signal));
    auto* combo = qobject_cast<QComboBox*>(listEditor.get());
    QVERIFY(combo && needsLabel);
    QCOMPARE(QByteArray(signal), QByteArray("2currentIndexChanged(int)"));
    QCOMPARE(combo->count(), 3);
    combo->setCurrentIndex(2);
    ParameterEditorFactory::takeValue(collection.parameter(3), combo);
    QCOMPARE(collection.listParameter(3)->value(), 2);
    QVERIFY(collection.listParameter(3)->isValid());
}

void TestParameterEditorFactory::mismatchedEditorsChangeNothing()
{
    KtParameterCollection collection;
    collection.addIntParameter(QStringLiteral("Count"));
    collection.addListParameter(QStringLiteral("Mode"), {QStringLiteral("a")});
    QDoubleSpinBox wrongForInt;
    wrongForInt.setValue(9);
    QTest::ignoreMessage(QtDebugMsg, "Can't update KtIntParameter from other than QSpinBox");
    ParameterEditorFactory::takeValue(collection.parameter(0), &wrongForInt);
    QVERIFY(!collection.parameter(0)->isValid());
    QCOMPARE(collection.intParameter(0)->value(), 0);

    QTest::ignoreMessage(QtDebugMsg, "Can't update KtIntParameter to other than QSpinBox");
    ParameterEditorFactory::showValue(collection.parameter(0), &wrongForInt);
    QCOMPARE(wrongForInt.value(), 9.0);

    QSpinBox wrongForList;
    QTest::ignoreMessage(QtDebugMsg, "Can't update KtListParameter from other than QComboBox");
    ParameterEditorFactory::takeValue(collection.parameter(1), &wrongForList);
    QVERIFY(!collection.parameter(1)->isValid());
}

void TestParameterEditorFactory::listEditorSizing()
{
    KtListParameter sized(12);
    sized.setItems({QStringLiteral("short"), QStringLiteral("a much longer item text")});
    const char* signal = nullptr;
    std::unique_ptr<QWidget> editor(ParameterEditorFactory::create(&sized, &signal));
    auto* combo = qobject_cast<QComboBox*>(editor.get());
    QCOMPARE(combo->minimumContentsLength(), 12);
    const int widest = combo->fontMetrics().horizontalAdvance(sized.items().at(1));
    QCOMPARE(combo->view()->minimumWidth(), widest + 8);

    KtListParameter plain;
    plain.setItems(sized.items());
    std::unique_ptr<QWidget> plainEditor(ParameterEditorFactory::create(&plain, &signal));
    QCOMPARE(qobject_cast<QComboBox*>(plainEditor.get())->minimumContentsLength(), 0);
}

QTEST_MAIN(TestParameterEditorFactory)
#include "tst_parametereditorfactory.moc"
