#include "pages/CalPage.h"

#include <stdexcept>
#include <string>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "data/FreqWord.h"
#include "data/LittleEndian.h"
#include "link/RadioLink.h"
#include "pages/CalPageRoutines.h"
#include "widgets/CMSFlexGrid.h"
#include "widgets/CellEdit.h"
#include "widgets/UpDownControl.h"

namespace qmcal {

namespace {

constexpr int kFrequencyTextLimit = 9;
constexpr int kCaptionRowTwips = 500;

// Whether object lies in the list's drop-down: a window of its own that Qt makes on first use.
bool InDropDown(const QComboBox& list, const QObject* object)
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget != nullptr && widget->window() == list.view()->window() && widget->window() != list.window();
}

} // namespace

// A page lives inside the main window, as a child window.
CalPage::CalPage(const PageTraits& traits, ParamImage& image, RadioLink& link, QWidget* parent)
    : GridDialog(traits.templatePath, Qt::Widget, parent), m_traits(traits), m_image(image), m_link(link)
{
    BuildControls();
}

CalPage::~CalPage() = default;

void CalPage::BuildControls()
{
    const std::string path = m_traits.templatePath;
    if (m_traits.table == nullptr || m_traits.table->layout == nullptr
        || m_traits.columns.size() != m_traits.table->columns.size())
        throw std::logic_error(path + ": columns that are not the page table's");
    m_grid = Grid();
    m_tabs = qobject_cast<QTabWidget*>(Control(kIdBandTabs));
    m_frequencyEditor = qobject_cast<CellEdit*>(Control(kIdFrequencyEditor));
    for (const ValueEditorTraits& value : m_traits.values) {
        ValueEditorParts editor{&value, qobject_cast<CellEdit*>(Control(value.id)),
                           qobject_cast<UpDownControl*>(Control(value.upDownId))};
        if (editor.edit == nullptr || editor.upDown == nullptr)
            throw std::logic_error(path + ": value editor without its controls");
        m_valueEditors.push_back(editor);
    }
    for (const ListEditorTraits& list : m_traits.lists) {
        ListEditorParts editor{&list, qobject_cast<QComboBox*>(Control(list.id)), {}};
        for (std::size_t c = 0; c < m_traits.columns.size(); ++c) {
            if (m_traits.columns[c].editorId == list.id && editor.items.size() == 0)
                editor.items = m_traits.table->columns[c].items;
        }
        if (editor.list == nullptr || editor.items.size() == 0)
            throw std::logic_error(path + ": list editor missing or without a column");
        m_listEditors.push_back(editor);
    }
    for (const GlobalFieldTraits& global : m_traits.globalFields) {
        GlobalFieldParts field{&global, qobject_cast<CellEdit*>(Control(global.id)),
                               qobject_cast<UpDownControl*>(Control(global.upDownId))};
        if (field.edit == nullptr || field.upDown == nullptr)
            throw std::logic_error(path + ": global field without its controls");
        m_globalFields.push_back(field);
    }
    m_commitOrder.assign(m_traits.commitOrder.begin(), m_traits.commitOrder.end());
    if (m_commitOrder.empty()) {
        m_commitOrder.push_back(kIdFrequencyEditor);
        for (const ListEditorTraits& list : m_traits.lists)
            m_commitOrder.push_back(list.id);
        for (const ValueEditorTraits& value : m_traits.values)
            m_commitOrder.push_back(value.id);
    }
}

void CalPage::Initialise()
{
    m_slot = BandSlotFromTab(0, Layout().rowCount, Layout().SlotCount());

    if (m_frequencyEditor != nullptr)
        m_frequencyEditor->SetTextLimit(kFrequencyTextLimit);
    for (const ValueEditorParts& value : m_valueEditors) {
        value.edit->SetTextLimit(value.traits->textLimit);
        value.upDown->SetRange(value.traits->spinLow, value.traits->spinHigh);
    }
    for (const GlobalFieldParts& field : m_globalFields) {
        field.edit->SetTextLimit(field.traits->textLimit);
        field.upDown->SetRange(field.traits->spinLow, field.traits->spinHigh);
    }
    for (const ListEditorParts& list : m_listEditors) {
        list.list->clear();
        for (const char* item : list.items)
            list.list->addItem(QString::fromUtf8(item));
    }
    // Every up-down of the page steps its buddy; releasing one presses Enter where the focus is.
    for (QWidget* widget : findChildren<QWidget*>()) {
        auto* upDown = qobject_cast<UpDownControl*>(widget);
        if (upDown == nullptr)
            continue;
        bool isSigned = false;
        for (const ValueEditorParts& value : m_valueEditors)
            isSigned = isSigned || (value.upDown == upDown && value.traits->text == ValueText::SignedDecimal);
        connect(upDown, &UpDownControl::PositionChanging, this, [upDown, isSigned](int delta) {
            isSigned ? SignedSpinStep(*upDown, delta) : SpinStep(*upDown, delta);
        });
        if (m_traits.spinReleaseEnter)
            connect(upDown, &UpDownControl::EndScroll, this, &CalPage::PressEnterInFocus);
    }
    if (m_tabs != nullptr) {
        const QSignalBlocker blocker(m_tabs);
        for (int slot = 0; slot < Layout().SlotCount(); ++slot) {
            if (Layout().rowCount[static_cast<std::size_t>(slot)] != 0)
                m_tabs->addTab(new QWidget, QString::fromUtf8(Layout().slots->names[static_cast<std::size_t>(slot)]));
        }
        connect(m_tabs, &QTabWidget::currentChanged, this, &CalPage::BandTabChanged);
    }
    connect(m_grid, &CMSFlexGrid::MousePressed, this, &CalPage::GridMousePressed);
    if (QPushButton* storeAll = Button(kIdStoreAll))
        connect(storeAll, &QPushButton::clicked, this, &CalPage::StoreAll);
    if (QPushButton* storeCurrent = Button(kIdStoreCurrent))
        connect(storeCurrent, &QPushButton::clicked, this, &CalPage::StoreCurrent);

    SetupControls();

    // HandleKey and the focus-loss commits see the events of every window of the page.
    installEventFilter(this);
    for (QWidget* widget : findChildren<QWidget*>())
        widget->installEventFilter(this);
    // Enter in an open drop-down is pressed in the drop-down's own window.
    for (const ListEditorParts& list : m_listEditors)
        list.list->view()->installEventFilter(this);

    LoadGrid();
}

// ---- controls -------------------------------------------------------------------------------

CellEdit* CalPage::ValueEditor(int editorId) const
{
    const ValueEditorParts* editor = FindValueEditor(editorId);
    return editor ? editor->edit : nullptr;
}

QComboBox* CalPage::ListEditor(int editorId) const
{
    const ListEditorParts* editor = FindListEditor(editorId);
    return editor ? editor->list : nullptr;
}

const CalPage::ValueEditorParts* CalPage::FindValueEditor(int editorId) const
{
    for (const ValueEditorParts& editor : m_valueEditors) {
        if (editor.traits->id == editorId)
            return &editor;
    }
    return nullptr;
}

const CalPage::ListEditorParts* CalPage::FindListEditor(int editorId) const
{
    for (const ListEditorParts& editor : m_listEditors) {
        if (editor.traits->id == editorId)
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

const RecordField& CalPage::Field(int col) const
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
    if (m_traits.captions == Captions::CellByCell)
        m_grid->SetFixedRows(m_traits.fixedRows);
    const int points = m_slot >= 0 ? Layout().rowCount[static_cast<std::size_t>(m_slot)] : 0;
    m_grid->SetGridRowCount(points + 1);
    m_grid->SetGridColCount(static_cast<int>(m_traits.columns.size()));
    m_grid->SetWordWrap(true);
    m_grid->SetRowHeight(0, kCaptionRowTwips);
    if (m_traits.captions == Captions::HeaderFormat)
        m_grid->SetHeaderFormat(ColumnCaptions(*m_traits.table).join(QLatin1Char('|')));
    for (std::size_t c = 0; c < m_traits.columns.size(); ++c) {
        const int col = static_cast<int>(c);
        if (m_traits.captions == Captions::CellByCell)
            m_grid->SetCellText(0, col, QString::fromUtf8(m_traits.table->columns[c].caption));
        m_grid->SetColAlignment(col, CMSFlexGrid::kCenterCenter);
        m_grid->SetColWidth(col, m_traits.columns[c].widthTwips);
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
        const GlobalSetting& setting = field.traits->setting;
        field.edit->SetText(FormatHex(getField(m_image.IdBlock(), setting.offset, setting.width)));
    }
    LoadExtras();
}

void CalPage::SaveGrid()
{
    CommitEditors();
    for (const GlobalFieldParts& field : m_globalFields) {
        const GlobalSetting& setting = field.traits->setting;
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
    return CellText(m_image, *m_traits.table, m_slot, row, col);
}

void CalPage::SaveCell(int row, int col, const QString& text)
{
    PutCellText(m_image, *m_traits.table, m_slot, row, col, text);
}

// ---- editors --------------------------------------------------------------------------------

void CalPage::OpenCellEditor()
{
    const int row = m_grid->CurrentRow();
    const int col = m_grid->CurrentCol();
    if (col < 0 || static_cast<std::size_t>(col) >= m_traits.columns.size())
        return;
    const int editorId = m_traits.columns[static_cast<std::size_t>(col)].editorId;

    if (const ListEditorParts* list = FindListEditor(editorId)) {
        list->list->setGeometry(CurrentCellEditorRect());
        list->list->show();
        list->list->raise();
        const int index = list->list->findText(m_grid->CellText(row, col), Qt::MatchStartsWith);
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
    if (edit != nullptr)
        ShowCellEditor(*edit, upDown);
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
    if (m_traits.frequency.writeBack)
        m_frequencyEditor->SetText(text);
    FinishCommit(m_frequencyEditor, nullptr, close, m_traits.frequency.stay);
    m_committing = false;
}

void CalPage::CommitValueEditor(int editorId, bool close)
{
    const ValueEditorParts* editor = FindValueEditor(editorId);
    if (editor == nullptr || editor->edit->isHidden() || m_committing)
        return;
    m_committing = true;
    const ValueEditorTraits& traits = *editor->traits;
    const CheckedValue checked = CheckValueText(editor->edit->text(), traits);
    if (checked.outOfRange && traits.fallbackIntoEditor)
        editor->edit->SetText(checked.cellText);
    m_grid->SetCurrentCellText(checked.cellText);
    FinishCommit(editor->edit, editor->upDown, close, traits.stay);
    m_committing = false;
}

void CalPage::CommitListEditor(int editorId, bool close)
{
    const ListEditorParts* editor = FindListEditor(editorId);
    if (editor == nullptr || editor->list->isHidden() || m_committing)
        return;
    m_committing = true;
    const QString text = editor->list->currentText();
    if (FirstItemStartingWith(editor->items, text) >= 0)
        m_grid->SetCurrentCellText(text);
    FinishCommit(editor->list, nullptr, close, editor->traits->stay);
    m_committing = false;
}

void CalPage::CommitEditors()
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
    if (target == m_frequencyEditor)
        return CharacterAllowed(*event, CharFilter::Frequency);
    for (const ValueEditorParts& editor : m_valueEditors) {
        if (target == editor.edit)
            return CharacterAllowed(*event, editor.traits->filter);
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
            leaves = leaves || (focus == editor.edit && editor.traits->escapeLeaves);
        for (const ListEditorParts& editor : m_listEditors)
            leaves = leaves || (focus != nullptr && (focus == editor.list || editor.list->isAncestorOf(focus)));
        if (leaves)
            m_grid->setFocus(Qt::OtherFocusReason);
        return true;
    }
    case Qt::Key_F2:
        if (!m_traits.f2OpensEditor)
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
        SendGlobal(field->traits->setting);
}

void CalPage::GridMousePressed(int button, int, int, int)
{
    if (button == CMSFlexGrid::kLeftButton) {
        if (PressHitDataCell())
            OpenCellEditor();
    } else if (button == CMSFlexGrid::kRightButton && m_traits.rightPressFocusesGrid) {
        m_grid->setFocus(Qt::MouseFocusReason);
    }
}

bool CalPage::DropDownKey(QComboBox& list, QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    // The drop-down has taken its item already, when it had one; with the list closed again
    // the key is the page's Enter in that list.
    if (list.view()->isVisible())
        list.hidePopup();
    list.setFocus(Qt::OtherFocusReason);
    return HandleKey(&list, event);
}

bool CalPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        for (const ListEditorParts& editor : m_listEditors) {
            if (InDropDown(*editor.list, watched))
                return DropDownKey(*editor.list, static_cast<QKeyEvent*>(event));
        }
        return HandleKey(watched, static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::FocusOut) {
        // A combo box opening its own list is not leaving it.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
            return false;
        for (const ListEditorParts& editor : m_listEditors) {
            if (watched == editor.list && InDropDown(*editor.list, QApplication::focusWidget()))
                return false;
        }
        if (watched == m_frequencyEditor)
            CommitFrequencyEditor(true);
        for (const ValueEditorParts& editor : m_valueEditors) {
            if (watched == editor.edit)
                CommitValueEditor(editor.traits->id, true);
        }
        for (const ListEditorParts& editor : m_listEditors) {
            if (watched == editor.list)
                CommitListEditor(editor.traits->id, true);
        }
    }
    return false;
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
    if (m_slot < 0 || col < 0 || static_cast<std::size_t>(col) >= m_traits.columns.size())
        return;
    if (row == 0) {
        SendGlobal(m_traits.columns[static_cast<std::size_t>(col)].captionSend);
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

bool CalPage::SaveAndTune(int row)
{
    SaveGrid();
    m_link.SetFrequency(Code(), FreqOffset(row));
    return LastOk();
}

void CalPage::SendField(int row, int col)
{
    const RecordField& field = Field(col);
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
    if (m_traits.storeWidth == 0)
        m_link.StoreRanges(Layout(), 0, Layout().SlotCount());
    else
        m_link.StoreFields(Layout(), 0, Layout().SlotCount(), m_traits.storeWidth);
}

void CalPage::StoreCurrent()
{
    SaveGrid();
    if (m_slot < 0)
        return;
    if (m_traits.storeWidth == 0)
        m_link.StoreRanges(Layout(), m_slot, 1);
    else
        m_link.StoreFields(Layout(), m_slot, 1, m_traits.storeWidth);
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

} // namespace qmcal
