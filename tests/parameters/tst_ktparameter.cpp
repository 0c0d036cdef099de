#include "parameters/ktparametercollection.h"
#include "support/childprocess.h"

#include <QCoreApplication>
#include <QtTest>
#include <cstring>

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

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--cast-mismatch") == 0)
        return castMismatch(argc, argv);
    QCoreApplication app(argc, argv);
    TestKtParameter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ktparameter.moc"
