#pragma once

#include "pages/AutoMeasurePage.h"

namespace qmcal {

// Received signal strength: two 14-bit values per band, typed or measured with Auto.
class RssiPage final : public AutoMeasurePage {
    Q_OBJECT

public:
    static const PageTraits kTraits;
    static const AutoMeasureTraits kMeasure;

    RssiPage(ParamImage& image, RadioLink& link, QWidget* parent);
};

} // namespace qmcal
