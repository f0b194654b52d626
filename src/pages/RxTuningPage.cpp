#include "pages/RxTuningPage.h"

#include <algorithm>

#include <QPushButton>

#include "link/RadioLink.h"
#include "widgets/CMSFlexGrid.h"

namespace qmcal {

namespace {

constexpr int kAdjustEditor = 1067;
constexpr int kAdjustSpin = 1068;

constexpr std::array kColumns{kFrequencyColumnTraits, ColumnTraits{.editorId = kAdjustEditor}};

constexpr std::array kValueEditors{ValueEditorTraits{
    .id = kAdjustEditor, .upDownId = kAdjustSpin, .textLimit = 3, .maximum = 0x3FF,
    .fallbackIntoEditor = true, .stay = {.select = true, .focus = true}}};

} // namespace

const PageTraits RxTuningPage::kTraits{
    .templatePath = ":/res/RxTuningPage.json", .table = &kRxTuningTable, .columns = kColumns,
    .frequency = {.stay = {.select = true, .focus = true}}, .values = kValueEditors,};

RxTuningPage::RxTuningPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    connect(Button(kIdTest), &QPushButton::clicked, this, &RxTuningPage::Test);
    connect(Button(kIdEnd), &QPushButton::clicked, this, &RxTuningPage::End);
    Initialise();
}

// Sends all four commands whatever their results; the link reports each failure.
void RxTuningPage::Test()
{
    const int row = Grid()->CurrentRow();
    const int col = std::max(Grid()->CurrentCol(), 1);
    SaveAndTune(row);
    const bool rightHalf = Slot() == kSlot150MR || Slot() == kSlot450MR;
    Link().SetFlag(Code(), rightHalf ? 1 : 0);
    SendField(row, col);
    Link().TestStart(Code());
}

void RxTuningPage::End()
{
    Link().TestEnd(Code());
}

} // namespace qmcal
