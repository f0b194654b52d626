#pragma once

#include "pages/CalPage.h"

namespace qmcal {

// Receiver audio: DISC and AUDIO gain steps chosen from lists and their fine values, for one
// test frequency per band.
class RxTestPage final : public CalPage {
    Q_OBJECT

public:
    static const PageTraits kTraits;

    RxTestPage(ParamImage& image, RadioLink& link, QWidget* parent);
};

} // namespace qmcal
