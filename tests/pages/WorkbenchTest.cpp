// The main window in workbench mode, with the real pages.

#include <utility>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "app/AppHarness.h"
#include "data/LittleEndian.h"
#include "pages/CalPage.h"
#include "pages/SqlFineDialog.h"
#include "widgets/CMSFlexGrid.h"
#include "widgets/CellEdit.h"

namespace qmcal::test {
namespace {

class WorkbenchTest : public ::testing::Test {
protected:
    void Make(bool workbench)
    {
        h.shell.workbench = workbench;
        MainDialogSeams seams;  // the real page factory
        seams.portLister = [] { return QStringList(); };
        seams.portAccess.open = h.ports.Opener();
        seams.portAccess.permissionDenied = [](const QString&) { return false; };
        dialog = std::make_unique<MainDialog>(h.context, std::move(seams));
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    CalPage* PageOf(int slot) const { return qobject_cast<CalPage*>(dialog->Page(slot)); }

    void ClickMainTab(const QString& caption)
    {
        QTabBar* bar = dialog->TabControl();
        for (int i = 0; i < bar->count(); ++i) {
            if (bar->tabText(i) == caption) {
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
                return;
            }
        }
        ADD_FAILURE() << "no tab " << caption.toStdString();
    }

    QStringList ProgramItems() const
    {
        QStringList items;
        for (QAction* action : dialog->Popup(1)->actions())
            items << action->text();
        return items;
    }

    void ExpectClosingEnds(const QString& tab, int slot, int button, const sim::WireBytes& endFrame)
    {
        Make(true);
        sim::SimRadio& radio = h.ports.Add(QStringLiteral("ttySIM"), MarkedMemory(0x11));
        h.link.SetPort(h.ports.Open(QStringLiteral("ttySIM"), kFoundProfile));
        ClickMainTab(tab);
        QTest::mouseClick(PageOf(slot)->Button(button), Qt::LeftButton);
        ASSERT_NE(h.link.ActiveCommand(), 0);

        radio.ClearLog();
        dialog->close();
        ASSERT_EQ(radio.FrameLog().size(), 1u);
        EXPECT_EQ(radio.FrameLog().front(), endFrame);
        EXPECT_EQ(h.link.ActiveCommand(), 0);
    }

    AppHarness h;
    std::unique_ptr<MainDialog> dialog;
};

TEST_F(WorkbenchTest, ShowsTheWholeWindowAndThePageEachTabNames)
{
    Make(true);
    EXPECT_EQ(ProgramItems(), QStringList({"Read", "Write", "Write Power", "Sql Fine", "Write Rssi"}));
    QTabBar* tabs = dialog->TabControl();
    // The tab control and the pages lie inside the window, and every page has room for all of
    // its controls.
    EXPECT_LE(tabs->mapTo(dialog.get(), tabs->rect().bottomRight()).y(), dialog->height());
    for (int slot = 0; slot < kPageSlotCount; ++slot) {
        QWidget* page = dialog->Page(slot);
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(page->rect().contains(page->childrenRect())) << slot;
        EXPECT_TRUE(dialog->rect().contains(QRect(page->mapTo(dialog.get(), QPoint(0, 0)), page->size()))) << slot;
    }
    CalPage* power = PageOf(0);
    CalPage* rxTuning = PageOf(1);
    ASSERT_NE(power, nullptr);
    ASSERT_NE(rxTuning, nullptr);
    EXPECT_TRUE(power->isVisible());
    EXPECT_FALSE(rxTuning->isVisible());
    // The start-up New reached the pages: they show Default.dat, not the empty image.
    EXPECT_EQ(power->Grid()->CellText(1, 0), QStringLiteral("20.00000"));

    ClickMainTab(QStringLiteral("Rx Tuning"));
    EXPECT_TRUE(rxTuning->isVisible());
    EXPECT_FALSE(power->isVisible());

    // Tone Mod lives in slot 4 although its tab comes fourth.
    const std::pair<const char*, int> tabSlots[] = {{"Tx Mod", 2}, {"Tone Mod", 4}, {"Signal Mod", 3}, {"Rx Test", 5}};
    for (const auto& [caption, slot] : tabSlots) {
        ClickMainTab(QString::fromLatin1(caption));
        ASSERT_NE(PageOf(slot), nullptr) << caption;
        EXPECT_TRUE(PageOf(slot)->isVisible()) << caption;
        EXPECT_FALSE(rxTuning->isVisible()) << caption;
        EXPECT_TRUE(PageOf(slot)->isAncestorOf(QApplication::focusWidget())) << caption;
    }
    ClickMainTab(QStringLiteral("Power"));
    EXPECT_TRUE(power->isVisible());

    // The Sql Fine tab opens the dialog and leaves the strip on the page still shown.
    QString opened;
    QTimer::singleShot(0, [&opened] {
        if (auto* sqlFine = qobject_cast<SqlFineDialog*>(QApplication::activeModalWidget())) {
            opened = sqlFine->Grid()->CellText(10, 0);
            sqlFine->close();
        }
    });
    ClickMainTab(QStringLiteral("Sql Fine"));
    EXPECT_EQ(opened, QStringLiteral("150M R"));
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), QStringLiteral("Power"));
    EXPECT_TRUE(power->isVisible());
}

TEST_F(WorkbenchTest, WithoutTheOptionTheWindowStaysAsItWas)
{
    Make(false);
    EXPECT_EQ(ProgramItems(), QStringList({"Read", "Write Rssi"}));
    // Keys typed into the window do not land on a page nobody can see.
    EXPECT_FALSE(PageOf(0)->isAncestorOf(QApplication::focusWidget()));
    ClickMainTab(QStringLiteral("Rx Tuning"));
    EXPECT_TRUE(PageOf(0)->isVisible());  // hidden below the cut, but still the one shown
    EXPECT_FALSE(PageOf(1)->isVisible());
}

TEST_F(WorkbenchTest, TheFileMenusShortcutKeysWorkInBothModes)
{
    const QString path = h.exeDir.filePath(QStringLiteral("unit.dat"));
    ParamImage file;
    FillFactoryImage(file);
    ASSERT_TRUE(SaveImageFileAs(file, path).ok);
    const struct {
        const char* name;
        bool workbench;
        bool inEditor;
        std::uint8_t mark;
    } cases[] = {
        {"header only", false, false, 0x5A},
        {"workbench, grid", true, false, 0x5B},
        {"workbench, cell editor", true, true, 0x5C},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.reset();
        h.dialogs.openAsked.clear();
        Make(c.workbench);
        if (c.workbench) {
            CMSFlexGrid* grid = PageOf(0)->Grid();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(1, 2).center());
            if (!c.inEditor)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            ASSERT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr, c.inEditor);
        }
        const auto press = [this](Qt::Key key) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : dialog.get(), key, Qt::ControlModifier);
        };

        press(Qt::Key_S);  // greyed in the menu: nothing to save yet
        EXPECT_TRUE(h.dialogs.saveAsked.empty());

        h.dialogs.openAnswers = {path};
        press(Qt::Key_O);
        EXPECT_EQ(h.dialogs.openAsked.size(), 1u);
        EXPECT_EQ(dialog->FileNameField()->text(), path);

        putU8(h.image.ParamArea(), 0xF400, c.mark);
        press(Qt::Key_S);
        EXPECT_TRUE(h.dialogs.saveAsked.empty());
        QFile saved(path);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_EQ(static_cast<std::uint8_t>(saved.readAll().at(4096 + 0xF400)), c.mark);

        press(Qt::Key_N);
        EXPECT_TRUE(dialog->FileNameField()->text().isEmpty());
        EXPECT_TRUE(h.dialogs.messages.isEmpty()) << h.dialogs.messages.join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(WorkbenchTest, OpenedFileValuesStandAgainstAnEditMadeBefore)
{
    Make(true);
    ParamImage other;
    FillFactoryImage(other);
    putU8(other.ParamArea(), 0xF401, 0x5A);
    const QString path = h.exeDir.filePath(QStringLiteral("other.dat"));
    ASSERT_TRUE(SaveImageFileAs(other, path).ok);

    CalPage* power = PageOf(0);
    CMSFlexGrid* grid = power->Grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(1, 2).center());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("77"));

    h.dialogs.openAnswers.push_back(path);
    dialog->RunCommand(Command::Open);
    ASSERT_EQ(h.shell.currentFileName, path);
    EXPECT_EQ(grid->CellText(1, 2), QStringLiteral("5A"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(getU8(h.image.ParamArea(), 0xF401), 0x5A);
    // No radio: the live send is refused by the link, nothing else happens.
    EXPECT_EQ(dialog->PromptField()->text(), QStringLiteral("Please select port"));
}

TEST_F(WorkbenchTest, WritePowerFromTheMenuStoresThePowerValues)
{
    Make(true);
    sim::SimRadio& radio = h.ports.Add(QStringLiteral("ttySIM"), MarkedMemory(0x11));
    h.link.SetPort(h.ports.Open(QStringLiteral("ttySIM"), kFoundProfile));
    dialog->RunCommand(Command::Read);
    ASSERT_TRUE(h.shell.imageFromRadio);

    // A level adjusted on the page reaches the image with its Enter.
    CalPage* power = PageOf(0);
    CMSFlexGrid* grid = power->Grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(2, 4).center());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("C3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(getU8(h.image.ParamArea(), 0xF407), 0xC3);

    radio.ClearLog();
    QMenuBar* bar = dialog->MenuBar();
    QAction* program = bar->actions().at(1);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(program).center());
    QMenu* popup = program->menu();
    QAction* writePower = dialog->Action(Command::WritePower);
    ASSERT_NE(writePower, nullptr);
    ASSERT_TRUE(writePower->isEnabled());
    h.dialogs.answers = {true};
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(writePower).center());
    popup->hide();

    // 80 stores, then the 77 blocks they fill read back.
    EXPECT_EQ(radio.FrameLog().size(), 157u);
    for (std::uint16_t a = 0xF400; a < 0xF668; ++a)
        ASSERT_EQ(radio.Memory()[a], h.image.ParamArea()[a]) << a;
    EXPECT_EQ(radio.Memory()[0xF407], 0xC3);
}

// Closing the window must not leave the radio transmitting or in a receive test.
TEST_F(WorkbenchTest, ClosingUnkeysAPttThatIsOn)
{
    ExpectClosingEnds(QStringLiteral("Power"), 0, kIdPttStart, sim::WireBytes{0x57, 0x40, 0xFE, 0x01, 0xFF});
}

TEST_F(WorkbenchTest, ClosingEndsATestThatIsOn)
{
    ExpectClosingEnds(QStringLiteral("Rx Tuning"), 1, kIdTest, sim::WireBytes{0x57, 0x41, 0xFD, 0x01, 0xFF});
}

// Without a PTT or test on, closing sends nothing.
TEST_F(WorkbenchTest, ClosingWithNothingOnSendsNothing)
{
    Make(true);
    sim::SimRadio& radio = h.ports.Add(QStringLiteral("ttySIM"), MarkedMemory(0x11));
    h.link.SetPort(h.ports.Open(QStringLiteral("ttySIM"), kFoundProfile));
    radio.ClearLog();
    dialog->close();
    EXPECT_TRUE(radio.FrameLog().empty());
}

} // namespace
} // namespace qmcal::test
