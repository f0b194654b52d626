#include "widgets/CMSFlexGrid.h"

#include <algorithm>

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>

#include "widgets/CMSFlexGridAccessible.h"

namespace qmcal {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kDefaultColTwips = 975;
constexpr int kMinRowTwips = 240;
constexpr int kTextMargin = 2;
constexpr double kSmallestPoints = 6.0;  // how far an overlong caption shrinks

QColor ColorFromBgr(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

Qt::Alignment QtAlignment(int alignment)
{
    static constexpr Qt::AlignmentFlag kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                        Qt::AlignRight};
    static constexpr Qt::AlignmentFlag kVertical[] = {Qt::AlignTop, Qt::AlignVCenter,
                                                      Qt::AlignBottom};
    if (alignment < CMSFlexGrid::kLeftTop || alignment > CMSFlexGrid::kRightBottom)
        return Qt::AlignLeft | Qt::AlignVCenter;
    return kHorizontal[alignment / 3] | kVertical[alignment % 3];
}

} // namespace

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    // The control's own default shape: one caption row and column, one cell of data.
    Resize(2, 2);
}

// ---- shape ------------------------------------------------------------------------------

void CMSFlexGrid::Resize(int rows, int cols)
{
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    std::vector<Cell> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (int r = 0; r < std::min(rows, m_rows); ++r) {
        for (int c = 0; c < std::min(cols, m_cols); ++c)
            cells[static_cast<std::size_t>(r * cols + c)] = *CellPtr(r, c);
    }
    m_cells = std::move(cells);
    m_rows = rows;
    m_cols = cols;
    m_rowTwips.resize(static_cast<std::size_t>(rows), 0);
    m_colTwips.resize(static_cast<std::size_t>(cols), 0);
    m_colAlignment.resize(static_cast<std::size_t>(cols), kGeneral);
    m_fixedRows = std::min(m_fixedRows, rows);
    m_fixedCols = std::min(m_fixedCols, cols);
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
    AnnounceShape();
}

void CMSFlexGrid::AnnounceShape()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
}

void CMSFlexGrid::AnnounceCurrentCell()
{
    // Not held back while no reader is active, unlike the shape: the event is cheap, and it is
    // how anything that listens (a test, too) learns where the focus went.
    if (!hasFocus())
        return;
    // Only the table knows its cells as children; without its factory Qt's scroll area does
    // not check a child's index.
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(this);
    if (table == nullptr || table->tableInterface() == nullptr)
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(GridCellIndex(*this, m_currentRow, m_currentCol));
    QAccessible::updateAccessibility(&event);
}

void CMSFlexGrid::ClampCurrent()
{
    m_currentRow = std::clamp(m_currentRow, std::min(m_fixedRows, m_rows - 1), m_rows - 1);
    m_currentCol = std::clamp(m_currentCol, std::min(m_fixedCols, m_cols - 1), m_cols - 1);
}

void CMSFlexGrid::SetGridRowCount(int rows)
{
    Resize(rows, m_cols);
}

void CMSFlexGrid::SetGridColCount(int cols)
{
    Resize(m_rows, cols);
}

void CMSFlexGrid::SetFixedRows(int rows)
{
    m_fixedRows = std::clamp(rows, 0, m_rows);
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
    AnnounceShape();
}

void CMSFlexGrid::SetFixedCols(int cols)
{
    m_fixedCols = std::clamp(cols, 0, m_cols);
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
    AnnounceShape();
}

void CMSFlexGrid::SetHeaderFormat(const QString& format)
{
    const QStringList captions = format.section(QLatin1Char(';'), 0, 0).split(QLatin1Char('|'));
    if (m_rows < 1)
        Resize(1, m_cols);
    Resize(m_rows, static_cast<int>(captions.size()));
    for (int c = 0; c < m_cols; ++c)
        CellPtr(0, c)->text = captions.at(c);
    viewport()->update();
}

void CMSFlexGrid::SetWordWrap(bool on)
{
    m_wordWrap = on;
    viewport()->update();
}

void CMSFlexGrid::SetColAlignment(int col, int alignment)
{
    if (col < 0 || col >= m_cols)
        return;
    m_colAlignment[static_cast<std::size_t>(col)] = alignment;
    viewport()->update();
}

int CMSFlexGrid::ColAlignment(int col) const
{
    return col >= 0 && col < m_cols ? m_colAlignment[static_cast<std::size_t>(col)] : kGeneral;
}

int CMSFlexGrid::ColWidth(int col) const
{
    if (col < 0 || col >= m_cols)
        return 0;
    const int twips = m_colTwips[static_cast<std::size_t>(col)];
    return twips > 0 ? twips : kDefaultColTwips;
}

void CMSFlexGrid::SetColWidth(int col, int twips)
{
    if (col < 0 || col >= m_cols)
        return;
    m_colTwips[static_cast<std::size_t>(col)] = std::max(twips, 0);
    UpdateScrollBars();
    viewport()->update();
}

int CMSFlexGrid::RowHeight(int row) const
{
    if (row < 0 || row >= m_rows)
        return 0;
    const int twips = m_rowTwips[static_cast<std::size_t>(row)];
    return twips > 0 ? twips : DefaultRowHeight();
}

void CMSFlexGrid::SetRowHeight(int row, int twips)
{
    if (row < 0 || row >= m_rows)
        return;
    m_rowTwips[static_cast<std::size_t>(row)] = std::max(twips, 0);
    UpdateScrollBars();
    viewport()->update();
}

int CMSFlexGrid::DefaultRowHeight() const
{
    return std::max(kMinRowTwips, (fontMetrics().height() + 2 * kTextMargin) * TwipsPerPixelY());
}

// ---- cells ------------------------------------------------------------------------------

const CMSFlexGrid::Cell* CMSFlexGrid::CellPtr(int row, int col) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return nullptr;
    return &m_cells[static_cast<std::size_t>(row * m_cols + col)];
}

CMSFlexGrid::Cell* CMSFlexGrid::CellPtr(int row, int col)
{
    return const_cast<Cell*>(static_cast<const CMSFlexGrid*>(this)->CellPtr(row, col));
}

QString CMSFlexGrid::CellText(int row, int col) const
{
    const Cell* cell = CellPtr(row, col);
    return cell ? cell->text : QString();
}

void CMSFlexGrid::SetCellText(int row, int col, const QString& text)
{
    if (Cell* cell = CellPtr(row, col)) {
        cell->text = text;
        viewport()->update();
    }
}

QRect CMSFlexGrid::TextRect(int row, int col) const
{
    return CellRect(row, col).adjusted(kTextMargin, 0, -kTextMargin, 0);
}

CMSFlexGrid::TextLayout CMSFlexGrid::LayOutText(const QString& text, const QRect& textRect, const QFont& font) const
{
    if (!m_wordWrap)
        return {QStringList{text}, font};
    // Qt's own word wrap also breaks after a hyphen, which would cut "(0-FF)" in two.
    const auto wrap = [&text, &textRect](const QFontMetrics& metrics) {
        QStringList lines;
        for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
            QString line;
            for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
                if (!line.isEmpty() && metrics.horizontalAdvance(longer) > textRect.width()) {
                    lines << line;
                    line = word;
                } else {
                    line = longer;
                }
            }
            lines << line;
        }
        return lines;
    };
    const auto fits = [&textRect](const QFontMetrics& metrics, const QStringList& lines) {
        if (metrics.height() * lines.size() > textRect.height())
            return false;
        for (const QString& line : lines) {
            if (metrics.horizontalAdvance(line) > textRect.width())
                return false;
        }
        return true;
    };
    // A caption with more lines than its row holds, or a word wider than its column, is drawn
    // smaller rather than cut off.
    TextLayout layout{wrap(QFontMetrics(font)), font};
    while (layout.font.pointSizeF() > kSmallestPoints && !fits(QFontMetrics(layout.font), layout.lines)) {
        layout.font.setPointSizeF(layout.font.pointSizeF() - 0.5);
        layout.lines = wrap(QFontMetrics(layout.font));
    }
    return layout;
}

QStringList CMSFlexGrid::CellLines(int row, int col) const
{
    const Cell* cell = CellPtr(row, col);
    return cell ? LayOutText(cell->text, TextRect(row, col), viewport()->font()).lines : QStringList();
}

std::uint32_t CMSFlexGrid::CellColor(int row, int col) const
{
    const Cell* cell = CellPtr(row, col);
    return cell ? cell->color : 0;
}

void CMSFlexGrid::SetCurrentCell(int row, int col)
{
    if (row < m_fixedRows || row >= m_rows || col < m_fixedCols || col >= m_cols)
        return;
    if (row == m_currentRow && col == m_currentCol)
        return;
    Q_EMIT CellLeft();
    m_currentRow = row;
    m_currentCol = col;
    EnsureVisible(row, col);
    Q_EMIT CellEntered();
    viewport()->update();
    AnnounceCurrentCell();
}

void CMSFlexGrid::SetCurrentCellText(const QString& text)
{
    SetCellText(m_currentRow, m_currentCol, text);
}

void CMSFlexGrid::SetCurrentCellColor(std::uint32_t bgr)
{
    if (Cell* cell = CellPtr(m_currentRow, m_currentCol)) {
        cell->color = bgr;
        viewport()->update();
    }
}

// ---- geometry ---------------------------------------------------------------------------

int CMSFlexGrid::TwipsPerPixelX() const
{
    return std::max(1, kTwipsPerInch / std::max(1, logicalDpiX()));
}

int CMSFlexGrid::TwipsPerPixelY() const
{
    return std::max(1, kTwipsPerInch / std::max(1, logicalDpiY()));
}

int CMSFlexGrid::RowPixels(int row) const
{
    return RowHeight(row) / TwipsPerPixelY();
}

int CMSFlexGrid::ColPixels(int col) const
{
    return ColWidth(col) / TwipsPerPixelX();
}

int CMSFlexGrid::TopRow() const
{
    return m_fixedRows + verticalScrollBar()->value();
}

int CMSFlexGrid::LeftCol() const
{
    return m_fixedCols + horizontalScrollBar()->value();
}

CMSFlexGrid::Axis CMSFlexGrid::RowAxis() const
{
    return {m_rows, m_fixedRows, TopRow(), [this](int r) { return RowPixels(r); }};
}

CMSFlexGrid::Axis CMSFlexGrid::ColAxis() const
{
    return {m_cols, m_fixedCols, LeftCol(), [this](int c) { return ColPixels(c); }};
}

int CMSFlexGrid::Axis::FixedExtent() const
{
    int extent = 0;
    for (int i = 0; i < fixed; ++i)
        extent += pixels(i);
    return extent;
}

int CMSFlexGrid::Axis::Position(int index) const
{
    int at = 0;
    for (int i = 0; i < std::min(index, fixed); ++i)
        at += pixels(i);
    if (index < fixed)
        return at;
    for (int i = first; i < index; ++i)
        at += pixels(i);
    for (int i = index; i < first; ++i)
        at -= pixels(i);
    return at;
}

int CMSFlexGrid::Axis::IndexAt(int pixel) const
{
    // Fixed rows and columns cover whatever scrolled beneath them.
    for (int i = pixel < FixedExtent() ? 0 : first; i < count; ++i) {
        const int at = Position(i);
        if (pixel >= at && pixel < at + pixels(i))
            return i;
    }
    return -1;
}

// Scrolling stops once the last row (column) is fully in view.
void CMSFlexGrid::Axis::SetScrollRange(QScrollBar& bar, int viewExtent) const
{
    const int available = viewExtent - FixedExtent();
    int firstInView = count;
    for (int used = 0; firstInView > fixed && used + pixels(firstInView - 1) <= available; --firstInView)
        used += pixels(firstInView - 1);
    bar.setRange(0, std::max(0, firstInView - fixed));
    bar.setPageStep(std::max(1, count - firstInView));
}

int CMSFlexGrid::RowY(int row) const
{
    return RowAxis().Position(row);
}

int CMSFlexGrid::ColX(int col) const
{
    return ColAxis().Position(col);
}

int CMSFlexGrid::RowTop(int row) const
{
    return RowY(row) * TwipsPerPixelY();
}

int CMSFlexGrid::ColLeft(int col) const
{
    return ColX(col) * TwipsPerPixelX();
}

QRect CMSFlexGrid::CellRect(int row, int col) const
{
    return QRect(ColX(col), RowY(row), ColPixels(col), RowPixels(row));
}

QPoint CMSFlexGrid::CellAt(const QPoint& point) const
{
    const int row = RowAxis().IndexAt(point.y());
    const int col = ColAxis().IndexAt(point.x());
    if (row < 0 || col < 0)
        return QPoint(-1, -1);
    return QPoint(col, row);
}

void CMSFlexGrid::EnsureVisible(int row, int col)
{
    if (row >= m_fixedRows && row < m_rows) {
        QScrollBar* bar = verticalScrollBar();
        if (row < TopRow())
            bar->setValue(row - m_fixedRows);
        while (RowY(row) + RowPixels(row) > viewport()->height() && TopRow() < row
               && bar->value() < bar->maximum())
            bar->setValue(bar->value() + 1);
    }
    if (col >= m_fixedCols && col < m_cols) {
        QScrollBar* bar = horizontalScrollBar();
        if (col < LeftCol())
            bar->setValue(col - m_fixedCols);
        while (ColX(col) + ColPixels(col) > viewport()->width() && LeftCol() < col
               && bar->value() < bar->maximum())
            bar->setValue(bar->value() + 1);
    }
}

void CMSFlexGrid::UpdateScrollBars()
{
    RowAxis().SetScrollRange(*verticalScrollBar(), viewport()->height());
    ColAxis().SetScrollRange(*horizontalScrollBar(), viewport()->width());
}

// ---- events -----------------------------------------------------------------------------

void CMSFlexGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QPalette& pal = palette();
    painter.fillRect(viewport()->rect(), pal.color(QPalette::Dark));

    const int fixedHeight = RowAxis().FixedExtent();
    const int fixedWidth = ColAxis().FixedExtent();

    const auto paintCell = [&](int r, int c) {
        const QRect rect = CellRect(r, c);
        if (rect.width() <= 0 || rect.height() <= 0)
            return;
        const bool fixed = r < m_fixedRows || c < m_fixedCols;
        painter.fillRect(rect, pal.color(fixed ? QPalette::Button : QPalette::Base));
        painter.setPen(pal.color(fixed ? QPalette::Shadow : QPalette::Mid));
        painter.drawLine(rect.topRight(), rect.bottomRight());
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        const Cell* cell = CellPtr(r, c);
        painter.setPen(fixed ? pal.color(QPalette::ButtonText) : ColorFromBgr(cell->color));
        const QRect textRect = TextRect(r, c);
        const QFont font = painter.font();
        const TextLayout layout = LayOutText(cell->text, textRect, font);
        painter.setFont(layout.font);
        painter.drawText(textRect, static_cast<int>(QtAlignment(ColAlignment(c))), layout.lines.join(QLatin1Char('\n')));
        painter.setFont(font);
    };
    const auto paintRange = [&](int rowFrom, int rowTo, int colFrom, int colTo, const QRect& clip) {
        painter.save();
        painter.setClipRect(clip);
        for (int r = rowFrom; r < rowTo; ++r) {
            if (RowY(r) >= clip.bottom() + 1)
                break;
            for (int c = colFrom; c < colTo; ++c) {
                if (ColX(c) >= clip.right() + 1)
                    break;
                paintCell(r, c);
            }
        }
        painter.restore();
    };
    const QRect all = viewport()->rect();
    const QRect scrolling = all.adjusted(fixedWidth, fixedHeight, 0, 0);
    paintRange(TopRow(), m_rows, LeftCol(), m_cols, scrolling);
    paintRange(0, m_fixedRows, LeftCol(), m_cols, QRect(fixedWidth, 0, all.width(), fixedHeight));
    paintRange(TopRow(), m_rows, 0, m_fixedCols, QRect(0, fixedHeight, fixedWidth, all.height()));
    paintRange(0, m_fixedRows, 0, m_fixedCols, QRect(0, 0, fixedWidth, fixedHeight));

    if (m_currentRow >= 0 && m_currentRow < m_rows && m_currentCol >= 0 && m_currentCol < m_cols) {
        painter.setClipRect(scrolling);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = CellRect(m_currentRow, m_currentCol).adjusted(1, 1, -2, -2);
        option.backgroundColor = pal.color(QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        // The dotted frame shows the current cell; the keyboard focus needs more to be seen.
        if (hasFocus()) {
            painter.setPen(QPen(pal.color(QPalette::Highlight), 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(CellRect(m_currentRow, m_currentCol).adjusted(1, 1, -1, -1));
        }
    }
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const QPoint cell = CellAt(pos);
    m_mouseRow = cell.y();
    m_mouseCol = cell.x();
    if (event->button() == Qt::LeftButton && cell.y() >= 0)
        SetCurrentCell(cell.y(), cell.x());

    int button = 0;
    if (event->button() == Qt::LeftButton)
        button = kLeftButton;
    else if (event->button() == Qt::RightButton)
        button = kRightButton;
    else if (event->button() == Qt::MiddleButton)
        button = kMiddleButton;
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        shift |= kShiftKey;
    if (event->modifiers() & Qt::ControlModifier)
        shift |= kCtrlKey;
    if (event->modifiers() & Qt::AltModifier)
        shift |= kAltKey;
    event->accept();
    Q_EMIT MousePressed(button, shift, pos.x() * TwipsPerPixelX(), pos.y() * TwipsPerPixelY());
}

void CMSFlexGrid::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void CMSFlexGrid::keyPressEvent(QKeyEvent* event)
{
    int row = m_currentRow;
    int col = m_currentCol;
    const int page = std::max(1, verticalScrollBar()->pageStep());
    switch (event->key()) {
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_Left: --col; break;
    case Qt::Key_Right: ++col; break;
    case Qt::Key_PageUp: row -= page; break;
    case Qt::Key_PageDown: row += page; break;
    case Qt::Key_Home: col = m_fixedCols; break;
    case Qt::Key_End: col = m_cols - 1; break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    SetCurrentCell(std::clamp(row, m_fixedRows, std::max(m_fixedRows, m_rows - 1)),
                   std::clamp(col, m_fixedCols, std::max(m_fixedCols, m_cols - 1)));
    event->accept();
}

void CMSFlexGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    AnnounceCurrentCell();
}

void CMSFlexGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void CMSFlexGrid::wheelEvent(QWheelEvent* event)
{
    // An editor placed over a cell must not stay behind while the cells scroll away under it:
    // the wheel takes the focus as a click on the scroll bar does, which closes the editor.
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    QAbstractScrollArea::wheelEvent(event);
}

void CMSFlexGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CMSFlexGrid::scrollContentsBy(int, int)
{
    viewport()->update();
}

} // namespace qmcal
