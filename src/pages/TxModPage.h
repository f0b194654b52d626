#pragma once

#include "pages/CalPage.h"

namespace qmcal {

// Transmit modulation: two gain steps chosen from lists, two fine levels and a limiter word per
// point, all five sent before the radio is keyed.
class TxModPage final : public CalPage {
    Q_OBJECT

public:
    static const PageTraits kTraits;

    TxModPage(ParamImage& image, RadioLink& link, QWidget* parent);
};

} // namespace qmcal
