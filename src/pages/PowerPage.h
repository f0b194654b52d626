#pragma once

#include "pages/CalPage.h"

namespace qmcal {

// Transmit power: four level bytes per point, adjusted with PTT on and sent live.
class PowerPage final : public CalPage {
    Q_OBJECT

public:
    static const PageTraits kTraits;

    PowerPage(ParamImage& image, RadioLink& link, QWidget* parent);

protected:
    bool BeforeKey(int row, int col) override;
};

} // namespace qmcal
