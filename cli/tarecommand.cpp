#include "tarecommand.h"

#include "engine/serialsensor.h"
#include "files/wholefile.h"
#include "fleet/fleetpayloads.h"
#include "linesession.h"
#include "session/tanktableorigin.h"
#include "tank/tanktablefile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

TareCommand::TareCommand(const CliOptions& options, CliOutput* output)
    : CliCommand(options, output)
    , m_report(output, m_calibration)
{
    m_calibration.setDefaultStep(options.tank.step);
    m_calibration.stability().setTolerance(options.tank.tolerance);
    m_calibration.stability().setSettleMs(int(options.tank.settleSeconds * 1000));
    connectCalibration();
}

// A stall or a recorded row asks for the next answer.
void TareCommand::connectCalibration()
{
    connect(&m_calibration, &TankCalibration::progressed, this,
            [this] { m_report.progress(QDateTime::currentMSecsSinceEpoch()); });
    connect(&m_calibration, &TankCalibration::stateChanged, this,
            [this](TankCalibration::State state) {
                if (state != TankCalibration::Stalled)
                    return;
                m_report.stalled();
                takeAnswers();
            });
    connect(&m_calibration, &TankCalibration::recorded, this, [this](const TankRow& row) {
        m_report.recorded(row);
        takeAnswers();
    });
    connect(&m_calibration, &TankCalibration::undone, this,
            [this](const TankRow& row) { m_report.rowTakenBack(row); });
}

void TareCommand::start()
{
    m_sensor = createSensorSession();
    if (!m_sensor || !outputWritable() || !openPort())
        return;
    connect(m_sensor, &SerialSensor::reported, this, &TareCommand::sensorReported);
    m_input = new StdinLines(this);
    connect(m_input, &StdinLines::lineRead, this, &TareCommand::answerArrived);
    connect(m_input, &StdinLines::ended, this, &TareCommand::inputEnded);
    m_report.intro(m_options.modelCode, m_options.address, m_options.tank.out);
    session()->start(false);
    takeAnswers();
}

bool TareCommand::outputWritable()
{
    QString error;
    if (WholeFile::writable(m_options.tank.out, &error))
        return true;
    finish(ExitPortFailure, error);
    return false;
}

void TareCommand::interrupt(int signalNumber)
{
    endEarly(exitCodeOfSignal(signalNumber), stoppedBy(signalNumber));
}

void TareCommand::lineFailed(const QString& reason)
{
    endEarly(ExitPortFailure, reason);
}

// Rows are the work of hours, so the reason to stop is told with where they went.
void TareCommand::endEarly(ExitCode code, const QString& reason)
{
    const int rows = m_calibration.table().rowCount();
    if (m_done || rows == 0) {
        finish(code, reason);
        return;
    }
    m_done = true;
    QString error;
    if (saveTable(reason, &error))
        finish(code, QStringLiteral("%1; the %2 row(s) recorded so far are written to %3, "
                                    "marked incomplete")
                         .arg(reason, QString::number(rows), m_options.tank.out));
    else
        failWithRows(code, QStringLiteral("%1; %2").arg(reason, error));
}

bool TareCommand::saveTable(const QString& incomplete, QString* error)
{
    TankTableInfo info =
        tankTableOrigin(m_sensor, m_options.modelCode, QStringLiteral(NIVELON_VERSION));
    info.incomplete = incomplete;
    m_calibration.setTableInfo(info);
    return TankTableFile::save(m_calibration.table(), m_options.tank.out, error);
}

// The rows the file could not take go to stderr, where they can still be copied.
void TareCommand::failWithRows(ExitCode code, const QString& error)
{
    finish(code, QStringLiteral("%1; the rows follow").arg(error));
    m_output->note(QString::fromUtf8(TankTableFile::toCsv(m_calibration.table())).trimmed());
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
                m_report.question();
            break;
        }
    }
    m_taking = false;
}

void TareCommand::answer(const QString& line)
{
    m_answered = true;
    m_report.answered();
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
    if (m_calibration.pour(litres, &error))
        m_report.poured(litres);
    else
        m_output->note(error);
}

void TareCommand::takeBack()
{
    if (m_calibration.state() == TankCalibration::Stalled) {
        m_calibration.cancelStep();
        m_report.pourTakenBack();
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

void TareCommand::sensorReported(const SensorReading& reading)
{
    if (reading.failed())
        return;
    ++m_readings;
    m_calibration.addReading(reading.timeMs, reading.level, reading.rawLevel);
}

void TareCommand::writeTable()
{
    m_done = true;
    if (m_calibration.table().isEmpty()) {
        finishEmpty();
        return;
    }
    QString error;
    if (!saveTable(QString(), &error)) {
        failWithRows(ExitPortFailure, error);
        return;
    }
    m_report.written(m_options.tank.out);
    if (m_options.fleet.publish)
        publishTable();
    else
        finish(ExitDone);
}

// An input that ends before the first answer is no fault of the line.
void TareCommand::finishEmpty()
{
    const QString file = m_options.tank.out;
    if (m_inputEnded && !m_answered)
        finish(
            ExitBadArguments,
            QStringLiteral("standard input ended before the first answer: nothing written to "
                           "%1; run tare on a terminal, or send it the answers (see \"nivelon-cli "
                           "help tare\")")
                .arg(file));
    else if (m_readings > 0)
        finish(ExitNothingAnswered,
               QStringLiteral("no row recorded: nothing written to %1").arg(file));
    else
        finish(ExitNothingAnswered,
               QStringLiteral("no reading from address %1 on %2: check the address, the model "
                              "and the wiring; nothing written to %3")
                   .arg(m_options.address)
                   .arg(m_options.port, file));
}

// Under the tank model's name, so the next installer of such a tank finds it.
void TareCommand::publishTable()
{
    const QString model = m_options.fleet.tankModel.isEmpty()
                              ? QFileInfo(m_options.tank.out).completeBaseName()
                              : m_options.fleet.tankModel;
    publishThenFinish(
        {FleetPayloads::tankTable(m_options.fleet.server, model, m_calibration.table())});
}
