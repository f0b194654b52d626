#include "pages/SignalModPage.h"

#include <algorithm>

#include <QPushButton>

#include "link/RadioLink.h"
#include "widgets/CMSFlexGrid.h"

namespace qmcal {

namespace {

constexpr int kToneEditor = 1069;
constexpr int kToneSpin = 1070;
constexpr int kMevEditor = 1071;
constexpr int kMevSpin = 1072;

// The IdBlock words that tell the radio which tone or code to send.
constexpr ColumnTraits ToneColumn(int sub, std::uint16_t offset)
{
    return {.widthTwips = 900, .editorId = kToneEditor, .captionSend = {.subCode = sub, .width = 2, .offset = offset}};
}

constexpr std::array kColumns{
    ColumnTraits{.widthTwips = 1400, .editorId = kIdFrequencyEditor},
    ToneColumn(0x01, 0xFC0), ToneColumn(0x01, 0xFC2), ToneColumn(0x01, 0xFC4), ToneColumn(0x01, 0xFC6),
    ToneColumn(0x01, 0xFC8), ToneColumn(0x02, 0xFCA),
    ColumnTraits{.widthTwips = 900, .editorId = kMevEditor},
};

// The MEV editor filters and leaves on Escape as the tone editor does.
constexpr std::array kValueEditors{
    ValueEditorTraits{.id = kToneEditor, .upDownId = kToneSpin, .textLimit = 4, .maximum = 0x3FFF,
                      .fallbackIntoEditor = true, .stay = kSelectInPlace},
    ValueEditorTraits{.id = kMevEditor, .upDownId = kMevSpin, .textLimit = 2, .maximum = 0xFF,
                      .fallbackIntoEditor = true, .stay = kSelectInPlace},
};

} // namespace

// Bytes 0..12 of each shared record are stored; 14 and 15 belong to the Tone Mod page.
const PageTraits SignalModPage::kTraits{
    .templatePath = ":/res/SignalModPage.json", .table = &kSignalModTable, .columns = kColumns,
    .captions = Captions::CellByCell, .fixedRows = 0,
    .frequency = {.stay = kSelectInPlace}, .values = kValueEditors,
    .storeWidth = 13};

SignalModPage::SignalModPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    connect(Button(kIdPttStart), &QPushButton::clicked, this, &SignalModPage::PttStart);
    connect(Button(kIdPttEnd), &QPushButton::clicked, this, &SignalModPage::PttEnd);
    Initialise();
}

// Sends the whole sequence without looking at the results. The caption row stands for point 1
// and the frequency column for the first tone; MEV goes without a tone word.
void SignalModPage::PttStart()
{
    const int row = std::max(Grid()->CurrentRow(), 1);
    const int col = std::max(Grid()->CurrentCol(), 1);
    SaveAndTune(row);
    SendGlobal(kColumns[static_cast<std::size_t>(col)].captionSend);
    SendField(row, col);
    Link().PttStart(Code());
}

void SignalModPage::PttEnd()
{
    Link().PttEnd(Code());
}

} // namespace qmcal
