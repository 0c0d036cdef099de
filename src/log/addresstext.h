#pragma once

#include <QString>

// Sensor addresses as the user reads them: engineers know some by their decimal
// and some by their hexadecimal form, so both are shown.
namespace AddressText {

// "20 (0x14)".
QString both(int address);
// An address question's label with the address chosen so far: "Address: 20 (0x14)".
QString label(const QString& question, int address);

} // namespace AddressText
