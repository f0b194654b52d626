#include "pages/CalPage.h"

#include <stdexcept>
#include <string>

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

constexpr int kCaptionRowTwips = 500;

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
    if (m_traits.keying != Keying::None && Button(m_traits.keying == Keying::Ptt ? kIdPttEnd : kIdEnd) == nullptr)
        throw std::logic_error(path + ": keying without its end button");
    m_grid = Grid();
    m_tabs = qobject_cast<QTabWidget*>(Control(kIdBandTabs));
    m_editors = std::make_unique<CellEditorController>(
        *this, m_traits,
        CellEditorController::Hooks{[this](QWidget* focus) { EnterPressed(focus); },
                                    [this](const QString& typed) { return FrequencyCellText(typed); }});
    for (const GlobalFieldTraits& global : m_traits.globalFields) {
        GlobalFieldParts field{&global, qobject_cast<CellEdit*>(Control(global.id)),
                               qobject_cast<UpDownControl*>(Control(global.upDownId))};
        if (field.edit == nullptr || field.upDown == nullptr)
            throw std::logic_error(path + ": global field without its controls");
        m_globalFields.push_back(field);
    }
}

void CalPage::Initialise()
{
    m_slot = BandSlotFromTab(0, Layout().rowCount, Layout().SlotCount());

    for (const GlobalFieldParts& field : m_globalFields) {
        field.edit->SetTextLimit(field.traits->textLimit);
        field.upDown->SetRange(field.traits->spinLow, field.traits->spinHigh);
    }
    // Every up-down of the page steps its buddy; releasing one presses Enter where the focus is.
    for (QWidget* widget : findChildren<QWidget*>()) {
        auto* upDown = qobject_cast<UpDownControl*>(widget);
        if (upDown == nullptr)
            continue;
        bool isSigned = false;
        for (const ValueEditorTraits& value : m_traits.values)
            isSigned = isSigned || (UpDown(value.upDownId) == upDown && value.text == ValueText::SignedDecimal);
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
                m_tabs->addTab(new QWidget, ShownText(Layout().slots->names[static_cast<std::size_t>(slot)]));
        }
        connect(m_tabs, &QTabWidget::currentChanged, this, &CalPage::BandTabChanged);
    }
    connect(m_grid, &CMSFlexGrid::MousePressed, this, &CalPage::GridMousePressed);
    if (QPushButton* storeAll = Button(kIdStoreAll))
        connect(storeAll, &QPushButton::clicked, this, &CalPage::StoreAll);
    if (QPushButton* storeCurrent = Button(kIdStoreCurrent))
        connect(storeCurrent, &QPushButton::clicked, this, &CalPage::StoreCurrent);
    if (m_traits.keying != Keying::None) {
        const bool ptt = m_traits.keying == Keying::Ptt;
        if (QPushButton* start = Button(ptt ? kIdPttStart : kIdTest))
            connect(start, &QPushButton::clicked, this, &CalPage::StartPressed);
        connect(Button(ptt ? kIdPttEnd : kIdEnd), &QPushButton::clicked, this, &CalPage::EndPressed);
    }

    SetupControls();

    // The keys and the focus-loss commits of every window of the page.
    m_editors->Watch();

    LoadGrid();
}

// ---- controls -------------------------------------------------------------------------------

const CalPage::GlobalFieldParts* CalPage::FindGlobalField(const QWidget* edit) const
{
    for (const GlobalFieldParts& field : m_globalFields) {
        if (edit != nullptr && field.edit == edit)
            return &field;
    }
    return nullptr;
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
        m_grid->SetHeaderFormat(ShownColumnCaptions(*m_traits.table).join(QLatin1Char('|')));
    for (std::size_t c = 0; c < m_traits.columns.size(); ++c) {
        const int col = static_cast<int>(c);
        if (m_traits.captions == Captions::CellByCell)
            m_grid->SetCellText(0, col, ShownText(m_traits.table->columns[c].caption));
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
    m_editors->CommitEditors();
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

std::optional<QString> CalPage::FrequencyCellText(const QString& typed) const
{
    if (m_slot < 0)
        return std::nullopt;
    const auto slot = static_cast<std::size_t>(m_slot);
    return NormaliseFrequencyText(typed, Layout().slots->freqLow[slot], Layout().slots->freqHigh[slot]);
}

// ---- keys and events ------------------------------------------------------------------------

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
            m_editors->OpenCellEditor();
    } else if (button == CMSFlexGrid::kRightButton && m_traits.rightPressFocusesGrid) {
        m_grid->setFocus(Qt::MouseFocusReason);
    }
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

bool CalPage::BeforeKey(int row, int)
{
    if (!SaveAndTune(row))
        return false;
    SendRecord(row);
    return true;
}

void CalPage::StartPressed()
{
    if (!BeforeKey(m_grid->CurrentRow(), m_grid->CurrentCol()))
        return;
    if (m_traits.keying == Keying::Test)
        m_link.TestStart(Code());
    else
        m_link.PttStart(Code());
}

void CalPage::EndPressed()
{
    if (m_traits.keying == Keying::Test)
        m_link.TestEnd(Code());
    else
        m_link.PttEnd(Code());
}

void CalPage::StoreAll()
{
    SaveGrid();
    if (m_traits.storeWidth == 0)
        m_link.StoreRanges(Layout(), 0, Layout().SlotCount());
    else
        m_link.StoreFields(Layout(), 0, Layout().SlotCount(), m_traits.storeWidth);
    m_link.LogOutcome(QStringLiteral("Store All (%1)").arg(PageTitle(*m_traits.table)));
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
    m_link.LogOutcome(QStringLiteral("Store Current (%1)").arg(PageTitle(*m_traits.table)));
}

// ---- life -----------------------------------------------------------------------------------

void CalPage::ImageReplaced()
{
    m_editors->DiscardEditors();
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
