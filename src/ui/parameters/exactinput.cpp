#include "parameters/exactinput.h"

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLocale>
#include <QSpinBox>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const char kMinimum[] = "allowedMinimum";
const char kMaximum[] = "allowedMaximum";
const char kOwnToolTip[] = "ownToolTip";

// One digit more than the allowed range has, either side: every number a user
// means to type fits, and the box stays about as wide as it was.
double widened(double minimum, double maximum)
{
    const double largest = std::max({std::fabs(minimum), std::fabs(maximum), 1.0});
    const double digits = std::floor(std::log10(largest)) + 2;
    return std::pow(10.0, digits) - 1;
}

// A digit fewer below zero than above it: a minus sign is as wide as a digit,
// and the box must be no wider than the numbers above zero make it.
int negativeReach(double wide)
{
    return int((wide + 1) / 10) - 1;
}

void showRange(QAbstractSpinBox* box, const QString& range)
{
    if (!box->property(kOwnToolTip).isValid())
        box->setProperty(kOwnToolTip, box->toolTip());
    const QString own = box->property(kOwnToolTip).toString();
    const QString allowed = QCoreApplication::translate("ExactInput", "Allowed: %1").arg(range);
    box->setToolTip(own.isEmpty() ? allowed : own + QLatin1Char('\n') + allowed);
}

QString doubleRangeText(const QDoubleSpinBox* box, double minimum, double maximum)
{
    const QLocale locale = box->locale();
    const auto text = [&](double value) {
        return box->prefix() + locale.toString(value, 'f', box->decimals()) + box->suffix();
    };
    return QCoreApplication::translate("ExactInput", "from %1 to %2")
        .arg(text(minimum), text(maximum));
}

} // namespace

namespace ExactInput {

void allow(QSpinBox* box, int minimum, int maximum)
{
    const double wide =
        std::min(widened(minimum, maximum), double(std::numeric_limits<int>::max()));
    // The special text shows at the box's minimum, which must stay the allowed one.
    const int lowest =
        box->specialValueText().isEmpty() ? std::min(minimum, -negativeReach(wide)) : minimum;
    box->setRange(lowest, std::max(maximum, int(wide)));
    box->setProperty(kMinimum, minimum);
    box->setProperty(kMaximum, maximum);
    showRange(box, rangeText(minimum, maximum));
}

void allow(QDoubleSpinBox* box, double minimum, double maximum)
{
    const double wide = widened(minimum, maximum);
    box->setRange(std::min(minimum, -double(negativeReach(wide))), std::max(maximum, wide));
    box->setProperty(kMinimum, minimum);
    box->setProperty(kMaximum, maximum);
    showRange(box, doubleRangeText(box, minimum, maximum));
}

QString refusal(const QSpinBox* box)
{
    const QVariant minimum = box->property(kMinimum);
    const QVariant maximum = box->property(kMaximum);
    if (!minimum.isValid() || (box->value() >= minimum.toInt() && box->value() <= maximum.toInt()))
        return QString();
    return QCoreApplication::translate("ExactInput", "it must be %1")
        .arg(rangeText(minimum.toInt(), maximum.toInt()));
}

QString refusal(const QDoubleSpinBox* box)
{
    const QVariant minimum = box->property(kMinimum);
    const QVariant maximum = box->property(kMaximum);
    if (!minimum.isValid() ||
        (box->value() >= minimum.toDouble() && box->value() <= maximum.toDouble()))
        return QString();
    return QCoreApplication::translate("ExactInput", "it must be %1")
        .arg(doubleRangeText(box, minimum.toDouble(), maximum.toDouble()));
}

QString rangeText(int minimum, int maximum)
{
    return QCoreApplication::translate("ExactInput", "from %1 to %2").arg(minimum).arg(maximum);
}

} // namespace ExactInput
