#include "parameters/ktparametercollection.h"
#include "parameters/parametereditorfactory.h"
#include "support/childprocess.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QtTest>
#include <cstring>
#include <memory>

namespace {

int castMismatch(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    KtParameterCollection collection;
    collection.addFloatParameter(QStringLiteral("Level"));
    collection.intParameter(0);
    return 0;
}

} // namespace

class TestKtParameter : public QObject
{
    Q_OBJECT
private slots:
    void validityFollowsStoresAndInvalidation();
    void boolAndListRenderEvenWhenInvalid();
    void saveAndRestoreRoundTrip();
    void lookUpByNameOrTitle();
    void typedAccessChecksTheTypeCode();
    void editorsRoundTrip();
    void mismatchedEditorsChangeNothing();
    void listEditorSizing();
};

void TestKtParameter::validityFollowsStoresAndInvalidation()
{
    KtParameterCollection collection;
    collection.addIntParameter(QStringLiteral("Raw"));
    KtIntParameter* raw = collection.intParameter(0);
    QCOMPARE(raw->type(), KtParameter::Int);
    QVERIFY(!raw->isValid());
    QVERIFY(raw->toString().isNull());
    QCOMPARE(raw->variantValue(), QVariant(0));

    raw->setValue(-5);
    QVERIFY(raw->isValid());
    QCOMPARE(raw->toString(), QStringLiteral("-5"));
    raw->invalidate();
    QVERIFY(!raw->isValid());
    QVERIFY(raw->toString().isNull());
    QCOMPARE(raw->value(), 0);
    QVERIFY(!raw->setVariantValue(QVariant(3)));
    QCOMPARE(raw->value(), 0);

    collection.addFloatParameter(QStringLiteral("Level"));
    collection.floatParameter(1)->setValue(0.5f);
    QCOMPARE(collection.floatParameter(1)->toString(), QStringLiteral("0.5"));
    QCOMPARE(collection.floatParameter(1)->variantValue().userType(), int(QMetaType::Float));
}

void TestKtParameter::boolAndListRenderEvenWhenInvalid()
{
    KtParameterCollection collection;
    collection.addBoolParameter(QStringLiteral("Auto"));
    KtBoolParameter* flag = collection.boolParameter(0);
    QCOMPARE(flag->toString(), QStringLiteral("0"));
    QVERIFY(flag->setVariantValue(QVariant(true)));
    QVERIFY(flag->isValid());
    QCOMPARE(flag->toString(), QStringLiteral("1"));
    flag->invalidate();
    QCOMPARE(flag->toString(), QStringLiteral("0"));

    KtListParameter* list =
        collection.addListParameter(QStringLiteral("Mode"), {QStringLiteral("a"), "b"});
    QCOMPARE(list->type(), KtParameter::List);
    QCOMPARE(list->toString(), QStringLiteral("0"));
    list->setValue(1);
    list->invalidate();
    QVERIFY(!list->isValid());
    QCOMPARE(list->toString(), QStringLiteral("1"));
    QVERIFY(!list->variantValue().isValid());
    QVERIFY(!list->setVariantValue(QVariant(0)));
}

void TestKtParameter::saveAndRestoreRoundTrip()
{
    KtParameterCollection source;
    source.addIntParameter(QStringLiteral("i"));
    source.addFloatParameter(QStringLiteral("f"));
    source.addListParameter(QStringLiteral("l"), {});
    source.intParameter(0)->setValue(-70000);
    source.floatParameter(1)->setValue(2.25f);
    source.listParameter(2)->setValue(3);

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    for (int i = 0; i < 3; ++i)
        QVERIFY(source.parameter(i)->save(out));

    KtParameterCollection target;
    target.addIntParameter(QStringLiteral("i"));
    target.addFloatParameter(QStringLiteral("f"));
    target.addListParameter(QStringLiteral("l"), {});
    QDataStream in(bytes);
    for (int i = 0; i < 3; ++i)
        QVERIFY(target.parameter(i)->restore(in));
    QCOMPARE(target.intParameter(0)->value(), -70000);
    QCOMPARE(target.floatParameter(1)->value(), 2.25f);
    QCOMPARE(target.listParameter(2)->value(), 3);
    QVERIFY(!target.parameter(0)->restore(in));
}

void TestKtParameter::lookUpByNameOrTitle()
{
    KtParameterCollection collection;
    collection.addParameter(new KtIntParameter, QStringLiteral("X"), QStringLiteral("Y"));
    collection.addIntParameter(QStringLiteral("X"));
    collection.addListParameter(QStringLiteral("Title"), QStringLiteral("key"), {});
    QCOMPARE(collection.parameter(QStringLiteral("X")), collection.parameter(1));
    QCOMPARE(collection.parameter(QStringLiteral("Y")), collection.parameter(0));
    QCOMPARE(collection.parameter(QStringLiteral("key")), collection.parameter(2));
    QVERIFY(!collection.parameter(QStringLiteral("Title")));
    QVERIFY(!collection.parameter(QStringLiteral("x")));
}

void TestKtParameter::typedAccessChecksTheTypeCode()
{
    const ChildResult child = runSelf({QStringLiteral("--cast-mismatch")});
    QVERIFY(child.crashed);
    QVERIFY2(child.output.contains(QStringLiteral("ktparameter_cast failed")),
             qPrintable(child.output));
}

void TestKtParameter::editorsRoundTrip()
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

void TestKtParameter::mismatchedEditorsChangeNothing()
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

void TestKtParameter::listEditorSizing()
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

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--cast-mismatch") == 0)
        return castMismatch(argc, argv);
    QApplication app(argc, argv);
    TestKtParameter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ktparameter.moc"
