#include "protocols/omnicommparameternames.h"

#include "protocols/omnicommsensor.h"

#include <iterator>

namespace {

// In parameter index order from AutoIntervalIndex.
const char* const kNames[] = {"AutoInterval",
                              "FMax",
                              "FMin",
                              "SampleCount",
                              "PWM_Max",
                              "ControlOutput",
                              "DataFormat",
                              "NormalTemperature",
                              "AnalogueOutputRatio",
                              "AnalogueOutputRange"};
const int kFirst = OmniCommSensor::AutoIntervalIndex;
const int kCount = int(std::size(kNames));
static_assert(kCount == OmniCommSensor::AnalogueOutputRangeIndex - kFirst + 1,
              "one name for each configuration parameter");

} // namespace

QString OmniCommParameterNames::nameOf(int index)
{
    const int row = index - kFirst;
    return row >= 0 && row < kCount ? QLatin1String(kNames[row]) : QString();
}

int OmniCommParameterNames::indexOf(const QString& name)
{
    for (int row = 0; row < kCount; ++row) {
        if (name.compare(QLatin1String(kNames[row]), Qt::CaseInsensitive) == 0)
            return kFirst + row;
    }
    return -1;
}
