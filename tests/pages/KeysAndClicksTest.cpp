// Keys and clicks on the pages as a window system delivers them: held arrow keys, Enter in an
// open drop-down list, presses beside the data cells, a context menu over an editor, and how the
// captions break.

#include <functional>

#include <QAbstractItemView>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QTimer>

#include "PageFixture.h"
#include "pages/PowerPage.h"
#include "pages/RxTestPage.h"
#include "pages/RxTuningPage.h"
#include "pages/SignalModPage.h"
#include "pages/SqlFineDialog.h"
#include "pages/TxModPage.h"

namespace qmcal::test {
namespace {

using namespace std::chrono_literals;

constexpr int kTxModFineEditor = 1075;
constexpr int kGainList = 1072;         // MIC gain on Tx Mod, DISC gain on Rx Test
constexpr int kAttenuationList = 1073;  // MOD gain on Tx Mod, AUDIO gain on Rx Test

class KeysAndClicksTest : public PageFixture {
protected:
    // A page after another one in the same window, which is shown already.
    template <typename Page>
    Page& OpenNext()
    {
        Page& next = Open<Page>();
        next.show();
        return next;
    }

    // A key event with the window system's time stamp.
    static void SendKey(QWidget* to, QEvent::Type type, Qt::Key key, quint64 time, bool autoRepeat)
    {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        event.setTimestamp(time);
        QApplication::sendEvent(to, &event);
    }

    // Whatever the page or dialog shows over its grid.
    static bool AnEditorIsOpen(const QWidget& dialog)
    {
        for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
            if ((qobject_cast<const QLineEdit*>(widget) != nullptr || qobject_cast<const QComboBox*>(widget) != nullptr)
                && widget->isVisible())
                return true;
        }
        return false;
    }

    static QStringList AllCells(const CMSFlexGrid& grid)
    {
        QStringList cells;
        for (int r = 0; r < grid.GridRowCount(); ++r) {
            for (int c = 0; c < grid.GridColCount(); ++c)
                cells << grid.CellText(r, c);
        }
        return cells;
    }

    SqlFineDialog* OpenSqlFine()
    {
        auto* dialog = new SqlFineDialog(image, link, &window);
        window.show();
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        return dialog;
    }
};

TEST_F(KeysAndClicksTest, HeldArrowKeyStepsOnEveryRepeatAndSendsOnceAtTheRealRelease)
{
    // X11 repeats a held key as a release and a press with one time stamp; Qt marks the pair as
    // a repeat only when the press is already queued when it sees the release.
    const struct {
        const char* name;
        bool marked;
    } cases[] = {{"repeats marked", true}, {"repeats unmarked", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::uint16_t micFine = kTxModLayout.FieldAddress(0, 1, kTxModLayout.Field(2));
        putU16le(image.ParamArea(), micFine, 0);
        delete page;
        OpenNext<TxModPage>();
        ClickCell(1, 3);
        CellEdit* fine = page->ValueEditor(kTxModFineEditor);
        ASSERT_EQ(Focus(), fine);
        radio.ClearLog();

        quint64 time = 5000;
        SendKey(fine, QEvent::KeyPress, Qt::Key_Up, time, false);
        QApplication::processEvents();
        for (int repeat = 0; repeat < 6; ++repeat) {
            time += repeat == 0 ? 660 : 40;
            SendKey(fine, QEvent::KeyRelease, Qt::Key_Up, time, c.marked);
            SendKey(fine, QEvent::KeyPress, Qt::Key_Up, time, c.marked);
            QApplication::processEvents();
        }
        EXPECT_EQ(fine->text(), QStringLiteral("7"));
        EXPECT_TRUE(Frames().empty());
        SendKey(fine, QEvent::KeyRelease, Qt::Key_Up, time + 35, false);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !Frames().empty(); }, 5000));
        QTest::qWait(static_cast<int>(UpDownControl::kReleaseGrace.count()) * 3);
        EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 11 02 07 00"}));
        EXPECT_EQ(getU16le(image.ParamArea(), micFine), 7);
    }
}

TEST_F(KeysAndClicksTest, EnterInAnOpenListTakesTheItemAndActsAsEnterOnThePage)
{
    const struct {
        const char* name;
        std::function<void()> open;
        int col;
        int list;
        const char* item;  // two below the cell's item
        const char* frame;
    } cases[] = {
        {"Tx Mod MIC gain", [this] { OpenNext<TxModPage>(); }, 1, kGainList, "6.4", "57 20 10 01 02"},
        {"Tx Mod MOD gain", [this] { OpenNext<TxModPage>(); }, 2, kAttenuationList, "-16.0", "57 20 13 01 02"},
        {"Rx Test AUDIO gain", [this] { OpenNext<RxTestPage>(); }, 2, kAttenuationList, "-16.0", "57 30 12 01 02"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        delete page;
        c.open();
        ClickCell(1, c.col);
        QComboBox* list = page->ListEditor(c.list);
        ASSERT_EQ(Focus(), list);

        // Dropped down and closed with Escape: only the drop-down closes.
        Press(Qt::Key_F4);
        ASSERT_TRUE(list->view()->isVisible());
        EXPECT_TRUE(list->isVisible()) << "dropping the list down closed the editor";
        Press(Qt::Key_Escape);
        EXPECT_FALSE(list->view()->isVisible());
        EXPECT_TRUE(list->isVisible());
        EXPECT_TRUE(Frames().empty());

        // One Enter in the open list: the item is taken, saved and sent.
        Press(Qt::Key_F4);
        ASSERT_TRUE(list->view()->isVisible());
        Press(Qt::Key_Down);
        Press(Qt::Key_Down);
        Press(Qt::Key_Return);
        EXPECT_FALSE(list->view()->isVisible());
        EXPECT_EQ(Grid().CellText(1, c.col), QLatin1String(c.item));
        const BandLayout& layout = *page->Traits().table->layout;
        EXPECT_EQ(getU8(image.ParamArea(), layout.FieldAddress(0, 1, layout.Field(static_cast<std::size_t>(c.col - 1)))), 2);
        EXPECT_EQ(Frames(), (std::vector<std::string>{c.frame}));
        EXPECT_TRUE(list->isVisible());
        EXPECT_EQ(Focus(), list);
        radio.ClearLog();
    }
}

TEST_F(KeysAndClicksTest, APressBesideTheDataCellsOpensNoEditorAndChangesNothing)
{
    // Where the press lands, by the grid it lands on.
    using Where = std::function<QPoint(const CMSFlexGrid&)>;
    const Where caption = [](const CMSFlexGrid& grid) { return grid.CellRect(0, grid.GridColCount() - 1).center(); };
    const Where rightOfCells = [](const CMSFlexGrid& grid) {
        return QPoint(grid.viewport()->width() - 4, grid.CellRect(1, 0).center().y());
    };
    const Where belowCells = [](const CMSFlexGrid& grid) {
        return QPoint(grid.CellRect(1, 1).center().x(), grid.viewport()->height() - 4);
    };
    const Where bandLabel = [](const CMSFlexGrid& grid) { return grid.CellRect(3, 0).center(); };
    const struct {
        const char* name;
        std::function<GridDialog*()> open;
        QPoint current;  // column, row
        Where where;
    } cases[] = {
        {"Power caption", [this] { return &OpenNext<PowerPage>(); }, {2, 2}, caption},
        {"Power right of the cells", [this] { return &OpenNext<PowerPage>(); }, {2, 2}, rightOfCells},
        {"Rx Tuning caption", [this] { return &OpenNext<RxTuningPage>(); }, {1, 2}, caption},
        {"Tx Mod below the cells", [this] { return &OpenNext<TxModPage>(); }, {3, 2}, belowCells},
        {"Sql Fine band label", [this] { return OpenSqlFine(); }, {1, 1}, bandLabel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GridDialog* dialog = c.open();
        CMSFlexGrid& grid = *dialog->Grid();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(c.current.y(), c.current.x()).center());
        ASSERT_TRUE(AnEditorIsOpen(*dialog));
        QTest::keyClick(Focus(), Qt::Key_Escape);
        QTest::keyClick(Focus(), Qt::Key_Return);  // the grid as the editor left it, saved
        const QStringList cells = AllCells(grid);
        const AreaBytes before = image.ParamArea();

        const QPoint at = c.where(grid);
        ASSERT_TRUE(grid.CellAt(at).y() <= 0 || grid.CellAt(at).x() < grid.FixedCols()) << "lands on a data cell";
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
        EXPECT_FALSE(AnEditorIsOpen(*dialog));
        EXPECT_EQ(grid.CurrentRow(), c.current.y());
        EXPECT_EQ(grid.CurrentCol(), c.current.x());
        QTest::keyClicks(Focus(), QStringLiteral("5"));
        QTest::keyClick(Focus(), Qt::Key_Return);
        EXPECT_EQ(AllCells(grid), cells);
        EXPECT_TRUE(image.ParamArea() == before);
        page = nullptr;
        delete dialog;
    }
}

TEST_F(KeysAndClicksTest, AContextMenuOverAnOpenEditorKeepsItOpenAndCommitsNothing)
{
    const struct {
        const char* name;
        std::function<GridDialog*()> open;
    } cases[] = {
        {"Power", [this] { return &OpenNext<PowerPage>(); }},
        {"Sql Fine", [this] { return OpenSqlFine(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GridDialog* dialog = c.open();
        CMSFlexGrid& grid = *dialog->Grid();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(2, 1).center());
        auto* editor = qobject_cast<QLineEdit*>(Focus());
        ASSERT_NE(editor, nullptr);
        const QString cell = grid.CellText(2, 1);
        QTest::keyClicks(editor, QStringLiteral("1"));

        // The menu takes the focus as a popup; its Paste, say, is for the editor under it.
        const QPoint at = editor->rect().center();
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, editor->mapToGlobal(at));
        QApplication::sendEvent(editor, &menu);
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->text(), QStringLiteral("1"));
        EXPECT_EQ(grid.CellText(2, 1), cell);
        popup->close();
        QApplication::processEvents();
        page = nullptr;
        delete dialog;
    }
}

TEST_F(KeysAndClicksTest, CaptionsBreakAtSpacesOnly)
{
    const struct {
        const char* name;
        std::function<GridDialog*()> open;
    } cases[] = {
        {"Power", [this] { return &OpenNext<PowerPage>(); }},
        {"Rx Tuning", [this] { return &OpenNext<RxTuningPage>(); }},
        {"Tx Mod", [this] { return &OpenNext<TxModPage>(); }},
        {"Signal Mod", [this] { return &OpenNext<SignalModPage>(); }},
        {"Rx Test", [this] { return &OpenNext<RxTestPage>(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        delete page;
        const CMSFlexGrid& grid = *c.open()->Grid();
        for (int col = 0; col < grid.GridColCount(); ++col) {
            const QString text = grid.CellText(0, col);
            const QStringList lines = grid.CellLines(0, col);
            EXPECT_EQ(lines.join(QLatin1Char(' ')), text.simplified()) << text.toStdString();
            for (const QString& line : lines) {
                EXPECT_FALSE(line.isEmpty()) << text.toStdString();
                EXPECT_FALSE(line.endsWith(QLatin1Char('-'))) << text.toStdString();
            }
        }
    }
}

// The radio holds the page's calls back until the test has clicked and typed. Nothing done
// during a store acts, then or later; a key pressed during the short exchanges of a PTT start
// acts once they are over.
TEST_F(KeysAndClicksTest, InputDuringAStoreIsDroppedAndAKeyDuringAPttStartActsAfterwards)
{
    constexpr int kLevelEditor = 1028;
    auto& power = OpenNext<PowerPage>();
    CellEdit* level = power.ValueEditor(kLevelEditor);
    QPushButton* storeAll = power.Button(kIdStoreAll);

    radio.ClearLog();
    port->HoldAt(2);
    QTimer::singleShot(0, &power, [&] {
        ClickCell(2, 1);
        QTest::keyClick(storeAll, Qt::Key_Space);
        port->Release();
    });
    ClickButton(kIdStoreAll);
    QApplication::processEvents();
    EXPECT_FALSE(level->isVisible()) << "the click opened an editor";
    const std::vector<std::string> held = Frames();
    radio.ClearLog();
    ClickButton(kIdStoreAll);
    EXPECT_EQ(held, Frames()) << "the store changed, or Space stored again";

    ClickCell(1, 1);
    Press(Qt::Key_Escape);
    ASSERT_EQ(Focus(), &Grid());
    radio.ClearLog();
    port->HoldAt(1);
    QTimer::singleShot(0, &power, [&] {
        QTest::keyClick(&Grid(), Qt::Key_F2);
        port->Release();
    });
    page->Button(kIdPttStart)->click();  // as a shortcut would: the grid keeps the focus
    EXPECT_FALSE(level->isVisible()) << "F2 acted in the middle of the PTT start";
    QApplication::processEvents();
    EXPECT_TRUE(level->isVisible()) << "F2 was lost";
    ASSERT_EQ(Frames().size(), 3u);
    EXPECT_EQ(Frames().back(), "57 40 FE 01 00");
    page->Button(kIdPttEnd)->click();
}

} // namespace
} // namespace qmcal::test
