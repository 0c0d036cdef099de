#include "sensormodel.h"

#include <array>

namespace sim {

namespace {

struct Row
{
    const char* code;
    Protocol protocol;
    bool extended;
    bool calibration;
    bool autonomous;
};

const std::array<Row, 11> modelRows = {{
    {"ZT-31", Protocol::TBus, false, false, false},
    {"ZT-32", Protocol::ModBus, false, false, false},
    {"ZT-33", Protocol::Omnicomm, false, false, false},
    {"ZT-34", Protocol::Omnicomm, false, false, true},
    {"ZT-35", Protocol::TBus, false, true, false},
    {"ZT-36", Protocol::ModBus, false, false, false},
    {"ZT-37", Protocol::Omnicomm, false, false, false},
    {"ZT-38", Protocol::Omnicomm, false, false, true},
    {"ZT-41", Protocol::Omnicomm, true, false, false},
    {"ZT-42", Protocol::Omnicomm, true, false, true},
    {"ZT-43", Protocol::Omnicomm, true, false, true},
}};

} // namespace

bool SensorModel::byCode(const QString& code, SensorModel* model)
{
    for (const Row& row : modelRows) {
        if (code.compare(QLatin1String(row.code), Qt::CaseInsensitive) != 0)
            continue;
        model->code = QLatin1String(row.code);
        model->protocol = row.protocol;
        model->extendedConfiguration = row.extended;
        model->calibration = row.calibration;
        model->autonomousMode = row.autonomous;
        return true;
    }
    return false;
}

QStringList SensorModel::codes()
{
    QStringList list;
    for (const Row& row : modelRows)
        list << QLatin1String(row.code);
    return list;
}

int protocolBaudRate(Protocol protocol)
{
    return protocol == Protocol::Omnicomm ? 19200 : 9600;
}

QString protocolName(Protocol protocol)
{
    switch (protocol) {
    case Protocol::Omnicomm:
        return QStringLiteral("Omnicomm");
    case Protocol::ModBus:
        return QStringLiteral("ModBus RTU");
    case Protocol::TBus:
        return QStringLiteral("TBus");
    }
    return QString();
}

} // namespace sim
