#include "pages/PowerPage.h"

#include <algorithm>

#include <QPushButton>

#include "link/RadioLink.h"
#include "widgets/CMSFlexGrid.h"

namespace qmcal {

namespace {

constexpr int kLevelEditor = 1028;
constexpr int kLevelSpin = 1039;

constexpr ColumnTraits kLevelColumn{.editorId = kLevelEditor};
constexpr std::array kColumns{kFrequencyColumnTraits, kLevelColumn, kLevelColumn, kLevelColumn, kLevelColumn};

// A level of 0 is not accepted: bad input becomes 1.
constexpr std::array kValueEditors{ValueEditorTraits{
    .id = kLevelEditor, .upDownId = kLevelSpin, .textLimit = 2, .minimum = 1, .maximum = 0xFF,
    .stay = {.select = true, .focus = true}}};

} // namespace

const PageTraits PowerPage::kTraits{
    .templatePath = ":/res/PowerPage.json", .table = &kPowerTable, .columns = kColumns,
    .frequency = {.writeBack = false, .stay = {.focus = true}}, .values = kValueEditors,
    .rightPressFocusesGrid = true, .f2OpensEditor = true};

PowerPage::PowerPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    connect(Button(kIdPttStart), &QPushButton::clicked, this, &PowerPage::PttStart);
    connect(Button(kIdPttEnd), &QPushButton::clicked, this, &PowerPage::PttEnd);
    Initialise();
}

// With the frequency column selected the row's "Low" level goes with the frequency.
void PowerPage::PttStart()
{
    const int row = Grid()->CurrentRow();
    const int col = std::max(Grid()->CurrentCol(), 1);
    if (!SaveAndTune(row))
        return;
    SendField(row, col);
    Link().PttStart(Code());
}

void PowerPage::PttEnd()
{
    Link().PttEnd(Code());
}

} // namespace qmcal
