#include "widgets/CMSFlexGridAccessible.h"

#include <QWindow>

#include "widgets/CMSFlexGrid.h"

namespace qmcal {

int GridCellIndex(const CMSFlexGrid& grid, int row, int col)
{
    return row * grid.GridColCount() + col;
}

// ---- the table ----------------------------------------------------------------------------

CMSFlexGridAccessible::CMSFlexGridAccessible(CMSFlexGrid& grid) : QAccessibleWidget(&grid, QAccessible::Table) {}

CMSFlexGridAccessible::~CMSFlexGridAccessible()
{
    DropCells(true);
}

CMSFlexGrid* CMSFlexGridAccessible::Grid() const
{
    return static_cast<CMSFlexGrid*>(widget());
}

void CMSFlexGridAccessible::DropCells(bool all)
{
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        const auto [row, col] = it->first;
        if (all || row >= Grid()->GridRowCount() || col >= Grid()->GridColCount()) {
            QAccessible::deleteAccessibleInterface(it->second);
            it = m_cells.erase(it);
        } else {
            ++it;
        }
    }
}

void CMSFlexGridAccessible::modelChange(QAccessibleTableModelChangeEvent*)
{
    DropCells(false);
}

QAccessibleInterface* CMSFlexGridAccessible::GridCell(int row, int col) const
{
    CMSFlexGrid* grid = Grid();
    if (row < 0 || row >= grid->GridRowCount() || col < 0 || col >= grid->GridColCount())
        return nullptr;
    // Cells outlive a change of shape only where they still lie inside the grid.
    const_cast<CMSFlexGridAccessible*>(this)->DropCells(false);
    const auto key = std::make_pair(row, col);
    if (const auto it = m_cells.find(key); it != m_cells.end()) {
        if (QAccessibleInterface* cell = QAccessible::accessibleInterface(it->second))
            return cell;
    }
    auto* cell = new GridCellAccessible(*grid, row, col);
    m_cells[key] = QAccessible::registerAccessibleInterface(cell);
    return cell;
}

void* CMSFlexGridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int CMSFlexGridAccessible::childCount() const
{
    return Grid()->GridRowCount() * Grid()->GridColCount();
}

QAccessibleInterface* CMSFlexGridAccessible::child(int index) const
{
    const int cols = Grid()->GridColCount();
    if (index < 0 || index >= childCount() || cols == 0)
        return nullptr;
    return GridCell(index / cols, index % cols);
}

int CMSFlexGridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = dynamic_cast<const GridCellAccessible*>(child);
    if (cell == nullptr || !cell->isValid() || cell->table() != this)
        return -1;
    return GridCellIndex(*Grid(), cell->GridRow(), cell->GridCol());
}

QAccessibleInterface* CMSFlexGridAccessible::childAt(int x, int y) const
{
    const QPoint cell = Grid()->CellAt(Grid()->viewport()->mapFromGlobal(QPoint(x, y)));
    return cell.x() < 0 ? nullptr : GridCell(cell.y(), cell.x());
}

QAccessibleInterface* CMSFlexGridAccessible::focusChild() const
{
    QAccessibleInterface* current = GridCell(Grid()->CurrentRow(), Grid()->CurrentCol());
    if (current == nullptr)
        return nullptr;
    if (current->childCount() > 0 && current->child(0)->state().focused)
        return current->child(0);
    return Grid()->hasFocus() ? current : nullptr;
}

QAccessibleInterface* CMSFlexGridAccessible::cellAt(int row, int column) const
{
    return GridCell(row + 1, column);
}

int CMSFlexGridAccessible::selectedCellCount() const
{
    return static_cast<int>(selectedCells().size());
}

QList<QAccessibleInterface*> CMSFlexGridAccessible::selectedCells() const
{
    if (QAccessibleInterface* current = GridCell(Grid()->CurrentRow(), Grid()->CurrentCol()))
        return {current};
    return {};
}

QString CMSFlexGridAccessible::columnDescription(int column) const
{
    return Grid()->CellText(0, column);
}

QString CMSFlexGridAccessible::rowDescription(int row) const
{
    // The fixed columns label a row (the Sql Fine dialog's bands).
    QStringList labels;
    for (int c = 0; c < Grid()->FixedCols(); ++c)
        labels << Grid()->CellText(row + 1, c);
    return labels.join(QLatin1Char(' '));
}

int CMSFlexGridAccessible::columnCount() const
{
    return Grid()->GridColCount();
}

int CMSFlexGridAccessible::rowCount() const
{
    return std::max(0, Grid()->GridRowCount() - 1);
}

// ---- a cell -------------------------------------------------------------------------------

GridCellAccessible::GridCellAccessible(CMSFlexGrid& grid, int row, int col) : m_grid(&grid), m_row(row), m_col(col) {}

bool GridCellAccessible::isValid() const
{
    return !m_grid.isNull() && m_row < m_grid->GridRowCount() && m_col < m_grid->GridColCount();
}

QWindow* GridCellAccessible::window() const
{
    return m_grid ? m_grid->window()->windowHandle() : nullptr;
}

bool GridCellAccessible::IsCurrent() const
{
    return m_grid && m_grid->CurrentRow() == m_row && m_grid->CurrentCol() == m_col;
}

QWidget* GridCellAccessible::Editor() const
{
    if (!IsCurrent())
        return nullptr;
    QWidget* editor = m_grid->CellEditor();
    return editor != nullptr && editor->isVisible() ? editor : nullptr;
}

QAccessibleInterface* GridCellAccessible::childAt(int x, int y) const
{
    QAccessibleInterface* editor = child(0);
    return editor != nullptr && editor->rect().contains(x, y) ? editor : nullptr;
}

QAccessibleInterface* GridCellAccessible::parent() const
{
    return table();
}

QAccessibleInterface* GridCellAccessible::table() const
{
    return m_grid ? QAccessible::queryAccessibleInterface(m_grid.data()) : nullptr;
}

QAccessibleInterface* GridCellAccessible::child(int index) const
{
    QWidget* editor = Editor();
    return index == 0 && editor != nullptr ? QAccessible::queryAccessibleInterface(editor) : nullptr;
}

int GridCellAccessible::childCount() const
{
    return Editor() != nullptr ? 1 : 0;
}

int GridCellAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    QWidget* editor = Editor();
    return editor != nullptr && child != nullptr && child->object() == editor ? 0 : -1;
}

QString GridCellAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    switch (t) {
    case QAccessible::Name:
    case QAccessible::Value:
        return m_grid->CellText(m_row, m_col);
    default:
        return {};
    }
}

QRect GridCellAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect cell = m_grid->CellRect(m_row, m_col);
    return QRect(m_grid->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::Role GridCellAccessible::role() const
{
    return m_row == 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
}

QAccessible::State GridCellAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const bool fixed = m_row < m_grid->FixedRows() || m_col < m_grid->FixedCols();
    const QRect cell = m_grid->CellRect(m_row, m_col);
    if (!m_grid->isVisible())
        state.invisible = true;
    if (!m_grid->viewport()->rect().intersects(cell))
        state.offscreen = true;
    if (!fixed) {
        state.focusable = true;
        state.selectable = true;
        state.selected = IsCurrent();
        state.focused = IsCurrent() && m_grid->hasFocus();
    }
    state.readOnly = true;  // typed into the editor over it, never into the cell
    return state;
}

void* GridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    // A caption is a header, not a cell of the table's rows.
    if (type == QAccessible::TableCellInterface && m_row > 0)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

bool GridCellAccessible::isSelected() const
{
    return IsCurrent();
}

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const
{
    auto* grid = dynamic_cast<CMSFlexGridAccessible*>(table());
    if (grid == nullptr)
        return {};
    QAccessibleInterface* header = grid->GridCell(0, m_col);
    return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

QList<QAccessibleInterface*> GridCellAccessible::rowHeaderCells() const
{
    auto* grid = dynamic_cast<CMSFlexGridAccessible*>(table());
    QList<QAccessibleInterface*> headers;
    for (int c = 0; grid != nullptr && c < m_grid->FixedCols() && c != m_col; ++c)
        headers << grid->GridCell(m_row, c);
    return headers;
}

} // namespace qmcal
