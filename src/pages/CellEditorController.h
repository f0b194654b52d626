#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QObject>
#include <QString>

#include "pages/PageTraits.h"

class QComboBox;
class QKeyEvent;
class QWidget;

namespace qmcal {

class CellEdit;
class GridDialog;
class UpDownControl;

// The editors a grid dialog places over its current cell, as its traits describe them, and all
// that they share: opening the current column's editor, each editor's commit into the cell and
// what the commit leaves of the editor, Escape, F2, the character filters, Enter in a list's
// open drop-down, and the commit when an editor loses the focus. The calibration pages and the
// Sql Fine dialog each own one; it sees the events of every window of its dialog.
class CellEditorController final : public QObject {
public:
    struct Hooks {
        // Enter, wherever it was pressed; focus is the widget that had the keyboard focus.
        std::function<void(QWidget* focus)> enter;
        // The frequency editor's text as the cell's; none while there is no cell to take it.
        std::function<std::optional<QString>(const QString& typed)> frequencyText;
    };

    // Takes the traits' editors from the dialog's controls and sets their limits, ranges and
    // items; an editor the template lacks is a programming error.
    CellEditorController(GridDialog& dialog, const PageTraits& traits, Hooks hooks);

    // From now on sees the events of the dialog and of every window in it.
    void Watch();

    CellEdit* FrequencyEditor() const { return m_frequency; }
    CellEdit* ValueEditor(int editorId) const
    {
        const ValueEditorParts* editor = FindValueEditor(editorId);
        return editor ? editor->edit : nullptr;
    }
    QComboBox* ListEditor(int editorId) const
    {
        const ListEditorParts* editor = FindListEditor(editorId);
        return editor ? editor->list : nullptr;
    }
    bool IsCellEditor(const QWidget* widget) const;

    // Shows the current column's editor over the current cell.
    void OpenCellEditor();
    // Every editor's commit with close = false, in the traits' commit order.
    void CommitEditors();
    // Hides every editor without a commit: what they hold is dropped.
    void DiscardEditors();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ValueEditorParts {
        const ValueEditorTraits* traits = nullptr;
        CellEdit* edit = nullptr;
        UpDownControl* upDown = nullptr;
    };
    struct ListEditorParts {
        const ListEditorTraits* traits = nullptr;
        QComboBox* list = nullptr;
        Table<const char*> items;  // those of the column it edits
    };

    const ValueEditorParts* FindValueEditor(int editorId) const;
    const ListEditorParts* FindListEditor(int editorId) const;
    void CommitFrequencyEditor(bool close);
    void CommitValueEditor(int editorId, bool close);
    void CommitListEditor(int editorId, bool close);
    // What a commit does with its editor afterwards.
    void FinishCommit(QWidget* editor, UpDownControl* upDown, bool close, const StayOpen& stay);
    // Sees every key press of the dialog's windows before the control does; true consumes it.
    bool HandleKey(QObject* target, QKeyEvent* event);
    bool CharacterPasses(QObject* target, QKeyEvent* event) const;
    // A key pressed in a list's open drop-down; true consumes it.
    bool DropDownKey(QComboBox& list, QKeyEvent* event);

    GridDialog& m_dialog;
    const PageTraits& m_traits;
    Hooks m_hooks;
    CellEdit* m_frequency = nullptr;
    std::vector<ValueEditorParts> m_values;
    std::vector<ListEditorParts> m_lists;
    std::vector<int> m_commitOrder;  // editor ids
    bool m_committing = false;  // a commit closing its editor must not run again on focus loss
};

} // namespace qmcal
