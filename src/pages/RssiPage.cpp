#include "pages/RssiPage.h"

namespace qmcal {

namespace {

constexpr int kValueEditor = 1077;
constexpr int kValueSpin = 1078;

constexpr std::array<ColumnTraits, 3> kColumns{{
    // caption            twips  editor              marked
    {"Freq",              1500, kIdFrequencyEditor, false},
    {"RSSI1 (0-3FFF)",    1000, kValueEditor,       true},
    {"RSSI9 (0-3FFF)",    1000, kValueEditor,       true},
}};

// Both commits always close their editor.
constexpr std::array<ValueEditorTraits, 1> kValueEditors{{{
    kValueEditor, kValueSpin, /*textLimit*/ 4, /*spin*/ 0, 0x3FFF,
    /*accepted*/ 0, 0x3FFF, /*fallback*/ 0, /*fallbackIntoEditor*/ false,
    ValueText::Hex, CharFilter::Hex, StayOpen{true, false, false}, /*escapeLeaves*/ true,
}}};

constexpr std::array<int, 2> kCommitOrder{kIdFrequencyEditor, kValueEditor};

} // namespace

const PageTraits RssiPage::kTraits{
    ":/res/RssiPage.json",
    &kRssiLayout,
    kColumns,
    Captions::HeaderFormat,
    1,
    FrequencyEditorTraits{/*writeBack*/ false, StayOpen{true, false, false}},
    kValueEditors,
    {},
    kCommitOrder,
    /*rightPressFocusesGrid*/ false,
    /*f2OpensEditor*/ false,
    /*spinReleaseEnter*/ false,
    /*storeWidth*/ 0,
    /*globalFields*/ {},
};

const AutoMeasureTraits RssiPage::kMeasure{/*measureSub*/ 0x22, /*fallback*/ 0x174, 0x22E, {}};

RssiPage::RssiPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : AutoMeasurePage(kTraits, kMeasure, image, link, parent)
{
    Initialise();
}

} // namespace qmcal
