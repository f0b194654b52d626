#pragma once

#include "data/ParamImage.h"

namespace qmcal {

// Replaces IdBlock and ParamArea with a plausible factory calibration: the stamped header,
// every page's points spread over each slot's frequency range on the 5 kHz raster, and every
// value in the middle of its column's range (Sql Fine offsets 0). Always the same bytes.
// The reference area is left alone.
void FillFactoryImage(ParamImage& image);

} // namespace qmcal
