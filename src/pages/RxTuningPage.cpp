#include "pages/RxTuningPage.h"

#include <algorithm>

#include "link/RadioLink.h"

namespace qmcal {

namespace {

constexpr ValueEditorTraits kAdjust{.id = 1067, .upDownId = 1068, .textLimit = 3, .maximum = 0x3FF,
                                    .fallbackIntoEditor = true, .stay = {.select = true, .focus = true}};

constexpr std::array kColumns{kFrequencyColumnTraits, EditedWith(kAdjust)};
constexpr std::array kValueEditors{kAdjust};

} // namespace

const PageTraits RxTuningPage::kTraits{
    .templatePath = ":/res/RxTuningPage.json", .table = &kRxTuningTable, .columns = kColumns,
    .frequency = {.stay = {.select = true, .focus = true}}, .values = kValueEditors,
    .keying = Keying::Test};

RxTuningPage::RxTuningPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    Initialise();
}

// Sends all four commands whatever their results; the link reports each failure.
bool RxTuningPage::BeforeKey(int row, int col)
{
    SaveAndTune(row);
    const bool rightHalf = Slot() == kSlot150MR || Slot() == kSlot450MR;
    Link().SetFlag(Code(), rightHalf ? 1 : 0);
    SendField(row, std::max(col, 1));
    return true;
}

} // namespace qmcal
