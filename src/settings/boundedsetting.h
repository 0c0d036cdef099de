#pragma once

#include <QString>
#include <limits>

class QSettings;

// A stored whole number from minimum to maximum; fallback when the key is missing,
// holds no number or one out of range.
int boundedSetting(const QSettings& settings, const QString& key, int fallback, int minimum,
                   int maximum = std::numeric_limits<int>::max());
