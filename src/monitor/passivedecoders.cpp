#include "monitor/passivedecoders.h"

#include "engine/passivedecoder.h"
#include "session/protocoltable.h"

#include <algorithm>

std::unique_ptr<PassiveDecoder> PassiveDecoders::create(quint32 busType)
{
    const ProtocolRow* row = ProtocolTable::ofBus(busType);
    return std::unique_ptr<PassiveDecoder>(row ? row->createDecoder() : nullptr);
}

QList<quint32> PassiveDecoders::busTypes()
{
    QList<const ProtocolRow*> rows = ProtocolTable::rows();
    std::stable_sort(rows.begin(), rows.end(), [](const ProtocolRow* a, const ProtocolRow* b) {
        return a->listenRank < b->listenRank;
    });
    QList<quint32> types;
    for (const ProtocolRow* row : rows)
        types << row->bus;
    return types;
}

QString PassiveDecoders::name(quint32 busType)
{
    const ProtocolRow* row = ProtocolTable::ofBus(busType);
    return row ? QString::fromLatin1(row->name) : QStringLiteral("unknown");
}
