#include "levelcommands.h"

#include "simline.h"

#include <QStringList>
#include <algorithm>

namespace sim {

LevelCommands::LevelCommands(SimLine& simLine)
    : line(simLine)
{}

bool LevelCommands::execute(const QString& command, QString* answer)
{
    const QStringList words = command.simplified().split(' ');
    const QString verb = words.value(0).toLower();
    bool addressOk = false;
    bool percentOk = false;
    const int address = words.value(1).toInt(&addressOk);
    const double percent = words.value(2).toDouble(&percentOk);
    SimSensor* sensor = addressOk ? line.sensorAt(address) : nullptr;
    const bool pour = verb == QLatin1String("pour");
    const double lowest = pour ? -100 : 0;
    if ((!pour && verb != QLatin1String("level")) || words.size() != 3 || !percentOk ||
        percent < lowest || percent > 100) {
        *answer = QStringLiteral("not a command: \"%1\"; give level ADDR PERCENT (0 to 100) or "
                                 "pour ADDR PERCENT (-100 to 100)")
                      .arg(command);
        return false;
    }
    if (!sensor) {
        *answer = QStringLiteral("no sensor at address %1").arg(words.value(1));
        return false;
    }
    SensorPhysics& physics = sensor->physics();
    const double base = pour ? physics.calmLevel() : 0.0;
    const double level = std::clamp(base + percent / 100, 0.0, 1.0);
    physics.pourTo(level, line.nowMs(), line.options().wobble);
    *answer = QStringLiteral("sensor %1: level %2 %").arg(address).arg(level * 100);
    return true;
}

} // namespace sim
