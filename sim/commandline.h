#pragma once

#include "lineoptions.h"

#include <QStringList>

class QCommandLineParser;

namespace sim {

// Turns the arguments of nivelon-sim into line options, checking each address
// against what the model's protocol allows.
class CommandLine
{
public:
    enum Outcome { Run, ShowHelp, Invalid };

    Outcome parse(const QStringList& arguments, LineOptions* options);
    QString errorText() const { return error; }
    QString helpText() const { return help; }

private:
    bool readModel(const QString& code, LineOptions* options);
    bool readAddresses(const QStringList& values, QList<int>* addresses);
    bool readProbability(const QString& name, const QString& value, double* probability);
    bool readNumber(const QString& name, const QString& value, int low, int high, int* number);
    // Two numbers written as FIRST:SECOND, the first up to firstHigh, the second up
    // to secondHigh, both from 0.
    bool readPair(const QString& name, const QString& value, int firstHigh, int secondHigh,
                  int* first, int* second);
    bool readSlowSensors(const QStringList& values, QMap<int, int>* slowMs);
    bool readNoise(const QString& value, LineOptions* options);
    bool readTracker(const QCommandLineParser& parser, LineOptions* options);
    bool checkCombination(const LineOptions& options);
    void addDefaultAddress(LineOptions* options);

    QString error;
    QString help;
};

} // namespace sim
