#include "pages/RxTestPage.h"

#include <QPushButton>

#include "link/RadioLink.h"
#include "widgets/CMSFlexGrid.h"

namespace qmcal {

namespace {

constexpr int kFineEditor = 1075;
constexpr int kFineSpin = 1076;
constexpr int kDiscGainList = 1072;
constexpr int kAudioGainList = 1073;

constexpr ColumnTraits kFineColumn{.editorId = kFineEditor};
constexpr std::array kColumns{kFrequencyColumnTraits, ColumnTraits{.editorId = kDiscGainList},
                              ColumnTraits{.editorId = kAudioGainList}, kFineColumn, kFineColumn};

constexpr std::array kValueEditors{ValueEditorTraits{
    .id = kFineEditor, .upDownId = kFineSpin, .textLimit = 4, .maximum = 0x2A73,
    .fallbackIntoEditor = true, .stay = kSelectInPlace}};

constexpr std::array kListEditors{ListEditorTraits{.id = kDiscGainList}, ListEditorTraits{.id = kAudioGainList}};

} // namespace

const PageTraits RxTestPage::kTraits{
    .templatePath = ":/res/RxTestPage.json", .table = &kRxTestTable, .columns = kColumns,
    .captions = Captions::CellByCell,
    .frequency = {.stay = kSelectInPlace}, .values = kValueEditors, .lists = kListEditors};

RxTestPage::RxTestPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    connect(Button(kIdTest), &QPushButton::clicked, this, &RxTestPage::Test);
    connect(Button(kIdEnd), &QPushButton::clicked, this, &RxTestPage::End);
    Initialise();
}

// Both gains, then both fine values: the record's layout order.
void RxTestPage::Test()
{
    const int row = Grid()->CurrentRow();
    if (!SaveAndTune(row))
        return;
    SendRecord(row);
    Link().TestStart(Code());
}

void RxTestPage::End()
{
    Link().TestEnd(Code());
}

} // namespace qmcal
