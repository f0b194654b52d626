#include "pages/RssiPage.h"

namespace qmcal {

namespace {

// Both commits always close their editor.
constexpr ValueEditorTraits kReading{.id = 1077, .upDownId = 1078, .textLimit = 4, .maximum = 0x3FFF,
                                     .stay = {.hide = true}};

constexpr std::array kColumns{kFrequencyColumnTraits, EditedWith(kReading), EditedWith(kReading)};
constexpr std::array kValueEditors{kReading};

} // namespace

const PageTraits RssiPage::kTraits{
    .templatePath = ":/res/RssiPage.json", .table = &kRssiTable, .columns = kColumns,
    .frequency = {.writeBack = false, .stay = {.hide = true}}, .values = kValueEditors, .spinReleaseEnter = false};

const AutoMeasureTraits RssiPage::kMeasure{.measureSub = 0x22, .fallbackOdd = 0x174, .fallbackEven = 0x22E};

RssiPage::RssiPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : AutoMeasurePage(kTraits, kMeasure, image, link, parent)
{
    Initialise();
}

} // namespace qmcal
