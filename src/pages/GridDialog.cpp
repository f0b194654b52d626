#include "pages/GridDialog.h"

#include <stdexcept>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>

#include "pages/CalPageRoutines.h"
#include "widgets/CMSFlexGrid.h"
#include "widgets/CellEdit.h"
#include "widgets/DialogTemplate.h"
#include "widgets/UpDownControl.h"

namespace qmcal {

namespace {

constexpr std::uint32_t kRed = 255;
constexpr std::uint32_t kBlack = 0;

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

GridDialog::GridDialog(const char* templatePath, Qt::WindowFlags flags, QWidget* parent)
    : QDialog(parent)
{
    setWindowFlags(flags);
    const QString path = QString::fromUtf8(templatePath);
    const DialogTemplate dialog = LoadDialogTemplate(path);
    const DialogControls built = BuildDialogControls(*this, dialog, MakePageControl);
    m_templateSize = DialogUnitsToPixels(dialog.size, DialogFont(dialog));
    resize(m_templateSize);

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
    if (m_grid == nullptr)
        throw std::logic_error(path.toStdString() + ": a grid dialog needs its grid");

    // Tab controls lie under the grid; editors and up-downs lie over it.
    for (const auto& [id, widget] : m_controls) {
        if (qobject_cast<QTabWidget*>(widget) != nullptr)
            widget->lower();
    }
    for (const auto& [id, widget] : m_controls) {
        if (qobject_cast<QLineEdit*>(widget) != nullptr || qobject_cast<UpDownControl*>(widget) != nullptr
            || qobject_cast<QComboBox*>(widget) != nullptr)
            widget->raise();
    }

    OrderFocusByReading(dialog);

    connect(m_grid, &CMSFlexGrid::CellEntered, this, [this] { m_grid->SetCurrentCellColor(kRed); });
    connect(m_grid, &CMSFlexGrid::CellLeft, this, [this] { m_grid->SetCurrentCellColor(kBlack); });
}

GridDialog::~GridDialog() = default;

void GridDialog::OrderFocusByReading(const DialogTemplate& dialog)
{
    // The templates list the grid before its band tabs and "Store All" before the buttons at the
    // top; Tab follows the page as it reads instead, and the editors come up inside the grid.
    QWidget* previous = nullptr;
    const auto follow = [&previous](QWidget* widget) {
        if (widget == nullptr || widget->focusPolicy() == Qt::NoFocus)
            return;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    };
    for (const std::size_t index : ReadingOrder(dialog)) {
        QWidget* widget = Control(dialog.controls[index].id);
        follow(widget);
        if (widget != m_grid)
            continue;
        for (const ControlTemplate& control : dialog.controls) {
            if (control.HasFlag(QStringLiteral("hidden")))
                follow(Control(control.id));
        }
    }
}

QWidget* GridDialog::Control(int id) const
{
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

QPushButton* GridDialog::Button(int id) const
{
    return qobject_cast<QPushButton*>(Control(id));
}

UpDownControl* GridDialog::UpDown(int upDownId) const
{
    return qobject_cast<UpDownControl*>(Control(upDownId));
}

QRect GridDialog::CurrentCellEditorRect() const
{
    const int row = m_grid->CurrentRow();
    const int col = m_grid->CurrentCol();
    const QRect gridRect = m_grid->geometry();
    const int tx = m_grid->TwipsPerPixelX();
    const int ty = m_grid->TwipsPerPixelY();
    const int x = m_grid->ColLeft(col) / tx;
    const int y = m_grid->RowTop(row) / ty;
    const int w = m_grid->ColWidth(col) / tx + 1;
    const int h = m_grid->RowHeight(row) / ty + 2;
    // Left x + 1, top y + 1, right x + w, bottom y + h (exclusive), inside the grid's border.
    return QRect(x + 1, y + 1, w - 1, h - 1).translated(gridRect.left() + 1, gridRect.top() + 1);
}

void GridDialog::ShowCellEditor(CellEdit& edit, UpDownControl* upDown)
{
    edit.setGeometry(CurrentCellEditorRect());
    m_grid->SetCellEditor(&edit);
    edit.show();
    edit.raise();
    edit.SetText(m_grid->CellText(m_grid->CurrentRow(), m_grid->CurrentCol()));
    edit.setFocus(Qt::OtherFocusReason);
    edit.selectAll();
    if (upDown != nullptr) {
        upDown->SetBuddy(&edit);
        upDown->show();
    }
}

void GridDialog::HideEditor(QWidget* editor, UpDownControl* upDown)
{
    // The platform leaves the focus on a hidden edit; here it would wander to the next
    // control, so it goes to the grid, where the next Enter still reaches the cell.
    if (editor->hasFocus())
        m_grid->setFocus(Qt::OtherFocusReason);
    editor->hide();
    if (upDown != nullptr)
        upDown->hide();
}

bool GridDialog::IsGrid(const QWidget* widget) const
{
    return widget != nullptr && (widget == m_grid || m_grid->isAncestorOf(widget));
}

bool GridDialog::PressHitDataCell() const
{
    const int row = m_grid->MouseRow();
    const int col = m_grid->MouseCol();
    return row > 0 && row >= m_grid->FixedRows() && col >= 0 && col >= m_grid->FixedCols();
}

void GridDialog::keyPressEvent(QKeyEvent* event)
{
    // Keys end here: Enter and Escape must not close the dialog, and arrows must not reach the
    // main window's tab strip.
    event->accept();
}

// ---- shared routines ------------------------------------------------------------------------

void GridDialog::SpinStep(UpDownControl& control, int delta)
{
    if (QLineEdit* buddy = control.Buddy())
        SetEditText(*buddy, HexSpinText(buddy->text(), delta, control.Low(), control.High()));
}

void GridDialog::SignedSpinStep(UpDownControl& control, int delta)
{
    if (QLineEdit* buddy = control.Buddy())
        SetEditText(*buddy, SignedSpinText(buddy->text(), delta, control.Low(), control.High()));
}

void GridDialog::PressEnterInFocus()
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
