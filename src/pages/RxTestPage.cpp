#include "pages/RxTestPage.h"

namespace qmcal {

namespace {

constexpr ValueEditorTraits kFine{.id = 1075, .upDownId = 1076, .textLimit = 4, .maximum = 0x2A73,
                                  .fallbackIntoEditor = true, .stay = kSelectInPlace};
constexpr ListEditorTraits kDiscGain{.id = 1072};
constexpr ListEditorTraits kAudioGain{.id = 1073};

constexpr std::array kColumns{kFrequencyColumnTraits, EditedWith(kDiscGain), EditedWith(kAudioGain),
                              EditedWith(kFine), EditedWith(kFine)};
constexpr std::array kValueEditors{kFine};
constexpr std::array kListEditors{kDiscGain, kAudioGain};

} // namespace

// "Test" sends both gains, then both fine values: the record's layout order.
const PageTraits RxTestPage::kTraits{
    .templatePath = ":/res/RxTestPage.json", .table = &kRxTestTable, .columns = kColumns,
    .captions = Captions::CellByCell,
    .frequency = {.stay = kSelectInPlace}, .values = kValueEditors, .lists = kListEditors,
    .keying = Keying::Test};

RxTestPage::RxTestPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    Initialise();
}

} // namespace qmcal
