#pragma once

#include "pages/CalPage.h"

namespace qmcal {

// DTMF and 1750 Hz tone levels per point (bytes 14 and 15 of the records the Signal Mod page
// shares), and the DTMF code digit the radio sends.
class ToneModPage final : public CalPage {
    Q_OBJECT

public:
    static const PageTraits kTraits;

    ToneModPage(ParamImage& image, RadioLink& link, QWidget* parent);

    void PttDtmf();
    void Ptt1750();

private:
    // The row's frequency, its level of col and the code (when it has a sub-code), then PTT.
    void KeyWithLevel(int col, const GlobalSetting& code);
};

} // namespace qmcal
