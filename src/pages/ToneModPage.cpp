#include "pages/ToneModPage.h"

#include <QPushButton>

#include "link/RadioLink.h"
#include "widgets/CMSFlexGrid.h"

namespace qmcal {

namespace {

constexpr ValueEditorTraits kLevel{.id = 1069, .upDownId = 1070, .textLimit = 2, .maximum = 0xFF,
                                   .stay = kSelectInPlace};

constexpr std::array kColumns{kFrequencyColumnTraits, EditedWith(kLevel), EditedWith(kLevel)};
constexpr std::array kValueEditors{kLevel};

// The DTMF code digit: one for every band.
constexpr std::array kGlobalFields{GlobalFieldTraits{
    .id = 1100, .upDownId = 1049, .textLimit = 1, .spinHigh = 15,
    .setting = {.subCode = 0x03, .width = 1, .offset = 0xFD0}}};

constexpr int kIdPttDtmf = 1014;
constexpr int kIdPtt1750 = 1027;
constexpr int kDtmfColumn = 1;
constexpr int k1750Column = 2;

} // namespace

// The DTMF and 1750 levels, 2 bytes of each record, are stored.
const PageTraits ToneModPage::kTraits{
    .templatePath = ":/res/ToneModPage.json", .table = &kToneModTable, .columns = kColumns,
    .captions = Captions::CellByCell,
    .frequency = {.stay = kSelectInPlace}, .values = kValueEditors,
    .storeWidth = 2, .keying = Keying::Ptt, .globalFields = kGlobalFields};

ToneModPage::ToneModPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    connect(Button(kIdPttDtmf), &QPushButton::clicked, this, &ToneModPage::PttDtmf);
    connect(Button(kIdPtt1750), &QPushButton::clicked, this, &ToneModPage::Ptt1750);
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

} // namespace qmcal
