#include "faultinjector.h"

namespace sim {

bool FaultSettings::any() const
{
    return corruptCrc > 0 || noReply > 0 || garbage > 0 || wrongAddress > 0 || late > 0;
}

FaultInjector::FaultInjector(quint32 seed)
    : random(seed)
{}

void FaultInjector::configure(const FaultSettings& settings, quint32 seed)
{
    faultSettings = settings;
    random.seed(seed);
}

Fault FaultInjector::draw()
{
    if (!faultSettings.any())
        return Fault::None;
    const double roll = std::uniform_real_distribution<double>(0.0, 1.0)(random);
    const std::pair<double, Fault> table[] = {
        {faultSettings.corruptCrc, Fault::CorruptCrc},
        {faultSettings.noReply, Fault::NoReply},
        {faultSettings.garbage, Fault::Garbage},
        {faultSettings.wrongAddress, Fault::WrongAddress},
        {faultSettings.late, Fault::Late},
    };
    double threshold = 0.0;
    for (const auto& [probability, fault] : table) {
        threshold += probability;
        if (roll < threshold)
            return fault;
    }
    return Fault::None;
}

QByteArray FaultInjector::garbage()
{
    const int length = std::uniform_int_distribution<int>(1, 4)(random);
    QByteArray bytes;
    for (int i = 0; i < length; ++i)
        bytes.append(char(std::uniform_int_distribution<int>(0, 255)(random)));
    return bytes;
}

} // namespace sim
