#include "tankshapetable.h"

#include "tankshapetext.h"

#include <cmath>

double TankShapeTable::litresAt(const TankShape& shape, const TankProbe& probe, double rawLevel)
{
    return shape.litresBelow(probe.start + probe.length * rawLevel / probe.fullScale);
}

bool TankShapeTable::make(const TankShape& shape, const TankProbe& probe, int points,
                          TankTable* table, QString* error)
{
    if (!shape.check(error) ||
        !TankShapeText::checkProbe(shape, probe, error))
        return false;
    if (points < 2 || points > std::min(kMostPoints, probe.fullScale + 1)) {
        *error = tr("%1 points cannot be spread over raw levels 0 to %2: give 2 to %3")
                     .arg(points)
                     .arg(probe.fullScale)
                     .arg(std::min(kMostPoints, probe.fullScale + 1));
        return false;
    }
    TankTable made;
    for (int i = 0; i < points; ++i) {
        const int raw = int(std::lround(double(i) * probe.fullScale / (points - 1)));
        const TankRow row{litresAt(shape, probe, raw), raw, 100.0 * raw / probe.fullScale, false};
        QString problem;
        if (!made.append(row, &problem)) {
            *error = tr("the shape holds no fuel between two rows at raw level %1: %2")
                         .arg(raw)
                         .arg(problem);
            return false;
        }
    }
    TankTableInfo info;
    info.date = QDateTime::currentDateTime();
    describe(shape, probe, &info);
    made.setInfo(info);
    *table = made;
    return true;
}

void TankShapeTable::describe(const TankShape& shape, const TankProbe& probe, TankTableInfo* info)
{
    info->dataFormat = QStringLiteral("full scale %1").arg(probe.fullScale);
    info->shape = TankShapeText::shapeText(shape);
    info->probe = TankShapeText::probeText(probe);
    info->computed = true;
    info->confirmation.clear();
}
