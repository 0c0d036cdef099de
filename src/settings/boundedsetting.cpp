#include "settings/boundedsetting.h"

#include <QSettings>

int boundedSetting(const QSettings& settings, const QString& key, int fallback, int minimum,
                   int maximum)
{
    bool ok = false;
    const int stored = settings.value(key, fallback).toInt(&ok);
    return ok && stored >= minimum && stored <= maximum ? stored : fallback;
}
