#include "log/addresstext.h"

namespace AddressText {

QString both(int address)
{
    return QStringLiteral("%1 (0x%2)").arg(address).arg(address, 2, 16, QLatin1Char('0'));
}

QString label(const QString& question, int address)
{
    return QStringLiteral("%1: %2").arg(question, both(address));
}

} // namespace AddressText
