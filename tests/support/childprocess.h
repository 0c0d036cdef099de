#pragma once

#include <QStringList>

// Runs this test executable again with the given arguments, for behaviour that
// needs its own process: fatal stops and command-line parsing.
struct ChildResult
{
    bool crashed = false;
    int exitCode = 0;
    QString output;
};

ChildResult runSelf(const QStringList& arguments);
