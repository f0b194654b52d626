#pragma once

#include "pages/AutoMeasurePage.h"

namespace qmcal {

// Squelch: four 14-bit values per point (W and N settings), typed or measured with Auto.
class SqlPage final : public AutoMeasurePage {
    Q_OBJECT

public:
    static const PageTraits kTraits;
    static const AutoMeasureTraits kMeasure;

    SqlPage(ParamImage& image, RadioLink& link, QWidget* parent);
};

} // namespace qmcal
