#include "pages/SignalModPage.h"

#include <algorithm>

namespace qmcal {

namespace {

constexpr ValueEditorTraits kTone{.id = 1069, .upDownId = 1070, .textLimit = 4, .maximum = 0x3FFF,
                                  .fallbackIntoEditor = true, .stay = kSelectInPlace};
// The MEV editor filters and leaves on Escape as the tone editor does.
constexpr ValueEditorTraits kMev{.id = 1071, .upDownId = 1072, .textLimit = 2, .maximum = 0xFF,
                                 .fallbackIntoEditor = true, .stay = kSelectInPlace};

// The IdBlock words that tell the radio which tone or code to send.
constexpr ColumnTraits ToneColumn(int sub, std::uint16_t offset)
{
    return {.widthTwips = 900, .editorId = kTone.id, .captionSend = {.subCode = sub, .width = 2, .offset = offset}};
}

constexpr std::array kColumns{
    ColumnTraits{.widthTwips = 1400, .editorId = kIdFrequencyEditor},
    ToneColumn(0x01, 0xFC0), ToneColumn(0x01, 0xFC2), ToneColumn(0x01, 0xFC4), ToneColumn(0x01, 0xFC6),
    ToneColumn(0x01, 0xFC8), ToneColumn(0x02, 0xFCA),
    ColumnTraits{.widthTwips = 900, .editorId = kMev.id},
};
constexpr std::array kValueEditors{kTone, kMev};

} // namespace

// Bytes 0..12 of each shared record are stored; 14 and 15 belong to the Tone Mod page.
const PageTraits SignalModPage::kTraits{
    .templatePath = ":/res/SignalModPage.json", .table = &kSignalModTable, .columns = kColumns,
    .captions = Captions::CellByCell, .fixedRows = 0,
    .frequency = {.stay = kSelectInPlace}, .values = kValueEditors,
    .storeWidth = 13, .keying = Keying::Ptt};

SignalModPage::SignalModPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    Initialise();
}

// Sends the whole sequence without looking at the results. The caption row stands for point 1
// and the frequency column for the first tone; MEV goes without a tone word.
bool SignalModPage::BeforeKey(int currentRow, int currentCol)
{
    const int row = std::max(currentRow, 1);
    const int col = std::max(currentCol, 1);
    SaveAndTune(row);
    SendGlobal(kColumns[static_cast<std::size_t>(col)].captionSend);
    SendField(row, col);
    return true;
}

} // namespace qmcal
