// What a screen reader finds: the workbench's Power page and the Sql Fine dialog walked through
// Qt's accessibility classes, and the focus event of a moving current cell.

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QTest>

#include "app/AppHarness.h"
#include "data/LittleEndian.h"
#include "pages/CalPage.h"
#include "pages/SqlFineDialog.h"
#include "widgets/CMSFlexGrid.h"
#include "widgets/CMSFlexGridAccessible.h"
#include "widgets/CellEdit.h"
#include "widgets/UpDownControl.h"

namespace qmcal::test {
namespace {

// Every accessible below root, depth first; each child must know its place in its parent.
void Walk(QAccessibleInterface* root, std::vector<QAccessibleInterface*>& found)
{
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        if (child == nullptr) {
            ADD_FAILURE() << "no child " << i << " of " << root->text(QAccessible::Name).toStdString();
            continue;
        }
        EXPECT_EQ(root->indexOfChild(child), i) << child->text(QAccessible::Name).toStdString();
        found.push_back(child);
        Walk(child, found);
    }
}

std::vector<QAccessibleInterface*> Shown(QAccessibleInterface* root, QAccessible::Role role)
{
    std::vector<QAccessibleInterface*> all;
    Walk(root, all);
    std::vector<QAccessibleInterface*> shown;
    for (QAccessibleInterface* iface : all) {
        if (iface->role() == role && !iface->state().invisible)
            shown.push_back(iface);
    }
    return shown;
}

QStringList SortedNames(const std::vector<QAccessibleInterface*>& interfaces)
{
    QStringList names;
    for (QAccessibleInterface* iface : interfaces)
        names << iface->text(QAccessible::Name);
    names.sort();
    return names;
}

QStringList Sorted(QStringList names)
{
    names.sort();
    return names;
}

class AccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        h.shell.workbench = true;
        MainDialogSeams seams;  // the real page factory
        seams.portLister = [] { return QStringList(); };
        dialog = std::make_unique<MainDialog>(h.context, std::move(seams));
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    AppHarness h;
    std::unique_ptr<MainDialog> dialog;
};

TEST_F(AccessibilityTest, AReaderFindsTheControlsAndEveryCellOfThePowerPageAndTheSqlFineDialog)
{
    putU8(h.image.ParamArea(), 0xF7EA, 0xFB);  // Sql Fine "450M R", "W SQL": -5
    SqlFineDialog sqlFine(h.image, h.link, dialog.get());
    sqlFine.show();

    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(dialog.get());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SortedNames(Shown(window, QAccessible::EditableText)),
              Sorted({"Port", "PTT", "Prompt", "File Name"}));

    std::vector<QAccessibleInterface*> pages;
    for (QAccessibleInterface* page : Shown(window, QAccessible::Dialog)) {
        if (page->text(QAccessible::Name) == QLatin1String("Power"))
            pages.push_back(page);
    }
    ASSERT_EQ(pages.size(), 1u) << "the Power page under the main window";

    const struct {
        const char* name;
        QAccessibleInterface* root;
        CMSFlexGrid* grid;
        QStringList buttons;
        QStringList bandTabs;
        int rows;
        int cols;
        QStringList rowLabels;  // of the first and the last row
        std::pair<int, int> cell;  // row, column in the table
        const char* cellText;
    } cases[] = {
        {"Power page", pages.front(), qobject_cast<CalPage*>(dialog->Page(0))->Grid(),
         {"PTT Start", "PTT End", "Store Current", "Store All"},
         {"30M", "50M", "66M", "150M", "250M", "350M", "450M"}, 14, 5, {"", ""}, {0, 0}, "20.00000"},
        {"Sql Fine dialog", QAccessible::queryAccessibleInterface(&sqlFine), sqlFine.Grid(), {"Read"}, {}, 11, 3,
         {"30M", "450M R"}, {10, 1}, "-5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SortedNames(Shown(c.root, QAccessible::Button)), Sorted(c.buttons));
        EXPECT_EQ(SortedNames(Shown(c.root, QAccessible::PageTab)), Sorted(c.bandTabs));

        const std::vector<QAccessibleInterface*> tables = Shown(c.root, QAccessible::Table);
        ASSERT_EQ(tables.size(), 1u);
        QAccessibleTableInterface* table = tables.front()->tableInterface();
        ASSERT_NE(table, nullptr);
        ASSERT_EQ(table->rowCount(), c.rows);
        ASSERT_EQ(table->columnCount(), c.cols);
        EXPECT_EQ(QStringList({table->rowDescription(0), table->rowDescription(c.rows - 1)}), c.rowLabels);
        for (int col = 0; col < c.cols; ++col)
            EXPECT_EQ(table->columnDescription(col), c.grid->CellText(0, col)) << col;
        // Every cell is a child of the table, in its row and column, with the text it shows.
        for (int row = 0; row < c.rows; ++row) {
            for (int col = 0; col < c.cols; ++col) {
                QAccessibleInterface* cell = table->cellAt(row, col);
                ASSERT_NE(cell, nullptr);
                EXPECT_EQ(cell->role(), QAccessible::Cell);
                EXPECT_EQ(cell->text(QAccessible::Name), c.grid->CellText(row + 1, col)) << row << "," << col;
                EXPECT_EQ(tables.front()->child(tables.front()->indexOfChild(cell)), cell);
                ASSERT_NE(cell->tableCellInterface(), nullptr);
                EXPECT_EQ(cell->tableCellInterface()->rowIndex(), row);
                EXPECT_EQ(cell->tableCellInterface()->columnIndex(), col);
            }
        }
        EXPECT_EQ(table->cellAt(c.cell.first, c.cell.second)->text(QAccessible::Name), QLatin1String(c.cellText));
    }

    // The Sql Fine dialog's editor opens inside its cell; the up-down beside it steps the value.
    CMSFlexGrid* grid = sqlFine.Grid();
    sqlFine.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sqlFine));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(11, 1).center());
    QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(grid)->tableInterface()->cellAt(10, 1);
    ASSERT_EQ(cell->childCount(), 1);
    QAccessibleInterface* editor = cell->child(0);
    EXPECT_EQ(editor->object(), sqlFine.ValueEditor());
    EXPECT_NE(editor->editableTextInterface(), nullptr);
    EXPECT_EQ(editor->text(QAccessible::Value), QStringLiteral("-5"));

    QAccessibleInterface* upDown = QAccessible::queryAccessibleInterface(sqlFine.UpDown(SqlFineDialog::kIdValueSpin));
    ASSERT_NE(upDown->valueInterface(), nullptr);
    EXPECT_EQ(upDown->valueInterface()->currentValue(), QVariant(-5));
    EXPECT_EQ(upDown->valueInterface()->minimumValue(), QVariant(-64));
    EXPECT_EQ(upDown->valueInterface()->maximumValue(), QVariant(63));
    ASSERT_NE(upDown->actionInterface(), nullptr);
    EXPECT_EQ(upDown->actionInterface()->actionNames(),
              QStringList({QAccessibleActionInterface::increaseAction(), QAccessibleActionInterface::decreaseAction()}));
    upDown->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(sqlFine.ValueEditor()->text(), QStringLiteral("-6"));
    EXPECT_EQ(upDown->valueInterface()->currentValue(), QVariant(-6));
    sqlFine.close();
}

// Qt hands focus events on only while a reader's bridge is active, which no public call can
// switch on offscreen; so this checks what a reader asks when the event comes: the table's
// focused child, its state and its text, after every move and after none.
TEST_F(AccessibilityTest, MovingTheCurrentCellFocusesAndAnnouncesIt)
{
    CMSFlexGrid* grid = qobject_cast<CalPage*>(dialog->Page(0))->Grid();
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    grid->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(grid->hasFocus());

    const struct {
        const char* name;
        std::function<void()> move;
        int row;  // the focused cell afterwards
        int col;
    } cases[] = {
        {"focus in", [] {}, 1, 1},
        {"down", [grid] { QTest::keyClick(grid, Qt::Key_Down); }, 2, 1},
        {"right", [grid] { QTest::keyClick(grid, Qt::Key_Right); }, 2, 2},
        {"end", [grid] { QTest::keyClick(grid, Qt::Key_End); }, 2, 4},
        {"no move at the right edge", [grid] { QTest::keyClick(grid, Qt::Key_Right); }, 2, 4},
        {"set in code", [grid] { grid->SetCurrentCell(5, 3); }, 5, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.move();
        QAccessibleInterface* focused = table->focusChild();
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(table->indexOfChild(focused), GridCellIndex(*grid, c.row, c.col));
        EXPECT_TRUE(focused->state().focused);
        EXPECT_EQ(focused->text(QAccessible::Name), grid->CellText(c.row, c.col));
        int focusedCells = 0;
        for (int i = 0; i < table->childCount(); ++i)
            focusedCells += table->child(i)->state().focused ? 1 : 0;
        EXPECT_EQ(focusedCells, 1);
    }
    // Once the editor opens over the cell, the focus is inside the cell, in the editor.
    QTest::keyClick(grid, Qt::Key_F2);
    ASSERT_NE(table->focusChild(), nullptr);
    EXPECT_EQ(table->focusChild()->role(), QAccessible::EditableText);
    EXPECT_EQ(table->focusChild(), table->child(GridCellIndex(*grid, 5, 3))->child(0));
}

} // namespace
} // namespace qmcal::test
