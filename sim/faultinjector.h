#pragma once

#include <QByteArray>
#include <random>

namespace sim {

enum class Fault { None, CorruptCrc, NoReply, Garbage, WrongAddress, Late };

// Probability of each fault per reply (0 to 1; their sum should stay at or below 1).
struct FaultSettings
{
    double corruptCrc = 0.0;
    double noReply = 0.0;
    double garbage = 0.0; // stray bytes on the line right after the reply
    double wrongAddress = 0.0;
    double late = 0.0;
    int lateMs = 400; // beyond every reply window of the program

    bool any() const;
};

// Decides, reply by reply, which fault to inject. The same seed gives the same
// sequence of faults, so a failing run can be repeated.
class FaultInjector
{
public:
    explicit FaultInjector(quint32 seed = 1);

    void configure(const FaultSettings& settings, quint32 seed);
    const FaultSettings& settings() const { return faultSettings; }

    Fault draw();
    QByteArray garbage();

private:
    std::mt19937 random;
    FaultSettings faultSettings;
};

} // namespace sim
