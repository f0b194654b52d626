// The grid and the edit on their own, where the pages rely on details of them.

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

#include "widgets/CMSFlexGrid.h"
#include "widgets/CellEdit.h"

namespace qmcal {
namespace {

class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.resize(400, 200);
        grid.SetGridRowCount(12);
        grid.SetGridColCount(3);
        grid.SetHeaderFormat(QStringLiteral("|W SQL|N SQL"));
        grid.SetRowHeight(0, 500);
        for (int c = 0; c < 3; ++c)
            grid.SetColWidth(c, c == 0 ? 1500 : 1000);
        connect();
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    void connect()
    {
        QObject::connect(&grid, &CMSFlexGrid::CellLeft, [this] {
            events << QStringLiteral("left %1,%2").arg(grid.CurrentRow()).arg(grid.CurrentCol());
        });
        QObject::connect(&grid, &CMSFlexGrid::CellEntered, [this] {
            events << QStringLiteral("entered %1,%2").arg(grid.CurrentRow()).arg(grid.CurrentCol());
        });
        QObject::connect(&grid, &CMSFlexGrid::MousePressed, [this](int button, int shift, int, int) {
            events << QStringLiteral("pressed %1 %2 at %3,%4").arg(button).arg(shift).arg(grid.MouseRow()).arg(grid.MouseCol());
        });
    }

    void Click(int row, int col, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(grid.viewport(), button, mods, grid.CellRect(row, col).center());
    }

    CMSFlexGrid grid;
    QStringList events;
};

TEST_F(GridTest, ClickMovesTheCurrentCellBeforeThePressIsReported)
{
    EXPECT_EQ(grid.CellText(0, 0), QString());
    EXPECT_EQ(grid.CellText(0, 2), QStringLiteral("N SQL"));
    EXPECT_EQ(grid.CurrentRow(), 1);
    EXPECT_EQ(grid.CurrentCol(), 1);  // the caption column is fixed
    Click(3, 2, Qt::LeftButton, Qt::ShiftModifier);
    Click(3, 2);
    Click(0, 1);                      // captions: reported, not made current
    Click(5, 0);                      // the fixed column neither
    Click(4, 1, Qt::RightButton);     // the right button does not move the current cell
    EXPECT_EQ(events, QStringList({"left 1,1", "entered 3,2", "pressed 1 1 at 3,2", "pressed 1 0 at 3,2",
                                   "pressed 1 0 at 0,1", "pressed 1 0 at 5,0", "pressed 2 0 at 4,1"}));
}

TEST_F(GridTest, GeometryIsTheCellAsDrawnAlsoWhenScrolled)
{
    grid.SetFixedCols(1);
    grid.SetCellText(11, 2, QStringLiteral("-64"));
    Click(11, 2);  // scrolls the last row into view
    ASSERT_GT(grid.CellRect(11, 2).top(), 0);
    const int tx = grid.TwipsPerPixelX();
    const int ty = grid.TwipsPerPixelY();
    for (int row : {0, 1, 11}) {
        for (int col : {0, 2}) {
            const QRect cell = grid.CellRect(row, col);
            EXPECT_EQ(grid.RowTop(row) / ty, cell.top()) << row;
            EXPECT_EQ(grid.ColLeft(col) / tx, cell.left()) << col;
            EXPECT_EQ(grid.RowHeight(row) / ty, cell.height()) << row;
            EXPECT_EQ(grid.ColWidth(col) / tx, cell.width()) << col;
            if (cell.top() >= grid.CellRect(0, 0).bottom()) {
                EXPECT_EQ(grid.CellAt(cell.center()), QPoint(col, row));
            }
        }
    }
    // Row 1 has scrolled away beneath the fixed caption row.
    EXPECT_LT(grid.RowTop(1), grid.RowTop(0) + grid.RowHeight(0));
    EXPECT_EQ(grid.CellText(11, 2), QStringLiteral("-64"));
}

TEST_F(GridTest, WithoutFixedRowsTheCaptionRowCanBeCurrent)
{
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    Click(0, 2);
    EXPECT_EQ(grid.CurrentRow(), 0);
    EXPECT_EQ(grid.CurrentCol(), 2);
    grid.SetCurrentCellColor(255);
    EXPECT_EQ(grid.CellColor(0, 2), 255u);
    // Fewer rows keep the cells that remain.
    grid.SetGridRowCount(2);
    EXPECT_EQ(grid.CellText(0, 2), QStringLiteral("N SQL"));
    EXPECT_EQ(grid.CellColor(0, 2), 255u);
}

struct EditCase {
    const char* preset;  // set by the program
    const char* typed;
    const char* result;
};

TEST(CellEdit, LimitStopsTypingButNeverCutsTextSetByTheProgram)
{
    CellEdit edit;
    edit.SetTextLimit(2);
    edit.SetUpperCase(true);
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    const EditCase cases[] = {
        {"", "abc", "AB"},
        {"1F", "", "1F"},
        {"ABC", "d", "ABC"},  // already over the limit: nothing more goes in
        {"", "f", "F"},
    };
    for (const EditCase& c : cases) {
        edit.SetText(QString::fromLatin1(c.preset));
        edit.end(false);
        QTest::keyClicks(&edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(edit.text(), QString::fromLatin1(c.result)) << c.preset << "+" << c.typed;
    }
    // Pasted text is cut to what fits, and turned to capitals.
    edit.clear();
    QApplication::clipboard()->setText(QStringLiteral("abcdef"));
    edit.paste();
    EXPECT_EQ(edit.text(), QStringLiteral("AB"));
}

} // namespace
} // namespace qmcal
