#include "pages/SqlFineDialog.h"

#include <QPushButton>

#include "data/Layouts.h"
#include "data/PageTable.h"
#include "data/ParamImage.h"
#include "link/RadioLink.h"
#include "pages/CalPageRoutines.h"
#include "widgets/CMSFlexGrid.h"
#include "widgets/CellEdit.h"
#include "widgets/UpDownControl.h"

namespace qmcal {

namespace {

constexpr int kCaptionRowTwips = 500;
constexpr int kColumns = static_cast<int>(kSqlFineColumns.size());  // band label, "W SQL", "N SQL"

constexpr ColumnTraits kOffsetColumn{.editorId = SqlFineDialog::kIdValueEditor};
constexpr std::array kColumnTraits{ColumnTraits{.widthTwips = 1500}, kOffsetColumn, kOffsetColumn};
static_assert(kColumnTraits.size() == kSqlFineColumns.size());

// Offsets are typed as decimal digits (a minus sign cannot be typed: negative values come
// from the up-down); anything that is not an offset becomes -64.
constexpr std::array kValueEditors{ValueEditorTraits{
    .id = SqlFineDialog::kIdValueEditor, .upDownId = SqlFineDialog::kIdValueSpin, .textLimit = 3,
    .minimum = kSqlFineMin, .maximum = kSqlFineMax, .text = ValueText::SignedDecimal,
    .stay = {.select = true, .focus = true}}};

} // namespace

// The grid and its one editor; F2 opens it as on the pages that have it.
const PageTraits SqlFineDialog::kTraits{
    .templatePath = ":/res/SqlFineDialog.json", .table = &kSqlFineTable, .columns = kColumnTraits,
    .values = kValueEditors, .f2OpensEditor = true};

SqlFineDialog::SqlFineDialog(ParamImage& image, RadioLink& link, QWidget* parent)
    : GridDialog(kTraits.templatePath,
                 Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint,
                 parent),
      m_image(image),
      m_link(link),
      m_editor(qobject_cast<CellEdit*>(Control(kIdValueEditor))),
      m_upDown(UpDown(kIdValueSpin)),
      m_editors(std::make_unique<CellEditorController>(
          *this, kTraits,
          CellEditorController::Hooks{[this](QWidget* focus) { EnterPressed(focus); }, {}}))
{
    setWindowTitle(QString());
    // Every step of the up-down presses Enter, so each one is stored.
    connect(m_upDown, &UpDownControl::PositionChanging, this,
            [this](int delta) { SignedSpinStep(*m_upDown, delta); });
    connect(m_upDown, &UpDownControl::PositionChanged, this, &GridDialog::PressEnterInFocus);
    connect(Grid(), &CMSFlexGrid::MousePressed, this,
            [this](int button, int, int, int) { GridMousePressed(button); });
    connect(Button(kIdRead), &QPushButton::clicked, this, &SqlFineDialog::Read);

    m_editors->Watch();

    LoadGrid();
}

void SqlFineDialog::LoadGrid()
{
    CMSFlexGrid& grid = *Grid();
    grid.SetGridRowCount(kSqlFineRows + 1);
    grid.SetGridColCount(kColumns);
    grid.SetFixedCols(1);
    grid.SetWordWrap(true);
    grid.SetRowHeight(0, kCaptionRowTwips);
    grid.SetHeaderFormat(ShownColumnCaptions(kSqlFineTable).join(QLatin1Char('|')));
    for (int c = 0; c < kColumns; ++c) {
        grid.SetColAlignment(c, CMSFlexGrid::kCenterCenter);
        grid.SetColWidth(c, kColumnTraits.at(static_cast<std::size_t>(c)).widthTwips);
    }
    for (int r = 1; r <= kSqlFineRows; ++r) {
        for (int c = 0; c < kColumns; ++c)
            grid.SetCellText(r, c, CellText(m_image, kSqlFineTable, 0, r, c));
    }
}

void SqlFineDialog::SaveGrid()
{
    m_editors->CommitEditors();
    for (int r = 1; r <= kSqlFineRows; ++r) {
        for (int c = 1; c < kColumns; ++c)
            PutCellText(m_image, kSqlFineTable, 0, r, c, Grid()->CellText(r, c));
    }
}

void SqlFineDialog::GridMousePressed(int button)
{
    // A band label is a fixed cell: a press on it leaves the current cell as it was.
    if (button == CMSFlexGrid::kLeftButton && PressHitDataCell())
        m_editors->OpenCellEditor();
}

void SqlFineDialog::StoreCurrentCell()
{
    const int row = Grid()->CurrentRow();
    const int col = Grid()->CurrentCol();
    if (row < 1 || row > kSqlFineRows || col < 1 || col >= kColumns)
        return;
    const std::uint16_t address = SqlFineAddress(row, col);
    m_link.StoreBytes(address, static_cast<std::uint16_t>(address + 1));
    m_link.LogOutcome(QStringLiteral("Sql Fine store"));
}

void SqlFineDialog::EnterPressed(QWidget* focus)
{
    SaveGrid();
    if (focus == m_editor || IsGrid(focus))
        StoreCurrentCell();
}

void SqlFineDialog::Read()
{
    if (m_link.ReadSqlFine())
        LoadGrid();
    m_link.LogOutcome(QStringLiteral("Sql Fine read"));
}

void SqlFineDialog::done(int result)
{
    SaveGrid();
    GridDialog::done(result);
}

} // namespace qmcal
