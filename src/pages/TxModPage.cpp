#include "pages/TxModPage.h"

#include <QPushButton>

#include "link/RadioLink.h"
#include "pages/CMSFlexGrid.h"

namespace qmcal {

namespace {

constexpr int kFineEditor = 1075;
constexpr int kFineSpin = 1076;
constexpr int kLimitEditor = 1071;
constexpr int kLimitSpin = 1074;
constexpr int kMicGainList = 1072;
constexpr int kModGainList = 1073;

constexpr std::array<ColumnTraits, 6> kColumns{{
    // caption               twips  editor
    {"Freq",                 1500, kIdFrequencyEditor},
    {"MIC Gain db",          1000, kMicGainList},
    {"MOD Gain db",          1000, kModGainList},
    {"MIC Fine (0-2A73)",    1000, kFineEditor},
    {"MOD Fine (0-2A73)",    1000, kFineEditor},
    {"Limit Ctrl (0-3FFF)",  1000, kLimitEditor},
}};

constexpr std::array<ValueEditorTraits, 2> kValueEditors{{
    {kFineEditor, kFineSpin, /*textLimit*/ 4, /*spin*/ 0, 0x2A73,
     /*accepted*/ 0, 0x2A73, /*fallback*/ 0, /*fallbackIntoEditor*/ true,
     ValueText::Hex, CharFilter::Hex, kSelectInPlace, /*escapeLeaves*/ true},
    // Without the upper-case style: a to f stay as typed until the grid is loaded again.
    {kLimitEditor, kLimitSpin, /*textLimit*/ 4, /*spin*/ 0, 0x3FFF,
     /*accepted*/ 0, 0x3FFF, /*fallback*/ 0, /*fallbackIntoEditor*/ true,
     ValueText::Hex, CharFilter::Hex, kSelectInPlace, /*escapeLeaves*/ true},
}};

constexpr std::array<ListEditorTraits, 2> kListEditors{{
    {kMicGainList, kGainSteps, StayOpen{}},
    {kModGainList, kAttenuationSteps, StayOpen{}},
}};

constexpr std::array<int, 5> kCommitOrder{kIdFrequencyEditor, kMicGainList, kModGainList, kLimitEditor, kFineEditor};

} // namespace

// The frequency editor closes even on Enter.
const PageTraits TxModPage::kTraits{
    ":/res/TxModPage.json",
    &kTxModLayout,
    kColumns,
    Captions::CellByCell,
    1,
    FrequencyEditorTraits{/*writeBack*/ true, StayOpen{true, false, false}},
    kValueEditors,
    kListEditors,
    kCommitOrder,
    /*rightPressFocusesGrid*/ false,
    /*f2OpensEditor*/ false,
    /*spinReleaseEnter*/ true,
    /*storeWidth*/ 0,
};

TxModPage::TxModPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    connect(Button(kIdPttStart), &QPushButton::clicked, this, &TxModPage::PttStart);
    connect(Button(kIdPttEnd), &QPushButton::clicked, this, &TxModPage::PttEnd);
    Initialise();
}

// All five settings of the row go, whatever column is selected.
void TxModPage::PttStart()
{
    const int row = Grid()->CurrentRow();
    if (!SaveAndTune(row))
        return;
    SendRecord(row);
    Link().PttStart(Code());
}

void TxModPage::PttEnd()
{
    Link().PttEnd(Code());
}

} // namespace qmcal
