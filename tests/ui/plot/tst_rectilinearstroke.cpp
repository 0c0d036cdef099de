#include "plot/rectilinearstroke.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

namespace {

constexpr int Size = 64;

QImage blank()
{
    QImage image(Size, Size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A stepped line as a curve makes it: runs and rises of random lengths, with
// repeated points, reversals where a column holds several samples, long runs,
// and stretches beyond the image on every side.
QPolygonF steppedLine(QRandomGenerator* random)
{
    QPolygonF polygon;
    QPointF p(random->bounded(-8, Size + 8), random->bounded(-8, Size + 8));
    const int count = random->bounded(1, 12);
    for (int i = 0; i < count; ++i) {
        polygon.append(p);
        const int run = random->bounded(8) == 0 ? random->bounded(80) : random->bounded(4);
        const int rise =
            random->bounded(8) == 0 ? random->bounded(-80, 80) : random->bounded(-3, 4);
        if (random->bounded(2))
            p.rx() += run;
        else
            p.ry() += rise;
    }
    polygon.append(p);
    return polygon;
}

QPolygonF line(const QVector<QPointF>& points)
{
    return QPolygonF(points);
}

} // namespace

class TestRectilinearStroke : public QObject
{
    Q_OBJECT
private slots:
    void colorsThePixelsOfTheStroke_data();
    void colorsThePixelsOfTheStroke();
    void leavesOtherShapesAndPensToTheStroke();
};

void TestRectilinearStroke::colorsThePixelsOfTheStroke_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("join");
    QTest::addColumn<bool>("clipped");
    const struct
    {
        const char* name;
        Qt::PenJoinStyle join;
    } joins[] = {{"bevel", Qt::BevelJoin}, {"miter", Qt::MiterJoin}, {"round", Qt::RoundJoin}};
    for (int width : {2, 4, 6}) {
        for (const auto& join : joins) {
            for (bool clipped : {false, true}) {
                QTest::addRow("w%d %s%s", width, join.name, clipped ? " clipped" : "")
                    << width << int(join.join) << clipped;
            }
        }
    }
}

void TestRectilinearStroke::colorsThePixelsOfTheStroke()
{
    QFETCH(int, width);
    QFETCH(int, join);
    QFETCH(bool, clipped);
    const QPen pen(QColor(0, 128, 0), width, Qt::SolidLine, Qt::SquareCap, Qt::PenJoinStyle(join));
    QRandomGenerator random(quint32(width * 10 + join));
    for (int shape = 0; shape < 500; ++shape) {
        const QPolygonF polygon = steppedLine(&random);
        QImage expected = blank();
        QImage actual = blank();
        bool drawn = false;
        for (QImage* image : {&expected, &actual}) {
            QPainter painter(image);
            if (clipped)
                painter.setClipRect(5, 7, Size - 12, Size - 15);
            painter.setPen(pen);
            if (image == &expected)
                painter.drawPolyline(polygon);
            else
                drawn = RectilinearStroke(&painter).draw(&painter, polygon);
        }
        // A line of a single point is left to the stroke.
        if (!drawn) {
            QCOMPARE(polygon.count(polygon.first()), polygon.size());
            continue;
        }
        if (actual != expected)
            qWarning() << polygon;
        QCOMPARE(actual, expected);
    }
}

void TestRectilinearStroke::leavesOtherShapesAndPensToTheStroke()
{
    QImage image = blank();
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    const RectilinearStroke stroke(&painter);
    QVERIFY(stroke.isValid());
    QVERIFY(!stroke.draw(&painter, line({{1, 1}, {5, 6}})));
    QVERIFY(!stroke.draw(&painter, line({{1, 1}, {5.5, 1}})));
    QVERIFY(!stroke.draw(&painter, line({{1, 1}, {1, 1}})));
    QVERIFY(!stroke.draw(&painter, line({{1, 1}, {1e12, 1}})));
    QCOMPARE(image, blank());

    const QPen pens[] = {QPen(Qt::black, 3, Qt::SolidLine, Qt::SquareCap),
                         QPen(Qt::black, 2, Qt::DashLine, Qt::SquareCap),
                         QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap),
                         QPen(QColor(0, 0, 0, 128), 2, Qt::SolidLine, Qt::SquareCap)};
    for (const QPen& pen : pens) {
        painter.setPen(pen);
        QVERIFY(!RectilinearStroke(&painter).isValid());
    }
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap));
    painter.setRenderHint(QPainter::Antialiasing);
    QVERIFY(!RectilinearStroke(&painter).isValid());
}

QTEST_MAIN(TestRectilinearStroke)
#include "tst_rectilinearstroke.moc"
