#pragma once

#include "fleet/fleetserver.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>

class QCommandLineParser;

// Which fleet server a command talks to: the one stored by the window's
// Settings → Fleet server, with what the command line changes. The password is
// never an argument (others could read it in the process list): it comes from
// NIVELON_FLEET_PASSWORD or the stored password file.
struct FleetOptions
{
    bool publish = false; // record, tare, poll: --publish was given
    FleetServer server;
    QString tankModel; // tare: the name the table goes into the library under

    // --publish URL|stored and the server's details, for record, tare and poll.
    static QList<QCommandLineOption> publishOptions(bool tare);
    // --server URL and the server's details, for the fleet's own commands.
    static QList<QCommandLineOption> serverOptions();
    bool readPublish(const QCommandLineParser& parser, QString* error);
    // required: the command cannot do without a server (tank-library).
    bool readServer(const QCommandLineParser& parser, bool required, QString* error);

private:
    bool readDetails(const QCommandLineParser& parser, const QString& url, bool required,
                     QString* error);
};
