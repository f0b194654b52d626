#include "pages/SqlPage.h"

namespace qmcal {

namespace {

// Both commits always close their editor.
constexpr ValueEditorTraits kLevel{.id = 1170, .upDownId = 1171, .textLimit = 4, .maximum = 0x3FFF,
                                   .stay = {.hide = true}};

constexpr std::array kColumns{kFrequencyColumnTraits, EditedWith(kLevel), EditedWith(kLevel), EditedWith(kLevel),
                              EditedWith(kLevel)};
constexpr std::array kValueEditors{kLevel};

// The radio's W setting for the W columns, N for the N columns.
constexpr std::uint8_t kModeW = 0x00;
constexpr std::uint8_t kModeN = 0xFF;
//                                                  Freq   W SQL1 W SQL9 N SQL1 N SQL9
constexpr std::array<std::uint8_t, 5> kModeOfColumn{kModeW, kModeW, kModeW, kModeN, kModeN};

} // namespace

const PageTraits SqlPage::kTraits{
    .templatePath = ":/res/SqlPage.json", .table = &kSqlTable, .columns = kColumns,
    .frequency = {.writeBack = false, .stay = {.hide = true}}, .values = kValueEditors, .spinReleaseEnter = false};

const AutoMeasureTraits SqlPage::kMeasure{
    .measureSub = 0x21, .fallbackOdd = 0x3A2, .fallbackEven = 0xBA, .modeOfColumn = kModeOfColumn};

SqlPage::SqlPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : AutoMeasurePage(kTraits, kMeasure, image, link, parent)
{
    Initialise();
}

} // namespace qmcal
