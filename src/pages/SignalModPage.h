#pragma once

#include "pages/CalPage.h"

namespace qmcal {

// Signalling tone modulation: a level per sub-audible tone and for the digital code, plus the
// MEV byte, per point. The caption row is an ordinary row: Enter on a tone's caption sends the
// tone's code word.
class SignalModPage final : public CalPage {
    Q_OBJECT

public:
    static const PageTraits kTraits;

    SignalModPage(ParamImage& image, RadioLink& link, QWidget* parent);

protected:
    bool BeforeKey(int row, int col) override;
};

} // namespace qmcal
