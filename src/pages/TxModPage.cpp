#include "pages/TxModPage.h"

#include <QPushButton>

#include "link/RadioLink.h"
#include "widgets/CMSFlexGrid.h"

namespace qmcal {

namespace {

constexpr int kFineEditor = 1075;
constexpr int kFineSpin = 1076;
constexpr int kLimitEditor = 1071;
constexpr int kLimitSpin = 1074;
constexpr int kMicGainList = 1072;
constexpr int kModGainList = 1073;

constexpr ColumnTraits kFineColumn{.editorId = kFineEditor};
constexpr std::array kColumns{kFrequencyColumnTraits, ColumnTraits{.editorId = kMicGainList},
                              ColumnTraits{.editorId = kModGainList}, kFineColumn, kFineColumn,
                              ColumnTraits{.editorId = kLimitEditor}};

constexpr std::array kValueEditors{
    ValueEditorTraits{.id = kFineEditor, .upDownId = kFineSpin, .textLimit = 4, .maximum = 0x2A73,
                      .fallbackIntoEditor = true, .stay = kSelectInPlace},
    // Without the upper-case style: a to f stay as typed until the grid is loaded again.
    ValueEditorTraits{.id = kLimitEditor, .upDownId = kLimitSpin, .textLimit = 4, .maximum = 0x3FFF,
                      .fallbackIntoEditor = true, .stay = kSelectInPlace},
};

constexpr std::array kListEditors{ListEditorTraits{.id = kMicGainList}, ListEditorTraits{.id = kModGainList}};

constexpr std::array kCommitOrder{kIdFrequencyEditor, kMicGainList, kModGainList, kLimitEditor, kFineEditor};

} // namespace

// The frequency editor closes even on Enter.
const PageTraits TxModPage::kTraits{
    .templatePath = ":/res/TxModPage.json", .table = &kTxModTable, .columns = kColumns,
    .captions = Captions::CellByCell,
    .frequency = {.stay = {.hide = true}}, .values = kValueEditors, .lists = kListEditors,
    .commitOrder = kCommitOrder};

TxModPage::TxModPage(ParamImage& image, RadioLink& link, QWidget* parent)
    : CalPage(kTraits, image, link, parent)
{
    connect(Button(kIdPttStart), &QPushButton::clicked, this, &TxModPage::PttStart);
    connect(Button(kIdPttEnd), &QPushButton::clicked, this, &TxModPage::PttEnd);
    Initialise();
}

// All five settings of the row go, whatever column is selected.
void TxModPage::PttStart()
{
    const int row = Grid()->CurrentRow();
    if (!SaveAndTune(row))
        return;
    SendRecord(row);
    Link().PttStart(Code());
}

void TxModPage::PttEnd()
{
    Link().PttEnd(Code());
}

} // namespace qmcal
