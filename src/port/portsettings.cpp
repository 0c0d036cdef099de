#include "port/portsettings.h"

#include <QCoreApplication>

namespace {

struct BaudRow
{
    int value;
    const char* text;
};

const BaudRow kBaudRates[BaudRateCount] = {
    {50, QT_TRANSLATE_NOOP("BaudRate", "50bps")},
    {75, QT_TRANSLATE_NOOP("BaudRate", "75bps")},
    {110, QT_TRANSLATE_NOOP("BaudRate", "110bps")},
    {134, QT_TRANSLATE_NOOP("BaudRate", "134bps")},
    {150, QT_TRANSLATE_NOOP("BaudRate", "150bps")},
    {200, QT_TRANSLATE_NOOP("BaudRate", "200bps")},
    {300, QT_TRANSLATE_NOOP("BaudRate", "300bps")},
    {600, QT_TRANSLATE_NOOP("BaudRate", "600bps")},
    {1200, QT_TRANSLATE_NOOP("BaudRate", "1.2kbps")},
    {1800, QT_TRANSLATE_NOOP("BaudRate", "1.8kbps")},
    {2400, QT_TRANSLATE_NOOP("BaudRate", "2.4kbps")},
    {4800, QT_TRANSLATE_NOOP("BaudRate", "4.8kbps")},
    {9600, QT_TRANSLATE_NOOP("BaudRate", "9.6kbps")},
    {14400, QT_TRANSLATE_NOOP("BaudRate", "14.4kbps")},
    {19200, QT_TRANSLATE_NOOP("BaudRate", "19.2kbps")},
    {38400, QT_TRANSLATE_NOOP("BaudRate", "38.4kbps")},
    {56000, QT_TRANSLATE_NOOP("BaudRate", "56kbps")},
    {57600, QT_TRANSLATE_NOOP("BaudRate", "57.6kbps")},
    {76800, QT_TRANSLATE_NOOP("BaudRate", "76.8kbps")},
    {115200, QT_TRANSLATE_NOOP("BaudRate", "115.2kbps")},
    {128000, QT_TRANSLATE_NOOP("BaudRate", "128kbps")},
    {256000, QT_TRANSLATE_NOOP("BaudRate", "256kbps")},
};

bool inTable(int index)
{
    return index >= 0 && index < BaudRateCount;
}

} // namespace

int baudRateValue(int index)
{
    return inTable(index) ? kBaudRates[index].value : 0;
}

QString baudRateToString(int index)
{
    return inTable(index) ? QCoreApplication::translate("BaudRate", kBaudRates[index].text)
                          : QString();
}

double wireMilliseconds(const PortSettings& settings, int bytes)
{
    const int rate = baudRateValue(settings.BaudRate);
    if (rate == 0)
        return 0.0;
    const double stopBits = settings.StopBits == STOP_2     ? 2.0
                            : settings.StopBits == STOP_1_5 ? 1.5
                                                            : 1.0;
    const double bitsPerByte =
        1 + int(settings.DataBits) + (settings.Parity == PAR_NONE ? 0 : 1) + stopBits;
    return bytes * bitsPerByte * 1000.0 / rate;
}
