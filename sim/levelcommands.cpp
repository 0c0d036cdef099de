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
    const bool litres = pour && line.options().tank.isSet();
    const double lowest = pour ? -100 : 0;
    if ((!pour && verb != QLatin1String("level")) || words.size() != 3 || !percentOk ||
        (!litres && (percent < lowest || percent > 100))) {
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
    const double level = litres ? pourLitres(address, base, percent)
                                : std::clamp(base + percent / 100, 0.0, 1.0);
    if (!litres)
        litresHeld.remove(address);
    physics.pourTo(level, line.nowMs(), line.options().wobble);
    *answer = litres ? QStringLiteral("sensor %1: %2 L, level %3 %")
                           .arg(address)
                           .arg(litresHeld.value(address))
                           .arg(level * 100)
                     : QStringLiteral("sensor %1: level %2 %").arg(address).arg(level * 100);
    return true;
}

double LevelCommands::pourLitres(int address, double calmLevel, double litres)
{
    const TankGeometry& tank = line.options().tank;
    const double before = litresHeld.contains(address) ? litresHeld.value(address)
                   : calmLevel > 0 ? tank.litresAtLevel(calmLevel) : 0.0;
    const double after = std::clamp(before + litres, 0.0, tank.fullLitres());
    litresHeld.insert(address, after);
    return tank.levelOfLitres(after);
}

} // namespace sim
