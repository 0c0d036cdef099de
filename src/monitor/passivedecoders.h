#pragma once

#include <QList>
#include <QString>
#include <memory>

class PassiveDecoder;

// Which listener each protocol has: the one place that maps a bus type of the
// model table to its passive decoder.
namespace PassiveDecoders {

// Null for a bus type without one.
std::unique_ptr<PassiveDecoder> create(quint32 busType);
// The bus types a listener can hunt through, in the order it tries them.
QList<quint32> busTypes();
// "Omnicomm", "ModBus" or "TBus"; "unknown" for any other bus type.
QString name(quint32 busType);

} // namespace PassiveDecoders
