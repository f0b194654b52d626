#include "pages/SqlPage.h"

namespace qmcal {

namespace {

constexpr int kValueEditor = 1170;
constexpr int kValueSpin = 1171;

constexpr std::array<ColumnTraits, 5> kColumns{{
    // caption            twips  editor              marked
    {"Freq",              1500, kIdFrequencyEditor, false},
    {"W SQL1 (0-3FFF)",   1000, kValueEditor,       true},
    {"W SQL9 (0-3FFF)",   1000, kValueEditor,       true},
    {"N SQL1 (0-3FFF)",   1000, kValueEditor,       true},
    {"N SQL9 (0-3FFF)",   1000, kValueEditor,       true},
}};

// Both commits always close their editor.
constexpr std::array<ValueEditorTraits, 1> kValueEditors{{{
    kValueEditor, kValueSpin, /*textLimit*/ 4, /*spin*/ 0, 0x3FFF,
    /*accepted*/ 0, 0x3FFF, /*fallback*/ 0, /*fallbackIntoEditor*/ false,
    ValueText::Hex, CharFilter::Hex, StayOpen{true, false, false}, /*escapeLeaves*/ true,
}}};

constexpr std::array<int, 2> kCommitOrder{kIdFrequencyEditor, kValueEditor};

// The radio's W setting for the W columns, N for the N columns.
constexpr std::uint8_t kModeW = 0x00;
constexpr std::uint8_t kModeN = 0xFF;
//                                                  Freq   W SQL1 W SQL9 N SQL1 N SQL9
constexpr std::array<std::uint8_t, 5> kModeOfColumn{kModeW, kModeW, kModeW, kModeN, kModeN};

} // namespace

const PageTraits SqlPage::kTraits{
    ":/res/SqlPage.json",
    &kSqlLayout,
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

const AutoMeasureTraits SqlPage::kMeasure{/*measureSub*/ 0x21, /*fallback*/ 0x3A2, 0xBA, kModeOfColumn};

SqlPage::SqlPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : AutoMeasurePage(kTraits, kMeasure, image, link, parent)
{
    Initialise();
}

} // namespace qmcal
