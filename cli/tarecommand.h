#pragma once

#include "clicommand.h"
#include "stdinlines.h"
#include "tank/tankcalibration.h"
#include "tarereport.h"

#include <QStringList>

class SerialSensor;
struct SensorReading;

// nivelon-cli tare: the tank calibration on a terminal. The answers on
// standard input are taken one at a time, each once the pour before it has
// been recorded, so that a script may send them ahead.
class TareCommand : public CliCommand
{
    Q_OBJECT
public:
    TareCommand(const CliOptions& options, CliOutput* output);
    void start() override;
    void interrupt(int signalNumber) override;

protected:
    void lineFailed(const QString& reason) override;

private:
    void connectCalibration();
    bool outputWritable();
    void answerArrived(const QString& line);
    void inputEnded();
    void takeAnswers();
    void answer(const QString& line);
    void pour(double litres);
    void takeBack();
    void forceRecord();
    void sensorReported(const SensorReading& reading);
    void writeTable();
    void publishTable();
    // An end before the last answer: the rows so far are written, marked incomplete.
    void endEarly(ExitCode code, const QString& reason);
    bool saveTable(const QString& incomplete, QString* error);
    void failWithRows(ExitCode code, const QString& error);
    void finishEmpty();

    TankCalibration m_calibration;
    TareReport m_report;
    StdinLines* m_input = nullptr;
    SerialSensor* m_sensor = nullptr;
    QStringList m_answers;
    bool m_inputEnded = false;
    bool m_taking = false; // in takeAnswers(), which a recorded row would enter again
    bool m_done = false;
    bool m_answered = false;
    int m_readings = 0;
};
