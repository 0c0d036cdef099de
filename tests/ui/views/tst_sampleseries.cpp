#include "plot/mappedscaledraw.h"
#include "plot/omnicommseriesdata.h"
#include "plot/queueseriesdata.h"
#include "plot/samplepoints.h"
#include "plot/timescaledraw.h"

#include <QDateTime>
#include <QtTest>
#include <qwt_text.h>

namespace {

LevelSamplePoint sample(qint64 time, float level = 0, quint16 raw = 0, bool error = false)
{
    return LevelSamplePoint{time, level, raw, error};
}

QList<qint64> times(const LimitedQueue<LevelSamplePoint>& queue)
{
    QList<qint64> result;
    for (int i = 0; i < queue.size(); ++i)
        result.append(queue.at(i).time);
    return result;
}

} // namespace

class TestSampleSeries : public QObject
{
    Q_OBJECT
private slots:
    void queueKeepsTheNewestWithinItsLimit();
    void blockSummariesFollowAppendsAndDrops();
    void seriesComputeTheirPointsFromTheQueue();
    void scaleDrawLabels();
};

void TestSampleSeries::queueKeepsTheNewestWithinItsLimit()
{
    LimitedQueue<LevelSamplePoint> queue;
    QCOMPARE(queue.maximumSize(), 999);
    for (int i = 0; i < 500; ++i)
        queue.append(sample(i));
    queue.setMaximumSize(10);
    QCOMPARE(times(queue), (QList<qint64>{490, 491, 492, 493, 494, 495, 496, 497, 498, 499}));

    queue.setMaximumSize(5);
    queue.append(sample(500));
    QCOMPARE(queue.size(), 5);
    QCOMPARE(queue.at(0).time, qint64(496));

    queue.setMaximumSize(0);
    for (int i = 501; i < 2000; ++i)
        queue.append(sample(i));
    QCOMPARE(queue.size(), 1504);
    // A damaged settings store must not empty the plot at every sample.
    queue.setMaximumSize(-3);
    queue.append(sample(2000));
    QCOMPARE(queue.size(), 1505);
    QVERIFY_EXCEPTION_THROWN(queue.at(1505), std::out_of_range);

    queue.clear();
    QCOMPARE(queue.size(), 0);
    QCOMPARE(queue.upperBound(5), 0);
}

void TestSampleSeries::blockSummariesFollowAppendsAndDrops()
{
    LimitedQueue<LevelSamplePoint> queue(150);
    LevelSeriesData<LevelSamplePoint> series(&queue, 10000);
    const auto check = [&]() {
        for (int level = 0; level < series.blockLevels(); ++level) {
            const int blockSize = series.blockSize(level);
            for (int start = series.blockOffset(), block = 0; start < queue.size();
                 start += blockSize, ++block) {
                BaseQueueSeriesData::Range range;
                if (!series.blockRange(level, block, &range)) {
                    QVERIFY(start < 0);
                    continue;
                }
                double low = 1e9, high = -1e9;
                for (int i = start; i < std::min(start + blockSize, queue.size()); ++i) {
                    low = std::min(low, series.value(i));
                    high = std::max(high, series.value(i));
                }
                QCOMPARE(range.min, low);
                QCOMPARE(range.max, high);
            }
        }
    };
    for (int i = 0; i < 400; ++i) {
        queue.append(sample(i, float((i * 37) % 101)));
        if (i % 17 == 0)
            check();
    }
    queue.setMaximumSize(70);
    check();
    queue.clear();
    queue.append(sample(1, 42));
    check();
}

void TestSampleSeries::seriesComputeTheirPointsFromTheQueue()
{
    LimitedQueue<LevelSamplePoint> queue;
    LevelSeriesData<LevelSamplePoint> level(&queue, 10000);
    ErrorSeriesData<LevelSamplePoint> errors(&queue, 10000);
    QCOMPARE(level.boundingRect(), QRectF(0, 0, 0, 0));

    queue.append(sample(1000, 42.5f, 4250));
    queue.append(sample(3000, 0, 0, true));
    queue.append(sample(3000, 10, 1000));
    QCOMPARE(level.sample(0), QPointF(1000, 42.5));
    QCOMPARE(errors.sample(1), QPointF(3000, 100));
    QCOMPARE(errors.sample(2), QPointF(3000, 0));
    QCOMPARE(level.boundingRect(), QRectF(1000, 0, 2000, 100));
    level.setRawFormat(true);
    QCOMPARE(level.sample(0), QPointF(1000, 4250));
    QCOMPARE(level.boundingRect(), QRectF(1000, 0, 2000, 10000));
    // The error series keeps percent whatever the level shows.
    QCOMPARE(errors.sample(1).y(), 100.0);
    // Two samples at one time: the search lands after both.
    QCOMPARE(queue.upperBound(3000), 3);
    QCOMPARE(queue.upperBound(2999), 1);

    LimitedQueue<OmniCommSamplePoint> omnicomm;
    omnicomm.append(OmniCommSamplePoint{5, 0, 0, 255, 8192, false});
    omnicomm.append(OmniCommSamplePoint{6, 0, 0, -5, 0, false});
    OmniCommTemperatureSeriesData temperature(&omnicomm);
    OmniCommFrequencySeriesData frequency(&omnicomm);
    QCOMPARE(frequency.sample(0).y(), 8192.0);
    QCOMPARE(temperature.sample(1).y(), -5.0);
    // Mapped onto the frequency axis: offset plus degrees times the factor.
    temperature.setMapping(100, 2);
    QCOMPARE(temperature.sample(0).y(), 610.0);
    QCOMPARE(temperature.sample(1).y(), 90.0);
}

void TestSampleSeries::scaleDrawLabels()
{
    TimeScaleDraw time;
    time.setFormat(QStringLiteral("hh:mm:ss"));
    const QDateTime at(QDate(2024, 3, 1), QTime(13, 5, 9, 870));
    QCOMPARE(time.label(double(at.toMSecsSinceEpoch())).text(), QStringLiteral("13:05:09"));

    // A temperature scale drawn along the frequency axis labels degrees, whole.
    MappedScaleDraw degrees(QStringLiteral("\u00B0C"));
    degrees.setMapping(100, 2);
    const QString unit = QStringLiteral("\u202F\u00B0C");
    QCOMPARE(degrees.label(90).text(), "-5" + unit);
    QCOMPARE(degrees.label(610).text(), "255" + unit);
    QCOMPARE(degrees.label(99.5).text(), "0" + unit);
}

QTEST_MAIN(TestSampleSeries)
#include "tst_sampleseries.moc"
