#pragma once

#include <QList>
#include <QString>
#include <memory>

class PassiveDecoder;

// The listeners of the protocol table, by the bus type of the model table.
namespace PassiveDecoders {

// Null for a bus type without one.
std::unique_ptr<PassiveDecoder> create(quint32 busType);
// The bus types a listener can hunt through, in the order it tries them.
QList<quint32> busTypes();
// "Omnicomm", "ModBus" or "TBus"; "unknown" for any other bus type.
QString name(quint32 busType);

} // namespace PassiveDecoders
