#include "pages/SqlFineDialog.h"

#include <QApplication>
#include <QKeyEvent>
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
constexpr std::array<int, kColumns> kColumnTwips{1500, 1000, 1000};

} // namespace

// Offsets are typed as decimal digits (a minus sign cannot be typed: negative values come
// from the up-down); anything that is not an offset becomes -64.
const ValueEditorTraits SqlFineDialog::kValueEditor{
    .id = kIdValueEditor, .upDownId = kIdValueSpin, .textLimit = 3, .minimum = kSqlFineMin,
    .maximum = kSqlFineMax, .text = ValueText::SignedDecimal, .stay = {.select = true, .focus = true}};

SqlFineDialog::SqlFineDialog(ParamImage& image, RadioLink& link, QWidget* parent)
    : GridDialog(":/res/SqlFineDialog.json",
                 Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint,
                 parent),
      m_image(image),
      m_link(link),
      m_editor(qobject_cast<CellEdit*>(Control(kIdValueEditor))),
      m_upDown(UpDown(kIdValueSpin))
{
    setWindowTitle(QString());
    m_editor->SetTextLimit(kValueEditor.textLimit);
    m_upDown->SetRange(kValueEditor.spinLow, kValueEditor.spinHigh);
    // Every step of the up-down presses Enter, so each one is stored.
    connect(m_upDown, &UpDownControl::PositionChanging, this,
            [this](int delta) { SignedSpinStep(*m_upDown, delta); });
    connect(m_upDown, &UpDownControl::PositionChanged, this, &GridDialog::PressEnterInFocus);
    connect(Grid(), &CMSFlexGrid::MousePressed, this,
            [this](int button, int, int, int) { GridMousePressed(button); });
    connect(Button(kIdRead), &QPushButton::clicked, this, &SqlFineDialog::Read);

    installEventFilter(this);
    for (QWidget* widget : findChildren<QWidget*>())
        widget->installEventFilter(this);

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
    grid.SetHeaderFormat(ColumnCaptions(kSqlFineTable).join(QLatin1Char('|')));
    for (int c = 0; c < kColumns; ++c) {
        grid.SetColAlignment(c, CMSFlexGrid::kCenterCenter);
        grid.SetColWidth(c, kColumnTwips.at(static_cast<std::size_t>(c)));
    }
    for (int r = 1; r <= kSqlFineRows; ++r) {
        for (int c = 0; c < kColumns; ++c)
            grid.SetCellText(r, c, CellText(m_image, kSqlFineTable, 0, r, c));
    }
}

void SqlFineDialog::SaveGrid()
{
    CommitValueEditor(false);
    for (int r = 1; r <= kSqlFineRows; ++r) {
        for (int c = 1; c < kColumns; ++c)
            PutCellText(m_image, kSqlFineTable, 0, r, c, Grid()->CellText(r, c));
    }
}

void SqlFineDialog::CommitValueEditor(bool close)
{
    if (m_editor->isHidden() || m_committing)
        return;
    m_committing = true;
    Grid()->SetCurrentCellText(CheckValueText(m_editor->text(), kValueEditor).cellText);
    if (close) {
        HideEditor(m_editor, m_upDown);
    } else {
        m_editor->selectAll();
        m_editor->setFocus(Qt::OtherFocusReason);
    }
    m_committing = false;
}

void SqlFineDialog::OpenCellEditor()
{
    ShowCellEditor(*m_editor, m_upDown);
}

void SqlFineDialog::GridMousePressed(int button)
{
    // A band label is a fixed cell: a press on it leaves the current cell as it was.
    if (button == CMSFlexGrid::kLeftButton && PressHitDataCell())
        OpenCellEditor();
}

void SqlFineDialog::StoreCurrentCell()
{
    const int row = Grid()->CurrentRow();
    const int col = Grid()->CurrentCol();
    if (row < 1 || row > kSqlFineRows || col < 1 || col >= kColumns)
        return;
    const std::uint16_t address = SqlFineAddress(row, col);
    m_link.StoreBytes(address, static_cast<std::uint16_t>(address + 1));
}

bool SqlFineDialog::HandleKey(QObject* target, QKeyEvent* event)
{
    QWidget* focus = QApplication::focusWidget();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SaveGrid();
        if (focus == m_editor || IsGrid(focus))
            StoreCurrentCell();
        return true;
    case Qt::Key_Escape:
        if (focus == m_editor)
            Grid()->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_F2:
        if (IsGrid(focus))
            OpenCellEditor();
        return true;
    default:
        return target == m_editor && !CharacterAllowed(*event, kValueEditor.filter);
    }
}

void SqlFineDialog::Read()
{
    if (m_link.ReadSqlFine())
        LoadGrid();
}

void SqlFineDialog::done(int result)
{
    SaveGrid();
    GridDialog::done(result);
}

bool SqlFineDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        return HandleKey(watched, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusOut && watched == m_editor)
        CommitValueEditor(true);
    return false;
}

} // namespace qmcal
