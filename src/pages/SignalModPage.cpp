#include "pages/SignalModPage.h"

#include <algorithm>

#include <QPushButton>

#include "link/RadioLink.h"
#include "pages/CMSFlexGrid.h"

namespace qmcal {

namespace {

constexpr int kToneEditor = 1069;
constexpr int kToneSpin = 1070;
constexpr int kMevEditor = 1071;
constexpr int kMevSpin = 1072;

// The IdBlock words that tell the radio which tone or code to send.
constexpr GlobalSetting ToneWord(int sub, std::uint16_t offset)
{
    return GlobalSetting{sub, 2, offset};
}

constexpr std::array<ColumnTraits, 8> kColumns{{
    // caption          twips  editor              marked  tone word
    {"Freq",            1400, kIdFrequencyEditor, false, {}},
    {"67.0 (0-3FFF)",    900, kToneEditor,        false, ToneWord(0x01, 0xFC0)},
    {"91.5 (0-3FFF)",    900, kToneEditor,        false, ToneWord(0x01, 0xFC2)},
    {"154.1 (0-3FFF)",   900, kToneEditor,        false, ToneWord(0x01, 0xFC4)},
    {"192.8 (0-3FFF)",   900, kToneEditor,        false, ToneWord(0x01, 0xFC6)},
    {"254.1 (0-3FFF)",   900, kToneEditor,        false, ToneWord(0x01, 0xFC8)},
    {"023N (0-3FFF)",    900, kToneEditor,        false, ToneWord(0x02, 0xFCA)},
    {"MEV  (0-FF)",      900, kMevEditor,         false, {}},
}};

// The MEV editor filters and leaves on Escape as the tone editor does.
constexpr std::array<ValueEditorTraits, 2> kValueEditors{{
    {kToneEditor, kToneSpin, /*textLimit*/ 4, /*spin*/ 0, 0x3FFF,
     /*accepted*/ 0, 0x3FFF, /*fallback*/ 0, /*fallbackIntoEditor*/ true,
     ValueText::Hex, CharFilter::Hex, kSelectInPlace, /*escapeLeaves*/ true},
    {kMevEditor, kMevSpin, /*textLimit*/ 2, /*spin*/ 0, 0xFF,
     /*accepted*/ 0, 0xFF, /*fallback*/ 0, /*fallbackIntoEditor*/ true,
     ValueText::Hex, CharFilter::Hex, kSelectInPlace, /*escapeLeaves*/ true},
}};

constexpr std::array<int, 3> kCommitOrder{kIdFrequencyEditor, kToneEditor, kMevEditor};

// Bytes 0..12 of each shared record; 14 and 15 belong to the Tone Mod page.
constexpr int kStoredWidth = 13;

} // namespace

const PageTraits SignalModPage::kTraits{
    ":/res/SignalModPage.json",
    &kSignalModLayout,
    kColumns,
    Captions::CellByCell,
    /*fixedRows*/ 0,
    FrequencyEditorTraits{/*writeBack*/ true, kSelectInPlace},
    kValueEditors,
    {},
    kCommitOrder,
    /*rightPressFocusesGrid*/ false,
    /*f2OpensEditor*/ false,
    /*spinReleaseEnter*/ true,
    kStoredWidth,
};

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
