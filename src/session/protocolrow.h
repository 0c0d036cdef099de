#pragma once

#include <QtGlobal>
#include <array>

class PassiveDecoder;
class SerialEngine;

// Everything the program asks about one protocol, apart from its byte formats,
// which its engine keeps. The rows are in session/protocoltable.cpp.
struct ProtocolRow
{
    // The bus-type bits of a sensor model's features word.
    quint32 bus;
    // Stable: the commissioning record, the command line and JSON name it so.
    const char* name;
    // As engineers name it on screen ("ModBus RTU"); translated in the context
    // EngineFactory.
    const char* title;
    int lowestAddress;
    int highestAddress;
    // A new engine without parent or port for a model with these feature flags.
    SerialEngine* (*createEngine)(quint32 flags);
    // The diagnostic log sections its engine and sensor write to, titled in the
    // context Logger; unused ones null.
    std::array<const char*, 2> logSections;
    // A new listener for a line another master drives, owned by the caller.
    PassiveDecoder* (*createDecoder)();
    // When a listener of unknown protocol tries it, lowest first: the protocols
    // whose frames bytes heard at the wrong line settings are least likely to
    // fake go first, so a weak check never claims another protocol's traffic.
    int listenRank;
};
