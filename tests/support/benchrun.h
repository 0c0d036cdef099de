#pragma once

#include <QStringList>

// What the benchmarks that run against a simulated line share.

// The first plain number among the arguments (the benchmarks share the script's
// arguments), or the fallback.
double benchSeconds(const QStringList& arguments, double fallback);
// Runs the event loop for so long: the line and the engine work meanwhile.
void runEventLoopFor(double seconds);
