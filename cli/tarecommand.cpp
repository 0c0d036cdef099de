#include "tarecommand.h"

#include "engine/serialsensor.h"
#include "linesession.h"
#include "protocols/omnicommsensor.h"
#include "reading.h"
#include "tank/tanktablefile.h"

#include <QDateTime>
#include <QLocale>
#include <QSaveFile>
#include <cmath>

namespace {

const qint64 kProgressEveryMs = 1000;

QString litresText(double litres)
{
    return QString::number(litres, 'g', 12);
}

// Levels in hundredths of a percent, as the table file has them.
double percentRounded(double level)
{
    return std::round(level * 100) / 100;
}

QJsonObject rowJson(const char* type, const TankRow& row, int number)
{
    return QJsonObject{{"type", type},          {"row", number},
                       {"Litres", row.litres},  {"RawLevel", row.rawLevel},
                       {"Level", percentRounded(row.level)},    {"forced", row.forced}};
}

// What a raw level counts in: Omnicomm sensors are told their scale, the
// others report hundredths of a percent or ten-thousandths of full scale.
QString dataFormatOf(const SerialSensor* sensor)
{
    const auto* omnicomm = qobject_cast<const OmniCommSensor*>(sensor);
    if (!omnicomm)
        return QStringLiteral("full scale 10000");
    if (!omnicomm->parameter(OmniCommSensor::DataFormatIndex)->isValid())
        return QStringLiteral("unknown");
    return QStringLiteral("%1 (full scale %2)")
        .arg(omnicomm->parameter(OmniCommSensor::DataFormatIndex)->variantValue().toInt())
        .arg(double(omnicomm->dataFormatDivisor()));
}

} // namespace

TareCommand::TareCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
{
    m_calibration.setDefaultStep(options.tank.step);
    m_calibration.stability().setTolerance(options.tank.tolerance);
    m_calibration.stability().setSettleMs(int(options.tank.settleSeconds * 1000));
    connect(&m_calibration, &TankCalibration::progressed, this,
            [this] { showProgress(QDateTime::currentMSecsSinceEpoch()); });
    connect(&m_calibration, &TankCalibration::stateChanged, this,
            [this](TankCalibration::State state) {
                if (state == TankCalibration::Stalled)
                    showStalled();
            });
    connect(&m_calibration, &TankCalibration::recorded, this, &TareCommand::showRecorded);
    connect(&m_calibration, &TankCalibration::undone, this, &TareCommand::showUndone);
}

void TareCommand::start()
{
    LineSession* line = createSession(m_options.modelIndex);
    m_sensor = line->addSensor(m_options.address);
    if (!m_sensor) {
        finish(ExitBadArguments, QStringLiteral("address %1 is outside the range of model %2")
                                     .arg(m_options.address)
                                     .arg(m_options.modelCode));
        return;
    }
    if (!outputWritable() || !openPort())
        return;
    connect(m_sensor, &SerialSensor::updated, this, &TareCommand::sensorUpdated);
    m_input = new StdinLines(this);
    connect(m_input, &StdinLines::lineRead, this, &TareCommand::answerArrived);
    connect(m_input, &StdinLines::ended, this, &TareCommand::inputEnded);
    m_output->text(QStringLiteral("Calibrating the tank of %1 at address %2. Pour, then answer "
                                  "with the litres poured; + or y: %3 L, u: take the last row "
                                  "back, !: record without waiting, empty line: write %4.")
                       .arg(m_options.modelCode)
                       .arg(m_options.address)
                       .arg(litresText(m_calibration.defaultStep()), m_options.tank.out));
    line->start(false);
    takeAnswers();
}

bool TareCommand::outputWritable()
{
    QSaveFile probe(m_options.tank.out);
    if (probe.open(QIODevice::WriteOnly)) {
        probe.cancelWriting();
        return true;
    }
    finish(ExitPortFailure, QStringLiteral("cannot write the tank table to %1: %2")
                                .arg(m_options.tank.out, probe.errorString()));
    return false;
}

void TareCommand::answerArrived(const QString& line)
{
    m_answers << line;
    takeAnswers();
}

void TareCommand::inputEnded()
{
    m_inputEnded = true;
    takeAnswers();
}

// A pour that waits to settle takes only "!" from the answers; the others wait
// their turn.
void TareCommand::takeAnswers()
{
    if (m_taking)
        return;
    m_taking = true;
    while (!m_done) {
        if (m_calibration.state() == TankCalibration::Settling) {
            if (m_answers.value(0) != QLatin1String("!"))
                break;
            m_answers.removeFirst();
            forceRecord();
            if (m_calibration.state() == TankCalibration::Settling)
                break;
        } else if (!m_answers.isEmpty()) {
            answer(m_answers.takeFirst());
        } else {
            if (m_inputEnded)
                writeTable();
            else
                prompt();
            break;
        }
    }
    m_taking = false;
}

void TareCommand::answer(const QString& line)
{
    m_question.clear();
    const QString text = line.toLower();
    bool number = false;
    const double litres = QLocale::c().toDouble(text, &number);
    if (text.isEmpty())
        writeTable();
    else if (text == QLatin1String("!"))
        forceRecord();
    else if (text == QLatin1String("u"))
        takeBack();
    else if (text == QLatin1String("+") || text == QLatin1String("y"))
        pour(m_calibration.defaultStep());
    else if (number)
        pour(litres);
    else
        m_output->note(QStringLiteral("\"%1\" is not an answer: give the litres poured, + or y, "
                                      "u, ! or an empty line")
                           .arg(line));
}

void TareCommand::pour(double litres)
{
    QString error;
    if (!m_calibration.pour(litres, &error)) {
        m_output->note(error);
        return;
    }
    m_lastProgressMs = 0;
    const double total = m_calibration.pendingLitres();
    m_output->text(QStringLiteral("%1 L in the tank; waiting for the level to settle")
                       .arg(litresText(total)));
    m_output->json(QJsonObject{{"type", "pour"}, {"litres", litres}, {"Litres", total}});
}

void TareCommand::takeBack()
{
    if (m_calibration.state() == TankCalibration::Stalled) {
        m_calibration.cancelStep();
        m_output->text(QStringLiteral("Pour taken back"));
        m_output->json(QJsonObject{{"type", "pourTakenBack"}});
    } else if (!m_calibration.undo()) {
        m_output->note(QStringLiteral("no row to take back"));
    }
}

void TareCommand::forceRecord()
{
    QString error;
    if (!m_calibration.recordNow(&error))
        m_output->note(QStringLiteral("cannot record now: %1").arg(error));
}

void TareCommand::sensorUpdated()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const Reading reading = Reading::of(m_sensor, now);
    if (reading.error)
        return;
    ++m_readings;
    m_calibration.addReading(now, reading.level, reading.rawLevel);
}

// A stalled pour has said what it waits for; the level alone would not change that.
void TareCommand::showProgress(qint64 timeMs)
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
    m_output->json(QJsonObject{{"type", "progress"},
                               {"Level", percentRounded(m_calibration.lastLevel())},
                               {"RawLevel", m_calibration.lastRawLevel()},
                               {"spread", percentRounded(stability.spread())},
                               {"remainingMs", stability.remainingMs()}});
}

void TareCommand::showStalled()
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
    takeAnswers();
}

void TareCommand::showRecorded(const TankRow& row)
{
    const int number = m_calibration.table().rowCount();
    m_output->text(QStringLiteral("Row %1: %2 L at raw %3 (level %4 %)%5")
                       .arg(number)
                       .arg(litresText(row.litres))
                       .arg(row.rawLevel)
                       .arg(row.level, 0, 'f', 2)
                       .arg(row.forced ? QStringLiteral(", not settled") : QString()));
    m_output->json(rowJson("row", row, number));
    takeAnswers();
}

void TareCommand::showUndone(const TankRow& row)
{
    const int number = m_calibration.table().rowCount() + 1;
    m_output->text(QStringLiteral("Row %1 (%2 L) taken back: answer that pour again")
                       .arg(number)
                       .arg(litresText(row.litres)));
    m_output->json(rowJson("rowTakenBack", row, number));
}

// Once per question: readings and notes do not ask it again.
void TareCommand::prompt()
{
    const int step = m_calibration.table().rowCount() + 1;
    QString question;
    if (m_calibration.state() == TankCalibration::Stalled)
        question = QStringLiteral("Litres added?");
    else if (step == 1)
        question = QStringLiteral("Row 1: litres in the tank now (0 when empty)?");
    else
        question = QStringLiteral("Row %1: litres poured?").arg(step);
    if (question == m_question)
        return;
    m_question = question;
    m_output->text(question);
    m_output->json(QJsonObject{{"type", "question"}, {"row", step}});
}

void TareCommand::writeTable()
{
    m_done = true;
    const TankTable& table = m_calibration.table();
    if (table.isEmpty()) {
        finish(ExitNothingAnswered,
               m_readings > 0 ? QStringLiteral("no row recorded: nothing written to %1")
                                    .arg(m_options.tank.out)
                              : QStringLiteral("no reading from address %1 on %2: check the "
                                               "address, the model and the wiring")
                                    .arg(m_options.address)
                                    .arg(m_options.port));
        return;
    }
    m_calibration.setTableInfo(tableInfo());
    QString error;
    if (!TankTableFile::save(m_calibration.table(), m_options.tank.out, &error)) {
        finish(ExitPortFailure, error);
        return;
    }
    m_output->text(QStringLiteral("%1 rows written to %2").arg(table.rowCount()).arg(
        m_options.tank.out));
    m_output->json(QJsonObject{{"type", "table"},
                               {"file", m_options.tank.out},
                               {"rows", table.rowCount()}});
    finish(ExitDone);
}

TankTableInfo TareCommand::tableInfo() const
{
    TankTableInfo info;
    info.model = m_options.modelCode;
    info.address = m_options.address;
    info.dataFormat = dataFormatOf(m_sensor);
    info.date = QDateTime::currentDateTime();
    info.version = QStringLiteral(NIVELON_VERSION);
    return info;
}
