#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QAbstractScrollArea>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QStringList>

class QScrollBar;

namespace qmcal {

// The grid of text cells every calibration page and the Sql Fine dialog show. Row 0 carries
// the captions; the first FixedRows rows and FixedCols columns stay in place while the rest
// scrolls by whole rows and columns. Sizes are twips (1/1440 inch) and convert to pixels by
// 1440 / logical dpi, so RowTop, ColLeft, ColWidth and RowHeight describe a cell exactly as it
// is drawn. The grid never edits a cell itself: pages place their own editors over it.
class CMSFlexGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    // Cell alignments as the pages pass them (4: centred both ways).
    enum Alignment {
        kLeftTop, kLeftCenter, kLeftBottom, kCenterTop, kCenterCenter, kCenterBottom,
        kRightTop, kRightCenter, kRightBottom, kGeneral,
    };
    // Mouse buttons and shift state of MousePressed.
    static constexpr int kLeftButton = 1;
    static constexpr int kRightButton = 2;
    static constexpr int kMiddleButton = 4;
    static constexpr int kShiftKey = 1;
    static constexpr int kCtrlKey = 2;
    static constexpr int kAltKey = 4;

    explicit CMSFlexGrid(QWidget* parent = nullptr);

    int GridRowCount() const { return m_rows; }
    void SetGridRowCount(int rows);
    int GridColCount() const { return m_cols; }
    void SetGridColCount(int cols);
    int FixedRows() const { return m_fixedRows; }
    void SetFixedRows(int rows);
    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int cols);

    // Captions of row 0, one per column, separated by "|".
    void SetHeaderFormat(const QString& format);
    void SetWordWrap(bool on);
    bool WordWrap() const { return m_wordWrap; }
    void SetColAlignment(int col, int alignment);
    int ColAlignment(int col) const;

    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips);

    QString CellText(int row, int col) const;
    void SetCellText(int row, int col, const QString& text);
    // The lines a cell's text is drawn in: with word wrap, broken at spaces only, so that a
    // range such as "(0-FF)" stays whole.
    QStringList CellLines(int row, int col) const;
    // Text colour of a cell as 0x00BBGGRR.
    std::uint32_t CellColor(int row, int col) const;

    int CurrentRow() const { return m_currentRow; }
    int CurrentCol() const { return m_currentCol; }
    // Makes a cell current as a click or an arrow key does: cell left, then cell entered.
    // Fixed cells cannot become current.
    void SetCurrentCell(int row, int col);
    void SetCurrentCellText(const QString& text);
    void SetCurrentCellColor(std::uint32_t bgr);

    // The cell under the mouse at the last button press (-1 outside every cell).
    int MouseRow() const { return m_mouseRow; }
    int MouseCol() const { return m_mouseCol; }

    // Twips from the top-left corner of the grid's client area to the cell as drawn, after
    // scrolling (negative for cells scrolled out above or to the left).
    int RowTop(int row) const;
    int ColLeft(int col) const;

    int TwipsPerPixelX() const;
    int TwipsPerPixelY() const;
    // The cell's rectangle in pixels of the viewport, as drawn.
    QRect CellRect(int row, int col) const;
    // Cell under a viewport point, or (-1, -1).
    QPoint CellAt(const QPoint& viewportPoint) const;
    void EnsureVisible(int row, int col);

    // The editor a page has placed over the current cell (nullptr when none): a screen reader
    // finds it inside that cell.
    void SetCellEditor(QWidget* editor) { m_cellEditor = editor; }
    QWidget* CellEditor() const { return m_cellEditor; }

Q_SIGNALS:
    // A mouse button went down over the grid: button and shift as the constants above, the
    // position in twips from the client area's corner. The current cell has already moved.
    void MousePressed(int button, int shift, int x, int y);
    void CellEntered();
    void CellLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Cell {
        QString text;
        std::uint32_t color = 0;
    };

    // One direction of the grid: its cells, how many are fixed, the first one scrolled into
    // view, and each one's size in pixels.
    struct Axis {
        int count;
        int fixed;
        int first;
        std::function<int(int)> pixels;

        int FixedExtent() const;
        int Position(int index) const;  // pixels from the client edge, as drawn
        int IndexAt(int pixel) const;   // -1 outside every cell
        void SetScrollRange(QScrollBar& bar, int viewExtent) const;
    };
    // How a cell's text is drawn: its lines and the font, made smaller for a caption that does
    // not fit its cell otherwise.
    struct TextLayout {
        QStringList lines;
        QFont font;
    };
    TextLayout LayOutText(const QString& text, const QRect& textRect, const QFont& font) const;
    QRect TextRect(int row, int col) const;

    Axis RowAxis() const;
    Axis ColAxis() const;

    void Resize(int rows, int cols);
    // Screen readers: the cells changed shape; the current cell has the focus.
    void AnnounceShape();
    void AnnounceCurrentCell();
    void ClampCurrent();
    void UpdateScrollBars();
    int DefaultRowHeight() const;
    int RowPixels(int row) const;
    int ColPixels(int col) const;
    int RowY(int row) const;
    int ColX(int col) const;
    int TopRow() const;
    int LeftCol() const;
    const Cell* CellPtr(int row, int col) const;
    Cell* CellPtr(int row, int col);

    int m_rows = 0;
    int m_cols = 0;
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    bool m_wordWrap = false;
    int m_currentRow = 1;
    int m_currentCol = 1;
    int m_mouseRow = -1;
    int m_mouseCol = -1;
    std::vector<Cell> m_cells;
    std::vector<int> m_colTwips;     // 0: the default width
    std::vector<int> m_rowTwips;     // 0: the default height
    std::vector<int> m_colAlignment;
    QPointer<QWidget> m_cellEditor;
};

} // namespace qmcal
