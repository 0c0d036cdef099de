#include "tarereport.h"

#include <cmath>

namespace {

const qint64 kProgressEveryMs = 1000;

QString litresText(double litres)
{
    return QString::number(litres, 'g', 12);
}

// Levels to a hundredth of a percent, as the table file has them: Level counts
// those hundredths, as everywhere in the tool's JSON.
double percentRounded(double level)
{
    return std::round(level * 100) / 100;
}

QJsonObject withLevel(QJsonObject object, double level)
{
    object.insert("Level", std::round(level * 100));
    object.insert("LevelPercent", percentRounded(level));
    return object;
}

QJsonObject rowJson(const char* type, const TankRow& row, int number)
{
    return withLevel(QJsonObject{{"type", type},
                                 {"row", number},
                                 {"Litres", row.litres},
                                 {"RawLevel", row.rawLevel},
                                 {"forced", row.forced}},
                     row.level);
}

} // namespace

TareReport::TareReport(CliOutput* output, const TankCalibration& calibration)
    : m_output(output)
    , m_calibration(calibration)
{}

void TareReport::intro(const QString& model, int address, const QString& file)
{
    m_output->text(QStringLiteral("Calibrating the tank of %1 at address %2. Pour, then answer "
                                  "with the litres poured; + or y: %3 L, u: take the last row "
                                  "back, !: record without waiting, empty line: write %4.")
                       .arg(model)
                       .arg(address)
                       .arg(litresText(m_calibration.defaultStep()), file));
}

void TareReport::question()
{
    const int row = m_calibration.table().rowCount() + 1;
    QString question;
    if (m_calibration.state() == TankCalibration::Stalled)
        question = QStringLiteral("Litres added?");
    else if (row == 1)
        question = QStringLiteral("Litres in the tank now, for row 1 (0 when empty)?");
    else
        question = QStringLiteral("Litres poured for row %1?").arg(row);
    if (question == m_question)
        return;
    m_question = question;
    m_output->text(question);
    m_output->json(QJsonObject{{"type", "question"}, {"row", row}});
}

void TareReport::poured(double litres)
{
    m_lastProgressMs = 0;
    const double total = m_calibration.pendingLitres();
    m_output->text(
        QStringLiteral("%1 L in the tank; waiting for the level to settle").arg(litresText(total)));
    m_output->json(QJsonObject{{"type", "pour"}, {"pouredLitres", litres}, {"Litres", total}});
}

// A stalled pour has said what it waits for; the level alone would not change that.
void TareReport::progress(qint64 timeMs)
{
    if (m_calibration.state() != TankCalibration::Settling ||
        timeMs - m_lastProgressMs < kProgressEveryMs)
        return;
    m_lastProgressMs = timeMs;
    const TankStability& stability = m_calibration.stability();
    m_output->text(QStringLiteral("  level %1 %, raw %2: spread %3 %, settled in %4 s")
                       .arg(m_calibration.lastLevel(), 0, 'f', 2)
                       .arg(m_calibration.lastRawLevel())
                       .arg(stability.spread(), 0, 'f', 2)
                       .arg(stability.remainingMs() / 1000.0, 0, 'f', 1));
    m_output->json(withLevel(QJsonObject{{"type", "progress"},
                                         {"RawLevel", m_calibration.lastRawLevel()},
                                         {"spread", percentRounded(stability.spread())},
                                         {"remainingMs", stability.remainingMs()}},
                             m_calibration.lastLevel()));
}

void TareReport::stalled()
{
    const int lastRaw = m_calibration.table().lastRow().rawLevel;
    m_output->text(QStringLiteral("The level settled at raw %1, not above the last row's %2: pour "
                                  "more and answer with the litres added, or u to take the pour "
                                  "back")
                       .arg(m_calibration.lastRawLevel())
                       .arg(lastRaw));
    m_output->json(QJsonObject{{"type", "stalled"},
                               {"RawLevel", m_calibration.lastRawLevel()},
                               {"lastRawLevel", lastRaw}});
}

void TareReport::recorded(const TankRow& row)
{
    const int number = m_calibration.table().rowCount();
    m_output->text(QStringLiteral("Row %1: %2 L at raw %3 (level %4 %)%5")
                       .arg(number)
                       .arg(litresText(row.litres))
                       .arg(row.rawLevel)
                       .arg(row.level, 0, 'f', 2)
                       .arg(row.forced ? QStringLiteral(", not settled") : QString()));
    m_output->json(rowJson("row", row, number));
}

void TareReport::rowTakenBack(const TankRow& row)
{
    const int number = m_calibration.table().rowCount() + 1;
    m_output->text(QStringLiteral("Row %1 (%2 L) taken back: answer that pour again")
                       .arg(number)
                       .arg(litresText(row.litres)));
    m_output->json(rowJson("rowTakenBack", row, number));
}

void TareReport::pourTakenBack()
{
    m_output->text(QStringLiteral("Pour taken back"));
    m_output->json(QJsonObject{{"type", "pourTakenBack"}});
}

void TareReport::written(const QString& file)
{
    const int rows = m_calibration.table().rowCount();
    const QString count = rows == 1 ? QStringLiteral("1 row") : QStringLiteral("%1 rows").arg(rows);
    m_output->text(QStringLiteral("%1 written to %2").arg(count, file));
    m_output->json(QJsonObject{{"type", "table"}, {"file", file}, {"rows", rows}});
}
