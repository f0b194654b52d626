#include "pages/CellEditorController.h"

#include <cctype>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QScopedValueRollback>

#include "data/FreqWord.h"
#include "pages/GridDialog.h"
#include "widgets/CMSFlexGrid.h"
#include "widgets/CellEdit.h"
#include "widgets/UpDownControl.h"

namespace qmcal {

namespace {

constexpr int kFrequencyTextLimit = 9;
constexpr char16_t kBackspace = 8;
const char* const kFrequencyChars = "1234567890.\b";

// The character a key press types, as the platform's character message would carry it, or 0
// for a key that types none (arrows, Delete, Tab, ...).
char16_t CharacterOf(const QKeyEvent& event)
{
    const int key = event.key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete
        || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
        return 0;
    if (key == Qt::Key_Backspace)
        return kBackspace;
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<char16_t>(key - Qt::Key_A + 1);
    const QString text = event.text();
    if (text.isEmpty())
        return 0;
    const char16_t c = text.at(0).unicode();
    return c < 0x20 || c == 0x7F ? 0 : c;
}

bool Allowed(char16_t c, CharFilter filter)
{
    if (filter == CharFilter::None)
        return true;
    if (c > 0xFF)
        return false;
    const int upper = std::toupper(static_cast<unsigned char>(c));
    if (filter == CharFilter::Hex)
        return c == kBackspace || std::isxdigit(upper) != 0;
    return std::strchr(kFrequencyChars, upper) != nullptr;
}

QString ValueToText(int value, ValueText text)
{
    return text == ValueText::Hex ? FormatHex(static_cast<std::uint32_t>(value))
                                  : QString::number(value);
}

std::optional<std::int64_t> ParseValue(const QString& text, ValueText kind)
{
    if (kind == ValueText::Hex) {
        if (const auto v = ScanHex(text))
            return static_cast<std::int32_t>(*v);
        return std::nullopt;
    }
    if (const auto v = ScanDecimal(text))
        return *v;
    return std::nullopt;
}

// What a value editor's commit puts into the cell: the text as typed when it is a number within
// the editor's accepted range (a leading zero stays), else the fallback.
struct CheckedValue {
    QString cellText;
    bool outOfRange = false;  // a number, but outside the range
};

CheckedValue CheckValueText(const QString& typed, const ValueEditorTraits& traits)
{
    const auto value = ParseValue(typed, traits.text);
    if (!value)
        return {ValueToText(traits.fallback, traits.text), false};
    if (*value < traits.minimum || *value > traits.maximum)
        return {ValueToText(traits.fallback, traits.text), true};
    return {typed, false};
}

constexpr char16_t kCtrlC = 3;
constexpr char16_t kCtrlV = 22;
constexpr char16_t kCtrlX = 24;

// Whether a key press may reach an editor with this filter: keys that type no character,
// Ctrl+C, Ctrl+V and Ctrl+X always pass.
bool CharacterAllowed(const QKeyEvent& event, CharFilter filter)
{
    const char16_t c = CharacterOf(event);
    if (c == 0 || c == kCtrlC || c == kCtrlV || c == kCtrlX)
        return true;
    return Allowed(c, filter);
}

// Whether object lies in the list's drop-down: a window of its own that Qt makes on first use.
bool InDropDown(const QComboBox& list, const QObject* object)
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget != nullptr && widget->window() == list.view()->window() && widget->window() != list.window();
}

} // namespace

CellEditorController::CellEditorController(GridDialog& dialog, const PageTraits& traits, Hooks hooks)
    : m_dialog(dialog), m_traits(traits), m_hooks(std::move(hooks))
{
    const std::string path = traits.templatePath;
    m_frequency = qobject_cast<CellEdit*>(dialog.Control(kIdFrequencyEditor));
    if (m_frequency != nullptr) {
        if (!m_hooks.frequencyText)
            throw std::logic_error(path + ": frequency editor without its text");
        m_frequency->SetTextLimit(kFrequencyTextLimit);
    }
    for (const ValueEditorTraits& value : traits.values) {
        ValueEditorParts editor{&value, qobject_cast<CellEdit*>(dialog.Control(value.id)), dialog.UpDown(value.upDownId)};
        if (editor.edit == nullptr || editor.upDown == nullptr)
            throw std::logic_error(path + ": value editor without its controls");
        editor.edit->SetTextLimit(value.textLimit);
        editor.upDown->SetRange(value.spinLow, value.spinHigh);
        editor.upDown->SetBase(value.text == ValueText::Hex ? 16 : 10);
        m_values.push_back(editor);
    }
    for (const ListEditorTraits& list : traits.lists) {
        ListEditorParts editor{&list, qobject_cast<QComboBox*>(dialog.Control(list.id)), {}};
        for (std::size_t c = 0; c < traits.columns.size(); ++c) {
            if (traits.columns[c].editorId == list.id && editor.items.size() == 0)
                editor.items = traits.table->columns[c].items;
        }
        if (editor.list == nullptr || editor.items.size() == 0)
            throw std::logic_error(path + ": list editor missing or without a column");
        editor.list->clear();
        for (const char* item : editor.items)
            editor.list->addItem(ShownText(item));
        m_lists.push_back(editor);
    }
    m_commitOrder.assign(traits.commitOrder.begin(), traits.commitOrder.end());
    if (m_commitOrder.empty()) {
        m_commitOrder.push_back(kIdFrequencyEditor);
        for (const ListEditorTraits& list : traits.lists)
            m_commitOrder.push_back(list.id);
        for (const ValueEditorTraits& value : traits.values)
            m_commitOrder.push_back(value.id);
    }
}

void CellEditorController::Watch()
{
    m_dialog.installEventFilter(this);
    for (QWidget* widget : m_dialog.findChildren<QWidget*>())
        widget->installEventFilter(this);
    // Enter in an open drop-down is pressed in the drop-down's own window.
    for (const ListEditorParts& list : m_lists)
        list.list->view()->installEventFilter(this);
}

// ---- the editors ----------------------------------------------------------------------------

const CellEditorController::ValueEditorParts* CellEditorController::FindValueEditor(int editorId) const
{
    for (const ValueEditorParts& editor : m_values) {
        if (editor.traits->id == editorId)
            return &editor;
    }
    return nullptr;
}

const CellEditorController::ListEditorParts* CellEditorController::FindListEditor(int editorId) const
{
    for (const ListEditorParts& editor : m_lists) {
        if (editor.traits->id == editorId)
            return &editor;
    }
    return nullptr;
}

bool CellEditorController::IsCellEditor(const QWidget* widget) const
{
    if (widget == nullptr)
        return false;
    if (widget == m_frequency)
        return true;
    for (const ValueEditorParts& editor : m_values) {
        if (widget == editor.edit)
            return true;
    }
    for (const ListEditorParts& editor : m_lists) {
        if (widget == editor.list || editor.list->isAncestorOf(widget))
            return true;
    }
    return false;
}

void CellEditorController::OpenCellEditor()
{
    const CMSFlexGrid& grid = *m_dialog.Grid();
    const int row = grid.CurrentRow();
    const int col = grid.CurrentCol();
    if (col < 0 || static_cast<std::size_t>(col) >= m_traits.columns.size())
        return;
    const int editorId = m_traits.columns[static_cast<std::size_t>(col)].editorId;

    if (const ListEditorParts* list = FindListEditor(editorId)) {
        list->list->setGeometry(m_dialog.CurrentCellEditorRect());
        m_dialog.Grid()->SetCellEditor(list->list);
        list->list->show();
        list->list->raise();
        // The cells hold the items as written; the list shows them translated.
        const int index = FirstItemStartingWith(list->items, grid.CellText(row, col));
        if (index >= 0)
            list->list->setCurrentIndex(index);
        list->list->setFocus(Qt::OtherFocusReason);
        return;
    }
    CellEdit* edit = nullptr;
    UpDownControl* upDown = nullptr;
    if (editorId == kIdFrequencyEditor) {
        edit = m_frequency;
    } else if (const ValueEditorParts* value = FindValueEditor(editorId)) {
        edit = value->edit;
        upDown = value->upDown;
    }
    if (edit != nullptr)
        m_dialog.ShowCellEditor(*edit, upDown);
}

// ---- commits --------------------------------------------------------------------------------

void CellEditorController::FinishCommit(QWidget* editor, UpDownControl* upDown, bool close, const StayOpen& stay)
{
    if (close || stay.hide) {
        m_dialog.HideEditor(editor, upDown);
        return;
    }
    if (stay.select) {
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->selectAll();
    }
    if (stay.focus)
        editor->setFocus(Qt::OtherFocusReason);
}

void CellEditorController::CommitFrequencyEditor(bool close)
{
    if (m_frequency == nullptr || m_frequency->isHidden() || m_committing)
        return;
    const std::optional<QString> text = m_hooks.frequencyText(m_frequency->text());
    if (!text)
        return;
    const QScopedValueRollback committing(m_committing, true);
    m_dialog.Grid()->SetCurrentCellText(*text);
    if (m_traits.frequency.writeBack)
        m_frequency->SetText(*text);
    FinishCommit(m_frequency, nullptr, close, m_traits.frequency.stay);
}

void CellEditorController::CommitValueEditor(int editorId, bool close)
{
    const ValueEditorParts* editor = FindValueEditor(editorId);
    if (editor == nullptr || editor->edit->isHidden() || m_committing)
        return;
    const QScopedValueRollback committing(m_committing, true);
    const ValueEditorTraits& traits = *editor->traits;
    const CheckedValue checked = CheckValueText(editor->edit->text(), traits);
    if (checked.outOfRange && traits.fallbackIntoEditor)
        editor->edit->SetText(checked.cellText);
    m_dialog.Grid()->SetCurrentCellText(checked.cellText);
    FinishCommit(editor->edit, editor->upDown, close, traits.stay);
}

void CellEditorController::CommitListEditor(int editorId, bool close)
{
    const ListEditorParts* editor = FindListEditor(editorId);
    if (editor == nullptr || editor->list->isHidden() || m_committing)
        return;
    const QScopedValueRollback committing(m_committing, true);
    const int index = editor->list->currentIndex();
    if (index >= 0 && static_cast<std::size_t>(index) < editor->items.size())
        m_dialog.Grid()->SetCurrentCellText(QString::fromUtf8(editor->items[static_cast<std::size_t>(index)]));
    FinishCommit(editor->list, nullptr, close, editor->traits->stay);
}

void CellEditorController::CommitEditors()
{
    for (int id : m_commitOrder) {
        if (id == kIdFrequencyEditor)
            CommitFrequencyEditor(false);
        else if (FindValueEditor(id) != nullptr)
            CommitValueEditor(id, false);
        else
            CommitListEditor(id, false);
    }
}

void CellEditorController::DiscardEditors()
{
    // Hiding a focused editor moves the focus, which must commit nothing.
    const QScopedValueRollback committing(m_committing, true);
    if (m_frequency != nullptr)
        m_dialog.HideEditor(m_frequency, nullptr);
    for (const ValueEditorParts& editor : m_values)
        m_dialog.HideEditor(editor.edit, editor.upDown);
    for (const ListEditorParts& editor : m_lists)
        m_dialog.HideEditor(editor.list, nullptr);
}

// ---- keys and events ------------------------------------------------------------------------

bool CellEditorController::CharacterPasses(QObject* target, QKeyEvent* event) const
{
    if (target == m_frequency)
        return CharacterAllowed(*event, CharFilter::Frequency);
    for (const ValueEditorParts& editor : m_values) {
        if (target == editor.edit)
            return CharacterAllowed(*event, editor.traits->filter);
    }
    return true;
}

bool CellEditorController::HandleKey(QObject* target, QKeyEvent* event)
{
    QWidget* focus = QApplication::focusWidget();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_hooks.enter(focus);
        return true;
    case Qt::Key_Escape: {
        bool leaves = focus != nullptr && focus == m_frequency;
        for (const ValueEditorParts& editor : m_values)
            leaves = leaves || (focus == editor.edit && editor.traits->escapeLeaves);
        for (const ListEditorParts& editor : m_lists)
            leaves = leaves || (focus != nullptr && (focus == editor.list || editor.list->isAncestorOf(focus)));
        if (leaves)
            m_dialog.Grid()->setFocus(Qt::OtherFocusReason);
        return true;
    }
    case Qt::Key_F2:
        if (!m_traits.f2OpensEditor)
            return false;
        if (m_dialog.IsGrid(focus))
            OpenCellEditor();
        return true;
    default:
        return !CharacterPasses(target, event);
    }
}

bool CellEditorController::DropDownKey(QComboBox& list, QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    // The drop-down has taken its item already, when it had one; with the list closed again
    // the key is the dialog's Enter in that list.
    if (list.view()->isVisible())
        list.hidePopup();
    list.setFocus(Qt::OtherFocusReason);
    return HandleKey(&list, event);
}

bool CellEditorController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        for (const ListEditorParts& editor : m_lists) {
            if (InDropDown(*editor.list, watched))
                return DropDownKey(*editor.list, static_cast<QKeyEvent*>(event));
        }
        return HandleKey(watched, static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::FocusOut) {
        // A popup opening over an editor (a combo box's own list, say) is not leaving it.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
            return false;
        for (const ListEditorParts& editor : m_lists) {
            if (watched == editor.list && InDropDown(*editor.list, QApplication::focusWidget()))
                return false;
        }
        if (watched == m_frequency)
            CommitFrequencyEditor(true);
        for (const ValueEditorParts& editor : m_values) {
            if (watched == editor.edit)
                CommitValueEditor(editor.traits->id, true);
        }
        for (const ListEditorParts& editor : m_lists) {
            if (watched == editor.list)
                CommitListEditor(editor.traits->id, true);
        }
    }
    return false;
}

} // namespace qmcal
