#include "pages/RxTestPage.h"

#include <QPushButton>

#include "link/RadioLink.h"
#include "pages/CMSFlexGrid.h"

namespace qmcal {

namespace {

constexpr int kFineEditor = 1075;
constexpr int kFineSpin = 1076;
constexpr int kDiscGainList = 1072;
constexpr int kAudioGainList = 1073;

constexpr std::array<ColumnTraits, 5> kColumns{{
    // caption               twips  editor           marked
    {"Freq",                 1500, kIdFrequencyEditor, false},
    {"DISC Gain db",         1000, kDiscGainList,      false},
    {"AUDIO Gain db",        1000, kAudioGainList,     false},
    {"DISC FIne (0-2A73)",   1000, kFineEditor,        true},
    {"AUDIO Fine (0-2A73)",  1000, kFineEditor,        true},
}};

constexpr std::array<ValueEditorTraits, 1> kValueEditors{{{
    kFineEditor, kFineSpin, /*textLimit*/ 4, /*spin*/ 0, 0x2A73,
    /*accepted*/ 0, 0x2A73, /*fallback*/ 0, /*fallbackIntoEditor*/ true,
    ValueText::Hex, CharFilter::Hex, kSelectInPlace, /*escapeLeaves*/ true,
}}};

constexpr std::array<ListEditorTraits, 2> kListEditors{{
    {kDiscGainList, kGainSteps, StayOpen{}},
    {kAudioGainList, kAttenuationSteps, StayOpen{}},
}};

constexpr std::array<int, 4> kCommitOrder{kIdFrequencyEditor, kDiscGainList, kAudioGainList, kFineEditor};

} // namespace

const PageTraits RxTestPage::kTraits{
    ":/res/RxTestPage.json",
    &kRxTestLayout,
    kColumns,
    Captions::CellByCell,
    1,
    FrequencyEditorTraits{/*writeBack*/ true, kSelectInPlace},
    kValueEditors,
    kListEditors,
    kCommitOrder,
    /*rightPressFocusesGrid*/ false,
    /*f2OpensEditor*/ false,
    /*spinReleaseEnter*/ true,
    /*storeWidth*/ 0,
};

RxTestPage::RxTestPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    connect(Button(kIdTest), &QPushButton::clicked, this, &RxTestPage::Test);
    connect(Button(kIdEnd), &QPushButton::clicked, this, &RxTestPage::End);
    Initialise();
}

// Both gains, then both fine values: the record's layout order.
void RxTestPage::Test()
{
    const int row = Grid()->CurrentRow();
    if (!SaveAndTune(row))
        return;
    SendRecord(row);
    Link().TestStart(Code());
}

void RxTestPage::End()
{
    Link().TestEnd(Code());
}

} // namespace qmcal
