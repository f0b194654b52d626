#include "pages/TxModPage.h"

namespace qmcal {

namespace {

constexpr ListEditorTraits kMicGain{.id = 1072};
constexpr ListEditorTraits kModGain{.id = 1073};
constexpr ValueEditorTraits kFine{.id = 1075, .upDownId = 1076, .textLimit = 4, .maximum = 0x2A73,
                                  .fallbackIntoEditor = true, .stay = kSelectInPlace};
// Without the upper-case style: a to f stay as typed until the grid is loaded again.
constexpr ValueEditorTraits kLimit{.id = 1071, .upDownId = 1074, .textLimit = 4, .maximum = 0x3FFF,
                                   .fallbackIntoEditor = true, .stay = kSelectInPlace};

constexpr std::array kColumns{kFrequencyColumnTraits, EditedWith(kMicGain), EditedWith(kModGain),
                              EditedWith(kFine), EditedWith(kFine), EditedWith(kLimit)};
constexpr std::array kValueEditors{kFine, kLimit};
constexpr std::array kListEditors{kMicGain, kModGain};
constexpr std::array kCommitOrder{kIdFrequencyEditor, kMicGain.id, kModGain.id, kLimit.id, kFine.id};

} // namespace

// The frequency editor closes even on Enter. "PTT Start" sends all five settings of the row,
// whatever column is selected.
const PageTraits TxModPage::kTraits{
    .templatePath = ":/res/TxModPage.json", .table = &kTxModTable, .columns = kColumns,
    .captions = Captions::CellByCell,
    .frequency = {.stay = {.hide = true}}, .values = kValueEditors, .lists = kListEditors,
    .commitOrder = kCommitOrder, .keying = Keying::Ptt};

TxModPage::TxModPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    Initialise();
}

} // namespace qmcal
