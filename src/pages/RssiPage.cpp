#include "pages/RssiPage.h"

namespace qmcal {

namespace {

constexpr int kValueEditor = 1077;
constexpr int kValueSpin = 1078;

constexpr ColumnTraits kValueColumn{.editorId = kValueEditor};
constexpr std::array kColumns{kFrequencyColumnTraits, kValueColumn, kValueColumn};

// Both commits always close their editor.
constexpr std::array kValueEditors{ValueEditorTraits{
    .id = kValueEditor, .upDownId = kValueSpin, .textLimit = 4, .maximum = 0x3FFF, .stay = {.hide = true}}};

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
