#pragma once

#include <QString>

// The names of an Omnicomm sensor's configuration parameters wherever they are
// typed or read back by people and scripts: nivelon-cli's NAME=VALUE, the
// commissioning record. Fixed, unlike the parameters' titles, which follow the
// window's language.
class OmniCommParameterNames
{
public:
    // "FMax" for OmniCommSensor::FMaxIndex; empty for an index that is no
    // configuration parameter.
    static QString nameOf(int index);
    // The index of a name in any case; -1 for none.
    static int indexOf(const QString& name);
};
