#include "pages/RxTuningPage.h"

#include <algorithm>

#include <QPushButton>

#include "link/RadioLink.h"
#include "pages/CMSFlexGrid.h"

namespace qmcal {

namespace {

constexpr int kAdjustEditor = 1067;
constexpr int kAdjustSpin = 1068;

constexpr std::array<ColumnTraits, 2> kColumns{{
    // caption          twips  editor              marked
    {"Freq",            1500, kIdFrequencyEditor, false},
    {"Adjust (0-3FF)",  1000, kAdjustEditor,      true},
}};

constexpr std::array<ValueEditorTraits, 1> kValueEditors{{{
    kAdjustEditor, kAdjustSpin, /*textLimit*/ 3, /*spin*/ 0, 0x3FF,
    /*accepted*/ 0, 0x3FF, /*fallback*/ 0, /*fallbackIntoEditor*/ true,
    ValueText::Hex, CharFilter::Hex, StayOpen{false, true, true}, /*escapeLeaves*/ true,
}}};

constexpr std::array<int, 2> kCommitOrder{kIdFrequencyEditor, kAdjustEditor};

} // namespace

const PageTraits RxTuningPage::kTraits{
    ":/res/RxTuningPage.json",
    &kRxTuningLayout,
    kColumns,
    Captions::HeaderFormat,
    1,
    FrequencyEditorTraits{/*writeBack*/ true, StayOpen{false, true, true}},
    kValueEditors,
    {},
    kCommitOrder,
    /*rightPressFocusesGrid*/ false,
    /*f2OpensEditor*/ false,
    /*spinReleaseEnter*/ true,
    /*storeWidth*/ 0,
};

RxTuningPage::RxTuningPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    connect(Button(kIdTest), &QPushButton::clicked, this, &RxTuningPage::Test);
    connect(Button(kIdEnd), &QPushButton::clicked, this, &RxTuningPage::End);
    Initialise();
}

// Sends all four commands whatever their results; the link reports each failure.
void RxTuningPage::Test()
{
    const int row = Grid()->CurrentRow();
    const int col = std::max(Grid()->CurrentCol(), 1);
    SaveAndTune(row);
    const bool rightHalf = Slot() == kSlot150MR || Slot() == kSlot450MR;
    Link().SetFlag(Code(), rightHalf ? 1 : 0);
    SendField(row, col);
    Link().TestStart(Code());
}

void RxTuningPage::End()
{
    Link().TestEnd(Code());
}

} // namespace qmcal
