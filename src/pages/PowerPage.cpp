#include "pages/PowerPage.h"

#include <algorithm>

#include <QPushButton>

#include "link/RadioLink.h"
#include "pages/CMSFlexGrid.h"

namespace qmcal {

namespace {

constexpr int kLevelEditor = 1028;
constexpr int kLevelSpin = 1039;

constexpr std::array<ColumnTraits, 5> kColumns{{
    // caption        twips  editor
    {"Freq",          1500, kIdFrequencyEditor},
    {"Low (0-FF)",    1000, kLevelEditor},
    {"Mid 2 (0-FF)",  1000, kLevelEditor},
    {"Mid 1 (0-FF)",  1000, kLevelEditor},
    {"High (0-FF)",   1000, kLevelEditor},
}};

// A level of 0 is not accepted: bad input becomes 1.
constexpr std::array<ValueEditorTraits, 1> kValueEditors{{{
    kLevelEditor, kLevelSpin, /*textLimit*/ 2, /*spin*/ 1, 0xFF,
    /*accepted*/ 1, 0xFF, /*fallback*/ 1, /*fallbackIntoEditor*/ false,
    ValueText::Hex, CharFilter::Hex, StayOpen{false, true, true}, /*escapeLeaves*/ true,
}}};

constexpr std::array<int, 2> kCommitOrder{kIdFrequencyEditor, kLevelEditor};

} // namespace

const PageTraits PowerPage::kTraits{
    ":/res/PowerPage.json",
    &kPowerLayout,
    kColumns,
    Captions::HeaderFormat,
    1,
    FrequencyEditorTraits{/*writeBack*/ false, StayOpen{false, false, true}},
    kValueEditors,
    {},
    kCommitOrder,
    /*rightPressFocusesGrid*/ true,
    /*f2OpensEditor*/ true,
    /*spinReleaseEnter*/ true,
    /*storeWidth*/ 0,
};

PowerPage::PowerPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    connect(Button(kIdPttStart), &QPushButton::clicked, this, &PowerPage::PttStart);
    connect(Button(kIdPttEnd), &QPushButton::clicked, this, &PowerPage::PttEnd);
    Initialise();
}

// With the frequency column selected the row's "Low" level goes with the frequency.
void PowerPage::PttStart()
{
    const int row = Grid()->CurrentRow();
    const int col = std::max(Grid()->CurrentCol(), 1);
    if (!SaveAndTune(row))
        return;
    SendField(row, col);
    Link().PttStart(Code());
}

void PowerPage::PttEnd()
{
    Link().PttEnd(Code());
}

} // namespace qmcal
