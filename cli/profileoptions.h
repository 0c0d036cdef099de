#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QCommandLineOption;
class QCommandLineParser;

// The options of config that keep a configuration in a profile file or give a
// sensor the configuration of one.
struct ProfileOptions
{
    QString save;
    QString apply;
    bool dryRun = false; // with apply: the differences only, nothing written

    bool isSet() const { return !save.isEmpty() || !apply.isEmpty(); }
    static QList<QCommandLineOption> options();
    // False with the reason for options that do not go together.
    bool read(const QCommandLineParser& parser, const QStringList& values, QString* error);
};
