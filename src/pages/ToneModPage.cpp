#include "pages/ToneModPage.h"

#include <QPushButton>

#include "link/RadioLink.h"
#include "pages/CMSFlexGrid.h"

namespace qmcal {

namespace {

constexpr int kLevelEditor = 1069;
constexpr int kLevelSpin = 1070;
constexpr int kDtmfCodeField = 1100;
constexpr int kDtmfCodeSpin = 1049;
constexpr int kIdPttDtmf = 1014;
constexpr int kIdPtt1750 = 1027;
constexpr int kDtmfColumn = 1;
constexpr int k1750Column = 2;

constexpr std::array<ColumnTraits, 3> kColumns{{
    // caption        twips  editor
    {"Freq",          1500, kIdFrequencyEditor},
    {"DTMF (0-FF)",   1000, kLevelEditor},
    {"1750 (0-FF)",   1000, kLevelEditor},
}};

constexpr std::array<ValueEditorTraits, 1> kValueEditors{{{
    kLevelEditor, kLevelSpin, /*textLimit*/ 2, /*spin*/ 0, 0xFF,
    /*accepted*/ 0, 0xFF, /*fallback*/ 0, /*fallbackIntoEditor*/ false,
    ValueText::Hex, CharFilter::Hex, kSelectInPlace, /*escapeLeaves*/ true,
}}};

constexpr std::array<int, 2> kCommitOrder{kIdFrequencyEditor, kLevelEditor};

// One code for every band.
constexpr std::array<GlobalFieldTraits, 1> kGlobalFields{{{
    kDtmfCodeField, kDtmfCodeSpin, /*textLimit*/ 1, /*spin*/ 0, 15, GlobalSetting{0x03, 1, 0xFD0},
}}};

// The DTMF and 1750 levels: 2 bytes of each record.
constexpr int kStoredWidth = 2;

} // namespace

const PageTraits ToneModPage::kTraits{
    ":/res/ToneModPage.json",
    &kToneModLayout,
    kColumns,
    Captions::CellByCell,
    1,
    FrequencyEditorTraits{/*writeBack*/ true, kSelectInPlace},
    kValueEditors,
    {},
    kCommitOrder,
    /*rightPressFocusesGrid*/ false,
    /*f2OpensEditor*/ false,
    /*spinReleaseEnter*/ true,
    kStoredWidth,
    kGlobalFields,
};

ToneModPage::ToneModPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    connect(Button(kIdPttDtmf), &QPushButton::clicked, this, &ToneModPage::PttDtmf);
    connect(Button(kIdPtt1750), &QPushButton::clicked, this, &ToneModPage::Ptt1750);
    connect(Button(kIdPttEnd), &QPushButton::clicked, this, &ToneModPage::PttEnd);
    Initialise();
}

// The DTMF key also sends the code digit the radio is to send.
void ToneModPage::PttDtmf()
{
    KeyWithLevel(kDtmfColumn, kGlobalFields[0].setting);
}

void ToneModPage::Ptt1750()
{
    KeyWithLevel(k1750Column, GlobalSetting{});
}

void ToneModPage::KeyWithLevel(int col, const GlobalSetting& code)
{
    const int row = Grid()->CurrentRow();
    if (!SaveAndTune(row))
        return;
    SendField(row, col);
    SendGlobal(code);
    Link().PttStart(Code());
}

void ToneModPage::PttEnd()
{
    Link().PttEnd(Code());
}

} // namespace qmcal
