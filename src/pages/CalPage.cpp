#include "pages/CalPage.h"

#include <cctype>
#include <cstring>
#include <optional>
#include <stdexcept>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "data/Bytes.h"
#include "data/FreqWord.h"
#include "link/RadioLink.h"
#include "pages/CMSFlexGrid.h"
#include "pages/CalPageRoutines.h"
#include "pages/CellEdit.h"
#include "pages/DialogTemplate.h"
#include "pages/UpDownControl.h"

namespace qmcal {

namespace {

constexpr int kFrequencyTextLimit = 9;
constexpr int kCaptionRowTwips = 500;
constexpr std::uint32_t kRed = 255;
constexpr std::uint32_t kBlack = 0;
constexpr char16_t kCtrlC = 3;
constexpr char16_t kCtrlV = 22;
constexpr char16_t kCtrlX = 24;
constexpr char16_t kBackspace = 8;
const char* const kFrequencyChars = "1234567890.\b";
const QString kMarker = QStringLiteral("0*");

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

int FirstItemStartingWith(const Table<const char*>& items, const QString& text)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (QString::fromUtf8(items[i]).startsWith(text, Qt::CaseInsensitive))
            return static_cast<int>(i);
    }
    return -1;
}

// The widgets a page puts where its template has a grid, an up-down, an edit or a tab control.
QWidget* MakePageControl(const ControlTemplate& control, QWidget* parent)
{
    switch (control.kind) {
    case ControlKind::Grid:
        return new CMSFlexGrid(parent);
    case ControlKind::UpDown:
        return new UpDownControl(parent);
    case ControlKind::Edit: {
        auto* edit = new CellEdit(parent);
        edit->SetUpperCase(control.HasFlag(QStringLiteral("uppercase")));
        return edit;
    }
    case ControlKind::TabControl:
        return new QTabWidget(parent);
    default:
        return nullptr;
    }
}

} // namespace

CalPage::CalPage(const PageSpec& spec, ParamImage& image, RadioLink& link, QWidget* parent)
    : QDialog(parent), m_spec(spec), m_image(image), m_link(link)
{
    // A page lives inside the main window; the Sql Fine dialog makes itself a window again.
    setWindowFlags(Qt::Widget);
    BuildControls();
}

CalPage::~CalPage() = default;

void CalPage::BuildControls()
{
    const QString path = QString::fromUtf8(m_spec.templatePath);
    const DialogTemplate dialog = LoadDialogTemplate(path);
    const DialogControls built = BuildDialogControls(*this, dialog, MakePageControl);
    resize(DialogUnitsToPixels(dialog.size, DialogFont(dialog)));

    QWidget* previous = nullptr;
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = control.id >= 0 ? built.Widget(control.id) : nullptr;
        if (widget != nullptr)
            m_controls[control.id] = widget;
        // An up-down takes the control before it as its buddy, as the platform's auto-buddy
        // style does.
        if (auto* upDown = qobject_cast<UpDownControl*>(widget)) {
            if (auto* buddy = qobject_cast<QLineEdit*>(previous))
                upDown->SetBuddy(buddy);
        }
        previous = widget;
    }

    m_grid = qobject_cast<CMSFlexGrid*>(Control(kIdGrid));
    m_tabs = qobject_cast<QTabWidget*>(Control(kIdBandTabs));
    m_frequencyEditor = qobject_cast<CellEdit*>(Control(kIdFrequencyEditor));
    if (m_grid == nullptr)
        throw std::logic_error(path.toStdString() + ": a page needs its grid");
    for (const ValueEditorSpec& value : m_spec.values) {
        ValueEditorParts editor{&value, qobject_cast<CellEdit*>(Control(value.id)),
                           qobject_cast<UpDownControl*>(Control(value.upDownId))};
        if (editor.edit == nullptr || editor.upDown == nullptr)
            throw std::logic_error(path.toStdString() + ": value editor without its controls");
        m_valueEditors.push_back(editor);
    }
    for (const ListEditorSpec& list : m_spec.lists) {
        ListEditorParts editor{&list, qobject_cast<QComboBox*>(Control(list.id))};
        if (editor.list == nullptr)
            throw std::logic_error(path.toStdString() + ": list editor missing");
        m_listEditors.push_back(editor);
    }
    for (const GlobalFieldSpec& global : m_spec.globalFields) {
        GlobalFieldParts field{&global, qobject_cast<CellEdit*>(Control(global.id)),
                               qobject_cast<UpDownControl*>(Control(global.upDownId))};
        if (field.edit == nullptr || field.upDown == nullptr)
            throw std::logic_error(path.toStdString() + ": global field without its controls");
        m_globalFields.push_back(field);
    }

    // The tab control lies under the grid; editors and up-downs lie over it.
    if (m_tabs != nullptr)
        m_tabs->lower();
    for (const ValueEditorParts& value : m_valueEditors) {
        value.edit->raise();
        value.upDown->raise();
    }
    for (const ListEditorParts& list : m_listEditors)
        list.list->raise();
    if (m_frequencyEditor != nullptr)
        m_frequencyEditor->raise();
}

void CalPage::Initialise()
{
    m_slot = m_spec.layout ? BandSlotFromTab(0, Layout().rowCount, Layout().SlotCount()) : -1;

    if (m_frequencyEditor != nullptr)
        m_frequencyEditor->SetTextLimit(kFrequencyTextLimit);
    for (const ValueEditorParts& value : m_valueEditors) {
        value.edit->SetTextLimit(value.spec->textLimit);
        value.upDown->SetRange(value.spec->spinLow, value.spec->spinHigh);
    }
    for (const GlobalFieldParts& field : m_globalFields) {
        field.edit->SetTextLimit(field.spec->textLimit);
        field.upDown->SetRange(field.spec->spinLow, field.spec->spinHigh);
    }
    for (const ListEditorParts& list : m_listEditors) {
        list.list->clear();
        for (const char* item : list.spec->items)
            list.list->addItem(QString::fromUtf8(item));
    }
    // Every up-down of the page steps its buddy; releasing one presses Enter where the focus is.
    for (QWidget* widget : findChildren<QWidget*>()) {
        auto* upDown = qobject_cast<UpDownControl*>(widget);
        if (upDown == nullptr)
            continue;
        bool isSigned = false;
        for (const ValueEditorParts& value : m_valueEditors)
            isSigned = isSigned || (value.upDown == upDown && value.spec->text == ValueText::SignedDecimal);
        connect(upDown, &UpDownControl::PositionChanging, this, [upDown, isSigned](int delta) {
            isSigned ? SignedSpinStep(*upDown, delta) : SpinStep(*upDown, delta);
        });
        if (m_spec.spinReleaseEnter)
            connect(upDown, &UpDownControl::EndScroll, this, &CalPage::PressEnterInFocus);
    }
    if (m_tabs != nullptr && m_spec.layout != nullptr) {
        const QSignalBlocker blocker(m_tabs);
        for (int slot = 0; slot < Layout().SlotCount(); ++slot) {
            if (Layout().rowCount[static_cast<std::size_t>(slot)] != 0)
                m_tabs->addTab(new QWidget, QString::fromUtf8(Layout().slots->names[static_cast<std::size_t>(slot)]));
        }
        connect(m_tabs, &QTabWidget::currentChanged, this, &CalPage::BandTabChanged);
    }
    connect(m_grid, &CMSFlexGrid::MousePressed, this, &CalPage::GridMousePressed);
    connect(m_grid, &CMSFlexGrid::CellEntered, this, [this] { m_grid->SetCurrentCellColor(kRed); });
    connect(m_grid, &CMSFlexGrid::CellLeft, this, [this] { m_grid->SetCurrentCellColor(kBlack); });
    if (QPushButton* storeAll = Button(kIdStoreAll))
        connect(storeAll, &QPushButton::clicked, this, &CalPage::StoreAll);
    if (QPushButton* storeCurrent = Button(kIdStoreCurrent))
        connect(storeCurrent, &QPushButton::clicked, this, &CalPage::StoreCurrent);

    SetupControls();

    // HandleKey and the focus-loss commits see the events of every window of the page.
    installEventFilter(this);
    for (QWidget* widget : findChildren<QWidget*>())
        widget->installEventFilter(this);

    LoadGrid();
}

// ---- controls -------------------------------------------------------------------------------

QWidget* CalPage::Control(int id) const
{
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QPushButton* CalPage::Button(int id) const
{
    return qobject_cast<QPushButton*>(Control(id));
}

CellEdit* CalPage::ValueEditor(int editorId) const
{
    const ValueEditorParts* editor = FindValueEditor(editorId);
    return editor ? editor->edit : nullptr;
}

UpDownControl* CalPage::UpDown(int upDownId) const
{
    return qobject_cast<UpDownControl*>(Control(upDownId));
}

QComboBox* CalPage::ListEditor(int editorId) const
{
    const ListEditorParts* editor = FindListEditor(editorId);
    return editor ? editor->list : nullptr;
}

const CalPage::ValueEditorParts* CalPage::FindValueEditor(int editorId) const
{
    for (const ValueEditorParts& editor : m_valueEditors) {
        if (editor.spec->id == editorId)
            return &editor;
    }
    return nullptr;
}

const CalPage::ListEditorParts* CalPage::FindListEditor(int editorId) const
{
    for (const ListEditorParts& editor : m_listEditors) {
        if (editor.spec->id == editorId)
            return &editor;
    }
    return nullptr;
}

const CalPage::GlobalFieldParts* CalPage::FindGlobalField(const QWidget* edit) const
{
    for (const GlobalFieldParts& field : m_globalFields) {
        if (edit != nullptr && field.edit == edit)
            return &field;
    }
    return nullptr;
}

const ListEditorSpec* CalPage::ListOfColumn(int col) const
{
    if (col < 0 || static_cast<std::size_t>(col) >= m_spec.columns.size())
        return nullptr;
    const ListEditorParts* editor = FindListEditor(m_spec.columns[static_cast<std::size_t>(col)].editorId);
    return editor ? editor->spec : nullptr;
}

bool CalPage::IsGrid(const QWidget* widget) const
{
    return widget != nullptr && (widget == m_grid || m_grid->isAncestorOf(widget));
}

bool CalPage::IsCellEditor(const QWidget* widget) const
{
    if (widget == nullptr)
        return false;
    if (widget == m_frequencyEditor)
        return true;
    for (const ValueEditorParts& editor : m_valueEditors) {
        if (widget == editor.edit)
            return true;
    }
    for (const ListEditorParts& editor : m_listEditors) {
        if (widget == editor.list || editor.list->isAncestorOf(widget))
            return true;
    }
    return false;
}

// ---- image mapping ------------------------------------------------------------------------

std::uint16_t CalPage::FreqOffset(int row) const
{
    return Layout().FreqOffset(m_slot, row);
}

const FieldSpec& CalPage::Field(int col) const
{
    return Layout().Field(static_cast<std::size_t>(col - 1));
}

std::uint16_t CalPage::FieldAddress(int row, int col) const
{
    return Layout().FieldAddress(m_slot, row, Field(col));
}

bool CalPage::LastOk() const
{
    return m_link.LastExchangeResult() == ExchangeResult::Ok;
}

void CalPage::SetupGrid()
{
    m_grid->SetFixedCols(0);
    if (m_spec.captions == Captions::CellByCell)
        m_grid->SetFixedRows(m_spec.fixedRows);
    const int points = m_slot >= 0 ? Layout().rowCount[static_cast<std::size_t>(m_slot)] : 0;
    m_grid->SetGridRowCount(points + 1);
    m_grid->SetGridColCount(static_cast<int>(m_spec.columns.size()));
    m_grid->SetWordWrap(true);
    m_grid->SetRowHeight(0, kCaptionRowTwips);
    if (m_spec.captions == Captions::HeaderFormat) {
        QStringList captions;
        for (const ColumnSpec& column : m_spec.columns)
            captions << QString::fromUtf8(column.caption);
        m_grid->SetHeaderFormat(captions.join(QLatin1Char('|')));
    }
    for (std::size_t c = 0; c < m_spec.columns.size(); ++c) {
        const int col = static_cast<int>(c);
        if (m_spec.captions == Captions::CellByCell)
            m_grid->SetCellText(0, col, QString::fromUtf8(m_spec.columns[c].caption));
        m_grid->SetColAlignment(col, CMSFlexGrid::kCenterCenter);
        m_grid->SetColWidth(col, m_spec.columns[c].widthTwips);
    }
}

void CalPage::LoadGrid()
{
    SetupGrid();
    const int rows = m_grid->GridRowCount();
    const int cols = m_grid->GridColCount();
    for (int r = 1; r < rows; ++r) {
        for (int c = 0; c < cols; ++c)
            m_grid->SetCellText(r, c, LoadCell(r, c));
    }
    for (const GlobalFieldParts& field : m_globalFields) {
        const GlobalSetting& setting = field.spec->setting;
        field.edit->SetText(FormatHex(getField(m_image.IdBlock(), setting.offset, setting.width)));
    }
    LoadExtras();
}

void CalPage::SaveGrid()
{
    CommitEditors();
    for (const GlobalFieldParts& field : m_globalFields) {
        const GlobalSetting& setting = field.spec->setting;
        if (const auto value = ScanHex(field.edit->text()))
            putField(m_image.IdBlock(), setting.offset, setting.width, *value);
    }
    SaveExtras();
    const int rows = m_grid->GridRowCount();
    const int cols = m_grid->GridColCount();
    for (int r = 1; r < rows; ++r) {
        for (int c = 0; c < cols; ++c)
            SaveCell(r, c, m_grid->CellText(r, c));
    }
}

QString CalPage::LoadCell(int row, int col) const
{
    if (col == 0)
        return FreqWordToText(getU32le(m_image.IdBlock(), FreqOffset(row)));
    const FieldSpec& field = Field(col);
    const unsigned value = getField(m_image.ParamArea(), FieldAddress(row, col), field.width);
    if (const ListEditorSpec* list = ListOfColumn(col))
        return QString::fromUtf8(list->items[value < list->items.size() ? value : 0]);
    if (m_spec.columns[static_cast<std::size_t>(col)].marked && value > field.maximum)
        return kMarker;
    return FormatHex(value);
}

void CalPage::SaveCell(int row, int col, const QString& text)
{
    if (col == 0) {
        if (const auto word = FreqTextToWord(text))
            putU32le(m_image.IdBlock(), FreqOffset(row), *word);
        return;
    }
    const FieldSpec& field = Field(col);
    // Text that names no item or no number leaves the stored bytes as they are.
    if (const ListEditorSpec* list = ListOfColumn(col)) {
        const int index = FirstItemStartingWith(list->items, text);
        if (index >= 0)
            putField(m_image.ParamArea(), FieldAddress(row, col), field.width, static_cast<unsigned>(index));
        return;
    }
    if (const auto value = ScanHex(text))
        putField(m_image.ParamArea(), FieldAddress(row, col), field.width, *value);
}

// ---- editors --------------------------------------------------------------------------------

void CalPage::OpenCellEditor()
{
    const int row = m_grid->CurrentRow();
    const int col = m_grid->CurrentCol();
    if (col < 0 || static_cast<std::size_t>(col) >= m_spec.columns.size())
        return;
    const QRect gridRect = m_grid->geometry();
    const int tx = m_grid->TwipsPerPixelX();
    const int ty = m_grid->TwipsPerPixelY();
    const int x = m_grid->ColLeft(col) / tx;
    const int y = m_grid->RowTop(row) / ty;
    const int w = m_grid->ColWidth(col) / tx + 1;
    const int h = m_grid->RowHeight(row) / ty + 2;
    // Left x + 1, top y + 1, right x + w, bottom y + h (exclusive), inside the grid's border.
    const QRect rect = QRect(x + 1, y + 1, w - 1, h - 1).translated(gridRect.left() + 1, gridRect.top() + 1);
    const QString text = m_grid->CellText(row, col);
    const int editorId = m_spec.columns[static_cast<std::size_t>(col)].editorId;

    if (const ListEditorParts* list = FindListEditor(editorId)) {
        list->list->setGeometry(rect);
        list->list->show();
        list->list->raise();
        const int index = list->list->findText(text, Qt::MatchStartsWith);
        if (index >= 0)
            list->list->setCurrentIndex(index);
        list->list->setFocus(Qt::OtherFocusReason);
        return;
    }
    CellEdit* edit = nullptr;
    UpDownControl* upDown = nullptr;
    if (editorId == kIdFrequencyEditor) {
        edit = m_frequencyEditor;
    } else if (const ValueEditorParts* value = FindValueEditor(editorId)) {
        edit = value->edit;
        upDown = value->upDown;
    }
    if (edit == nullptr)
        return;
    edit->setGeometry(rect);
    edit->show();
    edit->raise();
    edit->SetText(text);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    if (upDown != nullptr) {
        upDown->SetBuddy(edit);
        upDown->show();
    }
}

void CalPage::HideEditor(QWidget* editor, UpDownControl* upDown)
{
    // The platform leaves the focus on a hidden edit; here it would wander to the next
    // control, so it goes to the grid, where the next Enter still sends the cell.
    if (editor->hasFocus())
        m_grid->setFocus(Qt::OtherFocusReason);
    editor->hide();
    if (upDown != nullptr)
        upDown->hide();
}

void CalPage::FinishCommit(QWidget* editor, UpDownControl* upDown, bool close, const StayOpen& stay)
{
    if (close || stay.hide) {
        HideEditor(editor, upDown);
        return;
    }
    if (stay.select) {
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->selectAll();
    }
    if (stay.focus)
        editor->setFocus(Qt::OtherFocusReason);
}

void CalPage::CommitFrequencyEditor(bool close)
{
    if (m_frequencyEditor == nullptr || m_frequencyEditor->isHidden() || m_committing || m_slot < 0)
        return;
    m_committing = true;
    const auto slot = static_cast<std::size_t>(m_slot);
    const QString text = NormaliseFrequencyText(m_frequencyEditor->text(), Layout().slots->freqLow[slot],
                                                Layout().slots->freqHigh[slot]);
    m_grid->SetCurrentCellText(text);
    if (m_spec.frequency.writeBack)
        m_frequencyEditor->SetText(text);
    FinishCommit(m_frequencyEditor, nullptr, close, m_spec.frequency.stay);
    m_committing = false;
}

void CalPage::CommitValueEditor(int editorId, bool close)
{
    const ValueEditorParts* editor = FindValueEditor(editorId);
    if (editor == nullptr || editor->edit->isHidden() || m_committing)
        return;
    m_committing = true;
    const ValueEditorSpec& spec = *editor->spec;
    const QString typed = editor->edit->text();
    const auto value = ParseValue(typed, spec.text);
    QString text = typed;  // in range: exactly as typed, a leading zero included
    if (!value) {
        text = ValueToText(spec.fallback, spec.text);
    } else if (*value < spec.minimum || *value > spec.maximum) {
        text = ValueToText(spec.fallback, spec.text);
        if (spec.fallbackIntoEditor)
            editor->edit->SetText(text);
    }
    m_grid->SetCurrentCellText(text);
    FinishCommit(editor->edit, editor->upDown, close, spec.stay);
    m_committing = false;
}

void CalPage::CommitListEditor(int editorId, bool close)
{
    const ListEditorParts* editor = FindListEditor(editorId);
    if (editor == nullptr || editor->list->isHidden() || m_committing)
        return;
    m_committing = true;
    const QString text = editor->list->currentText();
    if (FirstItemStartingWith(editor->spec->items, text) >= 0)
        m_grid->SetCurrentCellText(text);
    FinishCommit(editor->list, nullptr, close, editor->spec->stay);
    m_committing = false;
}

void CalPage::CommitEditors()
{
    for (int id : m_spec.commitOrder) {
        if (id == kIdFrequencyEditor)
            CommitFrequencyEditor(false);
        else if (FindValueEditor(id) != nullptr)
            CommitValueEditor(id, false);
        else
            CommitListEditor(id, false);
    }
}

void CalPage::DiscardEditors()
{
    m_committing = true;
    if (m_frequencyEditor != nullptr)
        HideEditor(m_frequencyEditor, nullptr);
    for (const ValueEditorParts& editor : m_valueEditors)
        HideEditor(editor.edit, editor.upDown);
    for (const ListEditorParts& editor : m_listEditors)
        HideEditor(editor.list, nullptr);
    m_committing = false;
}

// ---- keys and events ------------------------------------------------------------------------

bool CalPage::CharacterPasses(QObject* target, QKeyEvent* event) const
{
    const char16_t c = CharacterOf(*event);
    if (c == 0 || c == kCtrlC || c == kCtrlV || c == kCtrlX)
        return true;
    if (target == m_frequencyEditor)
        return Allowed(c, CharFilter::Frequency);
    for (const ValueEditorParts& editor : m_valueEditors) {
        if (target == editor.edit)
            return Allowed(c, editor.spec->filter);
    }
    return true;
}

bool CalPage::HandleKey(QObject* target, QKeyEvent* event)
{
    QWidget* focus = QApplication::focusWidget();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EnterPressed(focus);
        return true;
    case Qt::Key_Escape: {
        bool leaves = focus != nullptr && focus == m_frequencyEditor;
        for (const ValueEditorParts& editor : m_valueEditors)
            leaves = leaves || (focus == editor.edit && editor.spec->escapeLeaves);
        for (const ListEditorParts& editor : m_listEditors)
            leaves = leaves || (focus != nullptr && (focus == editor.list || editor.list->isAncestorOf(focus)));
        if (leaves)
            m_grid->setFocus(Qt::OtherFocusReason);
        return true;
    }
    case Qt::Key_F2:
        if (!m_spec.f2OpensEditor)
            return false;
        if (IsGrid(focus))
            OpenCellEditor();
        return true;
    default:
        return !CharacterPasses(target, event);
    }
}

void CalPage::EnterPressed(QWidget* focus)
{
    SaveGrid();
    if (IsGrid(focus) || IsCellEditor(focus))
        SendCurrentCell();
    else if (const GlobalFieldParts* field = FindGlobalField(focus))
        SendGlobal(field->spec->setting);
}

void CalPage::GridMousePressed(int button, int, int, int)
{
    if (button == CMSFlexGrid::kLeftButton) {
        if (m_spec.captionRowOpensEditor || m_grid->MouseRow() > 0)
            OpenCellEditor();
    } else if (button == CMSFlexGrid::kRightButton && m_spec.rightPressFocusesGrid) {
        m_grid->setFocus(Qt::MouseFocusReason);
    }
}

bool CalPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        return HandleKey(watched, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusOut) {
        // A combo box opening its own list is not leaving it.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
            return false;
        if (watched == m_frequencyEditor)
            CommitFrequencyEditor(true);
        for (const ValueEditorParts& editor : m_valueEditors) {
            if (watched == editor.edit)
                CommitValueEditor(editor.spec->id, true);
        }
        for (const ListEditorParts& editor : m_listEditors) {
            if (watched == editor.list)
                CommitListEditor(editor.spec->id, true);
        }
    }
    return false;
}

void CalPage::keyPressEvent(QKeyEvent* event)
{
    // Keys end at the page: Enter and Escape must not close it, and arrows must not reach the
    // main window's tab strip.
    event->accept();
}

void CalPage::BandTabChanged(int index)
{
    // The focus move closes an open editor into the old slot's grid, which is saved before the
    // new slot is shown.
    m_tabs->tabBar()->setFocus(Qt::TabFocusReason);
    SaveGrid();
    m_slot = BandSlotFromTab(index, Layout().rowCount, Layout().SlotCount());
    LoadGrid();
}

// ---- radio ----------------------------------------------------------------------------------

void CalPage::SendCurrentCell()
{
    const int row = m_grid->CurrentRow();
    const int col = m_grid->CurrentCol();
    if (m_slot < 0 || col < 0 || static_cast<std::size_t>(col) >= m_spec.columns.size())
        return;
    if (row == 0) {
        SendGlobal(m_spec.columns[static_cast<std::size_t>(col)].captionSend);
        return;
    }
    if (row < 1)
        return;
    if (col == 0) {
        m_link.SetFrequency(Code(), FreqOffset(row));
        return;
    }
    SendField(row, col);
}

void CalPage::SendField(int row, int col)
{
    const FieldSpec& field = Field(col);
    if (field.subCode != kNoSubCode)
        m_link.SetParam(Code(), static_cast<std::uint8_t>(field.subCode), field.width, FieldAddress(row, col));
}

void CalPage::SendRecord(int row)
{
    for (std::size_t i = 0; i < Layout().fieldCount; ++i)
        SendField(row, static_cast<int>(i) + 1);
}

void CalPage::SendGlobal(const GlobalSetting& setting)
{
    if (setting.subCode != kNoSubCode)
        m_link.SetGlobal(Code(), static_cast<std::uint8_t>(setting.subCode), setting.width, setting.offset);
}

void CalPage::StoreAll()
{
    SaveGrid();
    if (m_spec.storeWidth == 0)
        m_link.StoreRanges(Layout(), 0, Layout().SlotCount());
    else
        m_link.StoreFields(Layout(), 0, Layout().SlotCount(), m_spec.storeWidth);
}

void CalPage::StoreCurrent()
{
    SaveGrid();
    if (m_slot < 0)
        return;
    if (m_spec.storeWidth == 0)
        m_link.StoreRanges(Layout(), m_slot, 1);
    else
        m_link.StoreFields(Layout(), m_slot, 1, m_spec.storeWidth);
}

// ---- life -----------------------------------------------------------------------------------

void CalPage::ImageReplaced()
{
    DiscardEditors();
    LoadGrid();
}

void CalPage::DestroyWindow()
{
    if (m_destroyed)
        return;
    SaveGrid();
    m_destroyed = true;
}

// ---- shared routines ------------------------------------------------------------------------

void CalPage::SpinStep(UpDownControl& control, int delta)
{
    if (QLineEdit* buddy = control.Buddy())
        SetEditText(*buddy, HexSpinText(buddy->text(), delta, control.Low(), control.High()));
}

void CalPage::SignedSpinStep(UpDownControl& control, int delta)
{
    if (QLineEdit* buddy = control.Buddy())
        SetEditText(*buddy, SignedSpinText(buddy->text(), delta, control.Low(), control.High()));
}

void CalPage::PressEnterInFocus()
{
    QMetaObject::invokeMethod(
        qApp,
        [] {
            QWidget* focus = QApplication::focusWidget();
            if (focus == nullptr)
                return;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QCoreApplication::sendEvent(focus, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QCoreApplication::sendEvent(focus, &release);
        },
        Qt::QueuedConnection);
}

} // namespace qmcal
