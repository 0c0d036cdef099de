#pragma once

#include "profileoptions.h"
#include "shapeoptions.h"
#include "tankoptions.h"

#include <QList>
#include <QString>
#include <QStringList>

// What one run of nivelon-cli was asked to do, checked as far as that can be
// done without the line.
struct CliOptions
{
    QString command;
    QString port;
    int modelIndex = -1;
    QString modelCode;
    int address = -1;
    QList<int> addresses; // scan: the identifiers to probe; empty for the protocol's own
    int replyTimeoutMs = 0; // 0: the protocol's own reply windows
    int count = 0;      // readings to take; 0 when a duration is given
    double seconds = 0; // how long to poll; 0 when a count is given
    int intervalMs = 0; // least time between two polls; 0: the window's setting
    bool json = false;
    QString out; // record: the file written, and who and what it is about
    QString vehicle;
    QString installer;
    QString raw;    // monitor: the file that keeps every byte heard
    QString replay; // monitor: a kept file decoded in place of a port
    QStringList values; // the positional arguments after the command
    TankOptions tank;
    ProfileOptions profile;
    ShapeOptions shape;
};
