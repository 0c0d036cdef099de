#pragma once

#include "clioutput.h"
#include "tank/tankcalibration.h"

// What nivelon-cli tare tells its user, as text or JSON lines: the questions,
// the readings while a pour settles, and each row as it is recorded.
class TareReport
{
public:
    TareReport(CliOutput* output, const TankCalibration& calibration);

    void intro(const QString& model, int address, const QString& file);
    // Once per question: readings and notes in between do not ask it again.
    void question();
    void answered() { m_question.clear(); }
    void poured(double litres);
    // At most once a second, and only while a pour settles.
    void progress(qint64 timeMs);
    void stalled();
    void recorded(const TankRow& row);
    void rowTakenBack(const TankRow& row);
    void pourTakenBack();
    void written(const QString& file);

private:
    CliOutput* const m_output;
    const TankCalibration& m_calibration;
    QString m_question; // the last one asked, until it is answered
    qint64 m_lastProgressMs = 0;
};
