#pragma once

#include "data/ParamImage.h"

namespace qmcal {

// Replaces every repaired field above its column's maximum with the reference area's bytes.
// Power records are left alone.
void RepairRanges(ParamImage& image);

} // namespace qmcal
