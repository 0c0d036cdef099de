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
// jumps, and now and then leaves the axis range; one reading in ten failed,
// and now and then none came for seconds.
void fill(LimitedQueue<OmniCommSamplePoint>* queue, int count, quint32 seed)
{
    QRandomGenerator random(seed);
    double level = 50;
    int hold = 0;
    qint64 silence = 0;
    for (int i = 0; i < count; ++i) {
        const bool gap = random.bounded(1000) == 0;
        if (gap)
            silence += 1000 + random.bounded(20000);
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
        sample.time = Start + silence + qint64(i) * Period + random.bounded(Period / 2);
        sample.afterGap = gap;
        sample.error = random.bounded(10) == 0;
        // A failed reading holds 0, as a sensor's invalidated level does.
        if (!sample.error) {
            sample.level = float(level);
            sample.rawLevel = quint16(qBound(0.0, level * 40, 8191.0));
        }
        queue->append(sample);
    }
}

QImage render(const QList<QwtPlotCurve*>& curves, const QwtScaleMap& xMap, const QwtScaleMap& yMap)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (QwtPlotCurve* curve : curves)
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

// The stock curve over a copy of every sample with a value, the reference to
// match, in pieces broken where a failed reading or a gap lies between two
// samples in different pixel columns.
QList<QwtPlotCurve*> stockPieces(const BaseQueueSeriesData& series, const QwtScaleMap& xMap,
                                 bool errorsOnly)
{
    const auto column = [&](int i) {
        return qRound(xMap.transform(series.time(i)));
    };
    QList<QVector<QPointF>> pieces;
    int previous = -1;
    for (int i = 0; i < int(series.size()); ++i) {
        const QPointF p = series.sample(size_t(i));
        if (errorsOnly ? p.y() == 0 : !series.hasValue(i))
            continue;
        const bool broken = i != previous + 1 || series.followsGap(i);
        if (pieces.isEmpty() || (!errorsOnly && broken && column(previous) != column(i)))
            pieces.append(QVector<QPointF>());
        pieces.last().append(p);
        previous = i;
    }
    QList<QwtPlotCurve*> curves;
    for (const QVector<QPointF>& piece : pieces) {
        curves.append(new QwtPlotCurve);
        curves.last()->setSamples(piece);
    }
    return curves;
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
    } views[] = {{"whole", 290, 520},
                 {"minute", 700, 60.3},
                 {"zoomed in", 500, 9.7},
                 {"half", 600, 137},
                 // Columns of a few hundred samples, several long blocks each.
                 {"zoomed out", -1500, 2600}};
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

    QwtScaleMap xMap;
    xMap.setPaintInterval(0, Width - 1);
    const double start = double(Start) + viewStart * 1000;
    xMap.setScaleInterval(start, start + viewSeconds * 1000);
    QwtScaleMap yMap;
    yMap.setPaintInterval(Height - 1, 0);
    yMap.setScaleInterval(0, series->maximum());

    QScopedPointer<QwtPlotCurve> reduced(errors ? static_cast<QwtPlotCurve*>(new ErrorPlotCurve)
                                                : new ReducedPlotCurve);
    const QList<QwtPlotCurve*> stock = stockPieces(*series, xMap, errors);
    const QPen pen(Qt::darkGreen, penWidth, errors ? Qt::DashLine : Qt::SolidLine, Qt::SquareCap,
                   Qt::BevelJoin);
    for (QwtPlotCurve* curve : stock + QList<QwtPlotCurve*>{reduced.data()}) {
        curve->setPen(pen);
        if (errors)
            curve->setBaseline(ErrorPlotCurve::markFloor(series->maximum()));
        curve->setStyle(QwtPlotCurve::CurveStyle(errors ? QwtPlotCurve::Sticks : style));
    }
    reduced->setData(series);

    const QImage expected = render(stock, xMap, yMap);
    qDeleteAll(stock);
    const QImage actual = render({reduced.data()}, xMap, yMap);
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
