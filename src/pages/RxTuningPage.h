#pragma once

#include "pages/CalPage.h"

namespace qmcal {

// Receiver front-end tuning: one 10-bit value per point, adjusted with the receive test on.
class RxTuningPage final : public CalPage {
    Q_OBJECT

public:
    static const PageTraits kTraits;

    RxTuningPage(ParamImage& image, RadioLink& link, QWidget* parent);

protected:
    bool BeforeKey(int row, int col) override;
};

} // namespace qmcal
