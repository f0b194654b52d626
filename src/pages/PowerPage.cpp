#include "pages/PowerPage.h"

#include <algorithm>

#include "link/RadioLink.h"

namespace qmcal {

namespace {

// A level of 0 is not accepted: bad input becomes 1.
constexpr ValueEditorTraits kLevel{.id = 1028, .upDownId = 1039, .textLimit = 2, .minimum = 1, .maximum = 0xFF,
                                   .stay = {.select = true, .focus = true}};

constexpr std::array kColumns{kFrequencyColumnTraits, EditedWith(kLevel), EditedWith(kLevel), EditedWith(kLevel),
                              EditedWith(kLevel)};
constexpr std::array kValueEditors{kLevel};

} // namespace

const PageTraits PowerPage::kTraits{
    .templatePath = ":/res/PowerPage.json", .table = &kPowerTable, .columns = kColumns,
    .frequency = {.writeBack = false, .stay = {.focus = true}}, .values = kValueEditors,
    .rightPressFocusesGrid = true, .f2OpensEditor = true, .keying = Keying::Ptt};

PowerPage::PowerPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    Initialise();
}

// With the frequency column selected the row's "Low" level goes with the frequency.
bool PowerPage::BeforeKey(int row, int col)
{
    if (!SaveAndTune(row))
        return false;
    SendField(row, std::max(col, 1));
    return true;
}

} // namespace qmcal
