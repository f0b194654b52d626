#pragma once

#include "sim/SimRadio.h"

namespace qmcal::sim {

// Turns a factory image into one particular unit: some Power, SQL and RSSI values move by -2..+2
// with a pattern that repeats for the same seed, staying inside their ranges. Values at the ends
// of a range (blank or erased memory) are left alone. Seed 0 changes nothing.
void VaryUnit(RadioMemory& memory, unsigned long seed);

} // namespace qmcal::sim
