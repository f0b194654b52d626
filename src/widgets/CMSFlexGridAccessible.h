#pragma once

#include <map>
#include <utility>

#include <QAccessibleWidget>
#include <QPointer>

namespace qmcal {

class CMSFlexGrid;

// The child index of a grid cell: row by row, the caption row first.
int GridCellIndex(const CMSFlexGrid& grid, int row, int col);

// The grid as a table a screen reader can walk: rows below the caption row, columns with the
// captions as their headers, one child per cell (captions included) carrying the cell's text.
// The editor a page has placed over the current cell is that cell's child.
class CMSFlexGridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit CMSFlexGridAccessible(CMSFlexGrid& grid);
    ~CMSFlexGridAccessible() override;

    CMSFlexGrid* Grid() const;
    // The child of a grid cell (row 0: a caption), made on first use.
    QAccessibleInterface* GridCell(int row, int col) const;

    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    // Only the current cell is ever selected; it moves with the keys, not by a reader.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    void DropCells(bool all);

    mutable std::map<std::pair<int, int>, QAccessible::Id> m_cells;  // (row, col) -> cached child
};

// One cell of the grid; a caption is a column header.
class GridCellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCellAccessible(CMSFlexGrid& grid, int row, int col);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return m_col; }
    int rowIndex() const override { return m_row - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

    int GridRow() const { return m_row; }
    int GridCol() const { return m_col; }

private:
    bool IsCurrent() const;
    QWidget* Editor() const;  // the open editor over this cell, or nullptr

    QPointer<CMSFlexGrid> m_grid;
    int m_row;
    int m_col;
};

} // namespace qmcal
