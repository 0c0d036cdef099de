// Tank tables from shapes: volumes against closed forms worked out apart from
// the program's own, and the dimensions a tank cannot have.
#include "tank/tankshapetable.h"
#include "tank/tankshapetext.h"

#include <QtTest>
#include <cmath>
#include <functional>

namespace {

const double kPi = 3.14159265358979323846;

using Area = std::function<double(double)>; // mm² of the cross-section below a height

// The segment of a circle by its central angle: another road to the same area.
double circleBelow(double r, double h)
{
    const double theta = 2 * std::acos(1 - std::clamp(h, 0.0, 2 * r) / r);
    return r * r / 2 * (theta - std::sin(theta));
}

// Through the integral of the ellipse's width, written with the arc sine.
double ellipseBelow(double a, double b, double h)
{
    const double u = std::clamp((h - b) / b, -1.0, 1.0);
    return a * b * (kPi / 2 + std::asin(u) + u * std::sqrt(1 - u * u));
}

// Simpson's rule over a width given height by height, for the shapes put
// together from pieces.
Area integrated(std::function<double(double)> width, double height)
{
    return [=](double h) {
        const int steps = 4000;
        const double top = std::clamp(h, 0.0, height);
        const double dy = top / steps;
        double sum = width(0) + width(top);
        for (int i = 1; i < steps; ++i)
            sum += width(i * dy) * (i % 2 ? 4 : 2);
        return sum * dy / 3;
    };
}

// A circle of radius r around the height r: its width at y.
double chord(double r, double y)
{
    const double off = y - r;
    return off * off >= r * r ? 0 : 2 * std::sqrt(r * r - off * off);
}

} // namespace

class TestTankShape : public QObject
{
    Q_OBJECT

private slots:
    void tableFollowsTheClosedForm_data();
    void tableFollowsTheClosedForm();
    void badDimensionsAreRefusedNamingTheValue_data();
    void badDimensionsAreRefusedNamingTheValue();
};

void TestTankShape::tableFollowsTheClosedForm_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<double>("length"); // mm the cross-section runs
    QTest::addColumn<void*>("area");
    QTest::addColumn<double>("tolerance"); // share of the full volume
    static const Area cylinder = [](double h) { return circleBelow(600, h); };
    static const Area ellipse = [](double h) { return ellipseBelow(800, 350, h); };
    static const Area upright = [](double h) { return kPi * 500 * 500 * std::clamp(h, 0.0, 1800.0); };
    static const Area box = [](double h) { return 900 * std::clamp(h, 0.0, 500.0); };
    static const Area rounded = integrated(
        [](double y) {
            const double r = 120, w = 1000, top = 600;
            const double corner = y < r ? r - y : y > top - r ? y - (top - r) : 0;
            return w - 2 * r + 2 * std::sqrt(std::max(0.0, r * r - corner * corner));
        },
        600);
    static const Area oval = integrated(
        [](double y) { return 800 + chord(300, y); }, 600); // 1400 wide, 600 high
    static const Area dShape = integrated(
        [](double y) { return y <= 500 ? 1000 : chord(500, y - 500 + 500) ; }, 1000);
    static const Area saddle = [](double h) {
        // Two legs 300 wide either side of a 400 gap, joined above 250 into a 1000 wide body.
        const double low = std::clamp(h, 0.0, 250.0);
        const double high = std::clamp(h - 250, 0.0, 350.0);
        return 600 * low + 1000 * high;
    };
    QTest::newRow("horizontal cylinder") << "horizontal-cylinder:diameter=1200,length=3000"
                                         << "30:1150" << 3000.0 << (void*)&cylinder << 5e-4;
    QTest::newRow("ellipse") << "ellipse:width=1600,height=700,length=2500" << "0:700" << 2500.0
                             << (void*)&ellipse << 5e-4;
    QTest::newRow("vertical cylinder") << "vertical-cylinder:diameter=1000,height=1800"
                                       << "100:1600" << 1.0 << (void*)&upright << 5e-4;
    QTest::newRow("rectangle") << "rectangle:width=900,height=500,length=1200" << "0:500"
                               << 1200.0 << (void*)&box << 5e-4;
    QTest::newRow("rounded rectangle") << "rectangle:width=1000,height=600,length=2000,radius=120"
                                       << "20:560" << 2000.0 << (void*)&rounded << 5e-4;
    QTest::newRow("oval") << "oval:width=1400,height=600,length=2000" << "0:600" << 2000.0
                          << (void*)&oval << 5e-4;
    QTest::newRow("d-shape") << "d-shape:width=1000,height=1000,length=1500" << "50:900"
                             << 1500.0 << (void*)&dShape << 5e-4;
    // 720 corners around a circle: the drawn profile of a horizontal cylinder.
    QStringList circle;
    for (int i = 0; i < 720; ++i)
        circle << QStringLiteral("%1/%2")
                      .arg(600 * std::cos(2 * kPi * i / 720), 0, 'f', 3)
                      .arg(600 + 600 * std::sin(2 * kPi * i / 720), 0, 'f', 3);
    QTest::newRow("drawn circle") << "profile:length=3000,points=" + circle.join(' ') << "30:1150"
                                  << 3000.0 << (void*)&cylinder << 1e-3;
    QTest::newRow("drawn saddle")
        << "profile:length=1000,points=0/0 300/0 300/250 700/250 700/0 1000/0 1000/600 0/600"
        << "0:600" << 1000.0 << (void*)&saddle << 1e-3;
}

// At every row of a table of 41, the litres stay within the tolerance of the
// full volume from the area worked out here; the first row holds what lies
// below the probe's start.
void TestTankShape::tableFollowsTheClosedForm()
{
    QFETCH(QString, shape);
    QFETCH(QString, probe);
    QFETCH(double, length);
    QFETCH(void*, area);
    QFETCH(double, tolerance);
    const Area& below = *static_cast<const Area*>(area);
    TankShape tank;
    TankProbe sensor;
    QString error;
    QVERIFY2(TankShapeText::readShape(shape, &tank, &error), qPrintable(error));
    QVERIFY2(TankShapeText::readProbe(probe, tank, &sensor, &error), qPrintable(error));
    TankTable table;
    QVERIFY2(TankShapeTable::make(tank, sensor, 41, &table, &error), qPrintable(error));
    QCOMPARE(table.rowCount(), 41);
    const double full = below(1e9) * length / 1e6;
    QVERIFY(std::abs(tank.fullLitres() - full) <= tolerance * full);
    for (const TankRow& row : table.rows()) {
        const double height = sensor.start + sensor.length * row.rawLevel / sensor.fullScale;
        const double expected = below(height) * length / 1e6;
        QVERIFY2(std::abs(row.litres - expected) <= tolerance * full,
                 qPrintable(QStringLiteral("raw %1: %2 L, closed form %3 L")
                                .arg(row.rawLevel)
                                .arg(row.litres)
                                .arg(expected)));
    }
    QVERIFY(table.info().computed);
    QCOMPARE(table.info().shape.section(':', 0, 0), shape.section(':', 0, 0));
}

void TestTankShape::badDimensionsAreRefusedNamingTheValue_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<QString>("error");
    QTest::newRow("zero") << "horizontal-cylinder:diameter=0,length=3000" << "0:1"
                          << "diameter 0 mm is not above 0";
    QTest::newRow("negative") << "ellipse:width=1600,height=-700,length=2500" << "0:1"
                              << "height -700 mm is not above 0";
    QTest::newRow("missing") << "oval:width=1400,length=2000" << "0:1" << "oval needs its height";
    QTest::newRow("unknown dimension") << "vertical-cylinder:diameter=900,length=2000" << "0:1"
                                       << "vertical-cylinder has no dimension \"length\"";
    QTest::newRow("not a number") << "rectangle:width=9OO,height=500,length=1200" << "0:1"
                                  << "width \"9OO\" is not a number";
    QTest::newRow("unknown shape") << "sphere:diameter=900" << "0:1"
                                   << "\"sphere\" is not a tank shape";
    QTest::newRow("corner too round") << "rectangle:width=1000,height=600,length=2000,radius=301"
                                      << "0:1" << "radius 301 mm does not fit";
    QTest::newRow("d-shape too flat") << "d-shape:width=1000,height=400,length=1500" << "0:1"
                                      << "height 400 mm is below half the width";
    QTest::newRow("crossing profile") << "profile:length=1000,points=0/0 1000/600 1000/0 0/600"
                                      << "0:1" << "the profile crosses itself: side 1 meets side 3";
    QTest::newRow("two points") << "profile:length=1000,points=0/0 1000/600" << "0:1"
                                << "a profile needs at least 3 points, this one has 2";
    QTest::newRow("probe too long") << "horizontal-cylinder:diameter=1200,length=3000"
                                    << "100:1150"
                                    << "probe start 100 mm and length 1150 mm reach above the "
                                       "tank's height 1200 mm";
    QTest::newRow("probe below the bottom") << "horizontal-cylinder:diameter=1200,length=3000"
                                            << "-5:1000" << "probe start -5 mm is below";
    QTest::newRow("probe of no length") << "horizontal-cylinder:diameter=1200,length=3000"
                                        << "10:0" << "probe length 0 mm is not above 0";
}

void TestTankShape::badDimensionsAreRefusedNamingTheValue()
{
    QFETCH(QString, shape);
    QFETCH(QString, probe);
    QFETCH(QString, error);
    TankShape tank;
    TankProbe sensor;
    QString problem;
    if (TankShapeText::readShape(shape, &tank, &problem))
        QVERIFY(!TankShapeText::readProbe(probe, tank, &sensor, &problem));
    QVERIFY2(problem.contains(error), qPrintable(problem));
}

QTEST_GUILESS_MAIN(TestTankShape)
#include "tst_tankshape.moc"
