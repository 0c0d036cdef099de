#include "engine/commandcallback.h"

#include <QCoreApplication>

QString callbackResultToString(CommandCallback::Result result)
{
    static const char* const kTexts[] = {
        QT_TRANSLATE_NOOP("CommandCallback", "Ok"),
        QT_TRANSLATE_NOOP("CommandCallback", "Timeout"),
        QT_TRANSLATE_NOOP("CommandCallback", "Failed"),
        QT_TRANSLATE_NOOP("CommandCallback", "Crc fail"),
        QT_TRANSLATE_NOOP("CommandCallback", "Canceled"),
        QT_TRANSLATE_NOOP("CommandCallback", "Nack"),
        QT_TRANSLATE_NOOP("CommandCallback", "Stray"),
        QT_TRANSLATE_NOOP("CommandCallback", "No echo"),
        QT_TRANSLATE_NOOP("CommandCallback", "Echo mismatch"),
        QT_TRANSLATE_NOOP("CommandCallback", "Wrong length"),
    };
    const int value = int(result);
    if (value >= 0 && value < int(sizeof kTexts / sizeof kTexts[0]))
        return QCoreApplication::translate("CommandCallback", kTexts[value]);
    return QCoreApplication::translate("CommandCallback", "Error %1").arg(value);
}
