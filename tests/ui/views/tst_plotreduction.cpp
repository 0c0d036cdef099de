#include "plot/errorplotcurve.h"
#include "plot/queueseriesdata.h"
#include "plot/reducedplotcurve.h"
#include "plot/samplepoints.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>
#include <qwt_painter.h>
#include <qwt_scale_map.h>

namespace {

constexpr int Width = 800;
constexpr int Height = 300;
constexpr qint64 Start = 1700000000000;
constexpr int Period = 20;

// A level that mostly creeps, sometimes holds still for a while, sometimes
// jumps, and now and then leaves the axis range; one reading in ten failed.
void fill(LimitedQueue<OmniCommSamplePoint>* queue, int count, quint32 seed)
{
    QRandomGenerator random(seed);
    double level = 50;
    int hold = 0;
    for (int i = 0; i < count; ++i) {
        if (hold > 0) {
            --hold;
        } else if (random.bounded(200) == 0) {
            hold = random.bounded(3000);
        } else if (random.bounded(50) == 0) {
            level = random.bounded(130.0) - 15;
        } else {
            level += random.bounded(3.0) - 1.5;
        }
        OmniCommSamplePoint sample{};
        sample.time = Start + qint64(i) * Period + random.bounded(Period / 2);
        sample.level = float(level);
        sample.rawLevel = quint16(qBound(0.0, level * 40, 8191.0));
        sample.error = random.bounded(10) == 0;
        queue->append(sample);
    }
}

QImage render(QwtPlotCurve* curve, const QwtScaleMap& xMap, const QwtScaleMap& yMap)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    curve->draw(&painter, xMap, yMap, QRectF(0, 0, Width, Height));
    return image;
}

int countPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            count += line[x] != qRgb(255, 255, 255);
    }
    return count;
}

int countDifferences(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            count += la[x] != lb[x];
    }
    return count;
}

// The stock curve over a copy of every sample, the reference to match.
QVector<QPointF> everySample(const QwtSeriesData<QPointF>& series, bool errorsOnly)
{
    QVector<QPointF> points;
    for (size_t i = 0; i < series.size(); ++i) {
        const QPointF p = series.sample(i);
        if (!errorsOnly || p.y() != 0)
            points.append(p);
    }
    return points;
}

} // namespace

class TestPlotReduction : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void reducedDrawingMatchesEverySample_data();
    void reducedDrawingMatchesEverySample();
};

void TestPlotReduction::initTestCase()
{
    // The stock reference must draw its polylines whole, as the queue curves do.
    QwtPainter::setPolylineSplitting(false);
}

void TestPlotReduction::reducedDrawingMatchesEverySample_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<bool>("rawFormat");
    QTest::addColumn<double>("viewStart");
    QTest::addColumn<double>("viewSeconds");

    const struct
    {
        const char* name;
        int style;
    } styles[] = {{"lines", QwtPlotCurve::Lines},
                  {"sticks", QwtPlotCurve::Sticks},
                  {"steps", QwtPlotCurve::Steps},
                  {"dots", QwtPlotCurve::Dots},
                  {"errors", -2}};
    // Seconds after the first sample; the queue holds the last 25000 of 40000
    // samples, about 300 s to 800 s.
    const struct
    {
        const char* name;
        double start;
        double seconds;
    } views[] = {
        {"whole", 290, 520}, {"minute", 700, 60.3}, {"zoomed in", 500, 9.7}, {"half", 600, 137}};
    for (const auto& style : styles) {
        for (int width : {1, 2, 3}) {
            for (const auto& view : views) {
                for (bool raw : {false, true}) {
                    QTest::addRow("%s w%d %s%s", style.name, width, view.name, raw ? " raw" : "")
                        << style.style << width << raw << view.start << view.seconds;
                }
            }
        }
    }
}

void TestPlotReduction::reducedDrawingMatchesEverySample()
{
    QFETCH(int, style);
    QFETCH(int, penWidth);
    QFETCH(bool, rawFormat);
    QFETCH(double, viewStart);
    QFETCH(double, viewSeconds);

    LimitedQueue<OmniCommSamplePoint> queue(25000);
    fill(&queue, 40000, 7);
    const bool errors = style == -2;
    auto* series = errors ? static_cast<RawSeriesData<OmniCommSamplePoint>*>(
                                new ErrorSeriesData<OmniCommSamplePoint>(&queue, 8191))
                          : new LevelSeriesData<OmniCommSamplePoint>(&queue, 8191);
    series->setRawFormat(rawFormat);

    QScopedPointer<QwtPlotCurve> reduced(errors ? static_cast<QwtPlotCurve*>(new ErrorPlotCurve)
                                                : new ReducedPlotCurve);
    QwtPlotCurve stock;
    const QPen pen(Qt::darkGreen, penWidth, errors ? Qt::DashLine : Qt::SolidLine, Qt::SquareCap,
                   Qt::BevelJoin);
    for (QwtPlotCurve* curve : {reduced.data(), &stock}) {
        curve->setPen(pen);
        curve->setStyle(QwtPlotCurve::CurveStyle(errors ? QwtPlotCurve::Sticks : style));
    }
    stock.setSamples(everySample(*series, errors));
    reduced->setData(series);

    QwtScaleMap xMap;
    xMap.setPaintInterval(0, Width - 1);
    const double start = double(Start) + viewStart * 1000;
    xMap.setScaleInterval(start, start + viewSeconds * 1000);
    QwtScaleMap yMap;
    yMap.setPaintInterval(Height - 1, 0);
    yMap.setScaleInterval(0, series->maximum());

    const QImage expected = render(&stock, xMap, yMap);
    const QImage actual = render(reduced.data(), xMap, yMap);
    const int curvePixels = countPixels(expected);
    const int differences = countDifferences(expected, actual);
    QVERIFY(curvePixels > 0);
    if (penWidth == 1)
        QCOMPARE(differences, 0);
    else
        QVERIFY2(differences * 1000 < curvePixels,
                 qPrintable(QStringLiteral("%1 of %2").arg(differences).arg(curvePixels)));
}

QTEST_MAIN(TestPlotReduction)
#include "tst_plotreduction.moc"
