#pragma once

#include <map>

#include <QDialog>
#include <QString>

#include "pages/PageTraits.h"

class QKeyEvent;
class QPushButton;

namespace qmcal {

class CMSFlexGrid;
class CellEdit;
class UpDownControl;
struct DialogTemplate;

// A dialog whose controls come from a dialog template and whose values are edited in a grid:
// an edit (with its up-down) placed over the current cell, up-downs that step their buddy and
// the current cell shown red; its CellEditorController does the rest of the editing. The
// calibration pages and the Sql Fine dialog are built on it.
class GridDialog : public QDialog {
    Q_OBJECT

public:
    ~GridDialog() override;

    CMSFlexGrid* Grid() const { return m_grid; }
    QWidget* Control(int id) const;
    QPushButton* Button(int id) const;
    UpDownControl* UpDown(int upDownId) const;

    // The template's size: what the dialog needs to show all of its controls.
    QSize sizeHint() const override { return m_templateSize; }

    // ---- shared routines ----------------------------------------------------------------
    // Up-down "position about to change" of a hexadecimal buddy: rewrites the buddy, wrapping
    // through the control's range.
    static void SpinStep(UpDownControl& control, int delta);
    // The same for a signed decimal buddy.
    static void SignedSpinStep(UpDownControl& control, int delta);
    // The spin-release Enter: once control returns to the event loop, an Enter press and
    // release go to whichever widget has the keyboard focus then.
    static void PressEnterInFocus();

    // ---- the editors over the grid (CellEditorController) ---------------------------------
    // Shows edit over the current cell with the cell's text, focused and all selected; an
    // up-down takes the edit as its buddy and shows beside it.
    void ShowCellEditor(CellEdit& edit, UpDownControl* upDown);
    // The rectangle of an editor over the current cell, in this dialog's coordinates.
    QRect CurrentCellEditorRect() const;
    // Hides an editor; a focused one hands the focus to the grid.
    void HideEditor(QWidget* editor, UpDownControl* upDown);
    // The grid or one of its inner windows.
    bool IsGrid(const QWidget* widget) const;

protected:
    // Builds the template's controls (resource path) as children, with the grid, cell edits
    // and up-downs of the pages; a template without a grid is a programming error.
    GridDialog(const char* templatePath, Qt::WindowFlags flags, QWidget* parent);

    // Whether the last mouse press on the grid hit a data cell: neither the caption row, nor a
    // fixed cell, nor the grey area beyond the cells. Only such a press opens an editor.
    bool PressHitDataCell() const;

    void keyPressEvent(QKeyEvent* event) override;

private:
    void OrderFocusByReading(const DialogTemplate& dialog);

    std::map<int, QWidget*> m_controls;
    CMSFlexGrid* m_grid = nullptr;
    QSize m_templateSize;
};

} // namespace qmcal
