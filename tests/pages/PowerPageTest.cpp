#include <QClipboard>
#include <QWheelEvent>

#include "PageFixture.h"
#include "pages/PowerPage.h"

namespace qmcal::test {
namespace {

constexpr int kLevelEditor = 1028;
constexpr int kLevelSpin = 1039;
constexpr int kTab150M = 3;

class PowerPageTest : public PageFixture {
protected:
    PowerPage& OpenPower()
    {
        // 30M: 28.00000 MHz and up in 12.5 kHz steps; levels 10 + row, 20 + row, ...
        for (int row = 1; row <= 14; ++row) {
            SetFrequency(kPowerLayout, 0, row, 2800000 + 1250 * static_cast<std::uint32_t>(row - 1));
            for (int f = 0; f < 4; ++f)
                putU8(image.ParamArea(), kPowerLayout.FieldAddress(0, row, kPowerLayout.Field(f)),
                      static_cast<std::uint8_t>(0x10 * (f + 1) + row));
        }
        for (int row = 1; row <= 21; ++row)
            SetFrequency(kPowerLayout, 4, row, 14500000 + 1250 * static_cast<std::uint32_t>(row - 1));
        return Open<PowerPage>();
    }

    CellEdit* LevelEditor() const { return page->ValueEditor(kLevelEditor); }
};

TEST_F(PowerPageTest, ShowsTheSevenBandsAndTheirCells)
{
    OpenPower();
    QStringList tabs;
    for (int i = 0; i < page->BandTabs()->count(); ++i)
        tabs << page->BandTabs()->tabText(i);
    EXPECT_EQ(tabs.join(QLatin1Char(',')), QStringLiteral("30M,50M,66M,150M,250M,350M,450M"));
    EXPECT_EQ(page->Slot(), 0);

    EXPECT_EQ(Grid().GridRowCount(), 15);
    EXPECT_EQ(Grid().GridColCount(), 5);
    EXPECT_EQ(Grid().FixedRows(), 1);
    EXPECT_EQ(Grid().FixedCols(), 0);
    EXPECT_EQ(Grid().RowHeight(0), 500);
    QStringList captions;
    for (int c = 0; c < 5; ++c)
        captions << Grid().CellText(0, c);
    EXPECT_EQ(captions.join(QLatin1Char('|')),
              QStringLiteral("Freq|Low (0-FF)|Mid 2 (0-FF)|Mid 1 (0-FF)|High (0-FF)"));
    const int widths[] = {1500, 1000, 1000, 1000, 1000};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(Grid().ColWidth(c), widths[c]);
        EXPECT_EQ(Grid().ColAlignment(c), CMSFlexGrid::kCenterCenter);
    }
    EXPECT_EQ(Grid().CellText(1, 0), QStringLiteral("28.00000"));
    EXPECT_EQ(Grid().CellText(3, 0), QStringLiteral("28.02500"));
    EXPECT_EQ(Grid().CellText(2, 1), QStringLiteral("12"));
    EXPECT_EQ(Grid().CellText(2, 4), QStringLiteral("42"));

    // A stored level of 0 shows as 0 and is stored as 0 again, although the editor refuses it.
    putU8(image.ParamArea(), 0xF404, 0);
    page->LoadGrid();
    EXPECT_EQ(Grid().CellText(2, 1), QStringLiteral("0"));
    page->SaveGrid();
    EXPECT_EQ(getU8(image.ParamArea(), 0xF404), 0);
}

TEST_F(PowerPageTest, EditorCoversTheCellItOpensOn)
{
    OpenPower();
    ClickTab(6);  // 450M: 41 points, so the grid scrolls
    ClickCell(40, 0);
    const QPoint origin = Grid().geometry().topLeft() + Grid().viewport()->geometry().topLeft();
    const QRect cell = Grid().CellRect(40, 0).translated(origin);
    CellEdit* editor = page->FrequencyEditor();
    ASSERT_TRUE(editor->isVisible());
    // Left and top one pixel in, reaching over the right and bottom grid lines.
    EXPECT_EQ(editor->geometry(), QRect(cell.left() + 1, cell.top() + 1, cell.width(), cell.height() + 1));
    EXPECT_EQ(Focus(), editor);
    EXPECT_EQ(editor->selectedText(), Grid().CellText(40, 0));

    // The value editor gives the up-down the right end of the same rectangle.
    ClickCell(40, 3);
    const QRect level = Grid().CellRect(40, 3).translated(origin);
    UpDownControl* spin = page->UpDown(kLevelSpin);
    ASSERT_TRUE(spin->isVisible());
    EXPECT_EQ(LevelEditor()->geometry().left(), level.left() + 1);
    EXPECT_EQ(spin->geometry().right(), level.left() + level.width());
    EXPECT_EQ(LevelEditor()->geometry().right() + 1, spin->geometry().left());
    EXPECT_FALSE(editor->isVisible());

    // The wheel scrolls the cells away from under the editor, so it closes the editor first.
    const QPointF inside = Grid().viewport()->rect().center();
    QWheelEvent wheel(inside, Grid().viewport()->mapToGlobal(inside), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Grid().viewport(), &wheel);
    EXPECT_FALSE(LevelEditor()->isVisible());
    EXPECT_EQ(Focus(), &Grid());
}

TEST_F(PowerPageTest, EnterSavesAndSendsTheLevelAtOnce)
{
    OpenPower();
    Enter(1, 2, QStringLiteral("2a"));
    EXPECT_EQ(Grid().CellText(1, 2), QStringLiteral("2A"));
    EXPECT_EQ(getU8(image.ParamArea(), 0xF401), 0x2A);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 40 22 01 2A"}));
    // The editor stays open on its cell with the text selected.
    EXPECT_TRUE(LevelEditor()->isVisible());
    EXPECT_EQ(LevelEditor()->selectedText(), QStringLiteral("2A"));
    EXPECT_EQ(reporter.prompt, QStringLiteral("Complete"));

    // A leading zero stays as typed.
    Press(Qt::Key_Backspace);
    Type(QStringLiteral("0A"));
    Press(Qt::Key_Return);
    EXPECT_EQ(Grid().CellText(1, 2), QStringLiteral("0A"));
    EXPECT_EQ(Frames().back(), "57 40 22 01 0A");
}

struct LevelCase {
    const char* typed;
    const char* editor;
    const char* cell;
    const char* frame;
};

TEST_F(PowerPageTest, LevelEditorFiltersAndFallsBackToOne)
{
    OpenPower();
    const LevelCase cases[] = {
        {"0", "0", "1", "57 40 22 01 01"},   // below the range: 1 in the cell, the editor keeps 0
        {"FF", "FF", "FF", "57 40 22 01 FF"},
        {"G7", "7", "7", "57 40 22 01 07"},  // G never arrives
        {"-1", "1", "1", "57 40 22 01 01"},
        {"b", "B", "B", "57 40 22 01 0B"},
        {"123", "12", "12", "57 40 22 01 12"}, // two characters at most
    };
    for (const LevelCase& c : cases) {
        radio.ClearLog();
        Enter(3, 4, QString::fromLatin1(c.typed));
        EXPECT_EQ(LevelEditor()->text(), QString::fromLatin1(c.editor)) << c.typed;
        EXPECT_EQ(Grid().CellText(3, 4), QString::fromLatin1(c.cell)) << c.typed;
        EXPECT_EQ(Frames(), (std::vector<std::string>{c.frame})) << c.typed;
    }
}

TEST_F(PowerPageTest, PastedTextBypassesTheFilterAndTheCommitNormalises)
{
    OpenPower();
    ClickCell(2, 1);
    QApplication::clipboard()->setText(QStringLiteral("zz"));
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(LevelEditor()->text(), QStringLiteral("ZZ"));
    Press(Qt::Key_Return);
    EXPECT_EQ(Grid().CellText(2, 1), QStringLiteral("1"));
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 40 22 01 01"}));
}

struct FrequencyCase {
    const char* typed;
    const char* cell;
    const char* frame;
};

TEST_F(PowerPageTest, FrequencyIsNormalisedSnappedAndSent)
{
    OpenPower();
    ClickTab(kTab150M);
    ASSERT_EQ(page->Slot(), 4);
    const FrequencyCase cases[] = {
        {"145.1", "145.10000", "57 40 00 04 00 00 51 14"},
        {"145.007", "145.00625", "57 40 00 04 25 06 50 14"},
        {"145.003", "145.00000", "57 40 00 04 00 00 50 14"},
        {"145.0125", "145.01250", "57 40 00 04 50 12 50 14"},
        {"150.0125", "150.01250", "57 40 00 04 50 12 00 15"},
        {"500", "134.00000", "57 40 00 04 00 00 40 13"},
        {"", "134.00000", "57 40 00 04 00 00 40 13"},
        {"14x5.1", "145.10000", "57 40 00 04 00 00 51 14"},  // x never arrives
    };
    for (const FrequencyCase& c : cases) {
        radio.ClearLog();
        Enter(2, 0, QString::fromLatin1(c.typed));
        EXPECT_EQ(Grid().CellText(2, 0), QString::fromLatin1(c.cell)) << c.typed;
        EXPECT_EQ(Frames(), (std::vector<std::string>{c.frame})) << c.typed;
        EXPECT_EQ(FreqWordToText(getU32le(image.IdBlock(), 0x0DB8)), QString::fromLatin1(c.cell)) << c.typed;
    }
    // The Power page puts the normalised text into the cell only.
    EXPECT_EQ(page->FrequencyEditor()->text(), QStringLiteral("145.1"));
    EXPECT_TRUE(page->FrequencyEditor()->isVisible());
}

TEST_F(PowerPageTest, FrequencyWordsRoundTripUnchanged)
{
    putU32le(image.IdBlock(), 0x0D00, 0);
    putU32le(image.IdBlock(), 0x0D04, 0xFFFFFFFF);
    Open<PowerPage>();
    EXPECT_EQ(Grid().CellText(1, 0), QStringLiteral(".0"));
    EXPECT_EQ(Grid().CellText(2, 0), QStringLiteral("FFF.FFFFF"));
    page->SaveGrid();
    EXPECT_EQ(getU32le(image.IdBlock(), 0x0D00), 0u);
    EXPECT_EQ(getU32le(image.IdBlock(), 0x0D04), 0xFFFFFFFFu);
}

TEST_F(PowerPageTest, EscapeCommitsIntoTheCellAndClosesWithoutSending)
{
    OpenPower();
    ClickCell(4, 3);
    Press(Qt::Key_Backspace);
    Type(QStringLiteral("5C"));
    Press(Qt::Key_Escape);
    EXPECT_FALSE(LevelEditor()->isVisible());
    EXPECT_FALSE(page->UpDown(kLevelSpin)->isVisible());
    EXPECT_EQ(Focus(), page->Grid());
    EXPECT_EQ(Grid().CellText(4, 3), QStringLiteral("5C"));
    EXPECT_TRUE(Frames().empty());
    // Committed into the grid, not yet into the image.
    EXPECT_EQ(getU8(image.ParamArea(), 0xF40E), 0x34);
    // Enter on the grid saves and sends the cell.
    Press(Qt::Key_Return);
    EXPECT_EQ(getU8(image.ParamArea(), 0xF40E), 0x5C);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 40 22 01 5C"}));
}

TEST_F(PowerPageTest, F2OpensTheEditorAndTheRightButtonFocusesTheGrid)
{
    OpenPower();
    ClickCell(5, 1);
    EXPECT_TRUE(LevelEditor()->isVisible());
    ClickCell(5, 1, Qt::RightButton);
    EXPECT_FALSE(LevelEditor()->isVisible());
    EXPECT_EQ(Focus(), page->Grid());
    Press(Qt::Key_Down);
    EXPECT_EQ(Grid().CurrentRow(), 6);
    Press(Qt::Key_F2);
    EXPECT_TRUE(LevelEditor()->isVisible());
    EXPECT_EQ(LevelEditor()->text(), QStringLiteral("16"));
    // A left press on the caption row opens no editor: it hits no data cell.
    Press(Qt::Key_Escape);
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, Grid().CellRect(0, 3).center());
    EXPECT_EQ(Grid().MouseRow(), 0);
    EXPECT_EQ(Grid().CurrentRow(), 6);
    EXPECT_FALSE(LevelEditor()->isVisible());
}

TEST_F(PowerPageTest, CurrentCellIsRedAndTheCellLeftBlack)
{
    OpenPower();
    ClickCell(2, 2);
    EXPECT_EQ(Grid().CellColor(2, 2), 255u);
    ClickCell(3, 1);
    EXPECT_EQ(Grid().CellColor(3, 1), 255u);
    EXPECT_EQ(Grid().CellColor(2, 2), 0u);
}

TEST_F(PowerPageTest, EachArrowReleaseSendsTheLevelOnce)
{
    putU8(image.ParamArea(), 0xF400, 0xFF);
    Open<PowerPage>();
    ClickCell(1, 1);
    ClickSpin(kLevelSpin, true);
    EXPECT_EQ(LevelEditor()->text(), QStringLiteral("1"));  // FF wraps to 1
    ClickSpin(kLevelSpin, false);
    EXPECT_EQ(LevelEditor()->text(), QStringLiteral("FF")); // 1 wraps to FF
    ClickSpin(kLevelSpin, false);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 40 22 01 01", "57 40 22 01 FF", "57 40 22 01 FE"}));
    EXPECT_EQ(getU8(image.ParamArea(), 0xF400), 0xFE);
    EXPECT_EQ(Focus(), LevelEditor());

    // Held arrow key: three steps, one send when it is let go.
    radio.ClearLog();
    QTest::keyPress(LevelEditor(), Qt::Key_Up);
    QTest::keyPress(LevelEditor(), Qt::Key_Up);
    QTest::keyPress(LevelEditor(), Qt::Key_Up);
    QTest::keyRelease(LevelEditor(), Qt::Key_Up);
    QApplication::processEvents();
    EXPECT_EQ(LevelEditor()->text(), QStringLiteral("2"));  // FE, FF, 1, 2
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 40 22 01 02"}));

    // Held mouse button: the value keeps stepping, one send when it is let go.
    radio.ClearLog();
    UpDownControl* spin = page->UpDown(kLevelSpin);
    QTest::mousePress(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, 1));
    EXPECT_TRUE(QTest::qWaitFor([this] { return ScanHex(LevelEditor()->text()).value_or(0) >= 5; }, 5000));
    EXPECT_TRUE(Frames().empty());
    QTest::mouseRelease(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, 1));
    QApplication::processEvents();
    const std::string level = sim::test::ToHex({static_cast<std::uint8_t>(ScanHex(LevelEditor()->text()).value_or(0))});
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 40 22 01 " + level}));

    // An arrow key still down when the editor closes is let go elsewhere; the arrows keep working.
    QTest::keyPress(LevelEditor(), Qt::Key_Up);
    Press(Qt::Key_Escape);
    QTest::keyRelease(&Grid(), Qt::Key_Up);
    ClickCell(1, 1);
    const std::uint32_t before = ScanHex(LevelEditor()->text()).value_or(0);
    ClickSpin(kLevelSpin, true);
    EXPECT_EQ(ScanHex(LevelEditor()->text()).value_or(0), before + 1);
}

TEST_F(PowerPageTest, PttStartSendsFrequencyLevelAndKeysTheRadio)
{
    OpenPower();
    ClickCell(2, 0);
    ClickButton(kIdPttStart);
    // With the frequency column selected the row's Low level goes.
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 40 00 04 50 12 80 02", "57 40 22 01 12", "57 40 FE 01 00"}));
    EXPECT_EQ(reporter.ptt, QStringLiteral("Power"));
    EXPECT_EQ(radio.PttCode(), 0x40);

    // Adjusting while keyed goes straight through.
    radio.ClearLog();
    Enter(2, 3, QStringLiteral("80"));
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 40 22 01 80"}));

    radio.ClearLog();
    ClickButton(kIdPttEnd);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 40 FE 01 FF"}));
    EXPECT_EQ(reporter.ptt, QString());
}

TEST_F(PowerPageTest, PttStartStopsWhenTheFrequencyFails)
{
    OpenPower();
    radio.FaultSettings().silentAfter = 0;
    ClickCell(3, 2);
    ClickButton(kIdPttStart);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 40 00 04 00 25 80 02"}));
    EXPECT_EQ(reporter.prompt, QStringLiteral("Communication error"));
    EXPECT_EQ(link.ActiveCommand(), 0);
}

TEST_F(PowerPageTest, StoreAllSendsEightyPiecesAndStoreCurrentOneBand)
{
    OpenPower();
    Enter(1, 1, QStringLiteral("77"));
    radio.ClearLog();
    ClickButton(kIdStoreAll);
    const auto frames = Frames();
    ASSERT_EQ(frames.size(), 80u);
    for (const std::string& frame : frames)
        EXPECT_EQ(frame.substr(0, 6), "57 FF ");
    EXPECT_EQ(frames.front(), "57 FF 00 0A 00 F4 77 21 31 41 12 22 32 42");
    for (std::uint16_t a = 0xF400; a < 0xF668; ++a)
        EXPECT_EQ(radio.Memory()[a], image.ParamArea()[a]) << a;

    // 150M starts 4 bytes into a block: 4 bytes, then ten blocks of 8.
    ClickTab(kTab150M);
    radio.ClearLog();
    ClickButton(kIdStoreCurrent);
    const auto band = Frames();
    ASSERT_EQ(band.size(), 11u);
    EXPECT_EQ(band[0].substr(0, 18), "57 FF 00 06 B4 F4 ");
    EXPECT_EQ(band[1].substr(0, 18), "57 FF 00 0A B8 F4 ");
    EXPECT_EQ(band[10].substr(0, 18), "57 FF 00 0A 00 F5 ");
}

TEST_F(PowerPageTest, StoreIsRefusedWhilePttIsOn)
{
    OpenPower();
    ClickButton(kIdPttStart);
    radio.ClearLog();
    ClickButton(kIdStoreAll);
    ClickButton(kIdStoreCurrent);
    EXPECT_TRUE(Frames().empty());
    ASSERT_EQ(reporter.messages.size(), 2);
    EXPECT_TRUE(reporter.messages.at(0).endsWith(QStringLiteral(": Power")));
    ClickButton(kIdPttEnd);
    radio.ClearLog();
    ClickButton(kIdStoreAll);
    EXPECT_EQ(Frames().size(), 80u);
}

TEST_F(PowerPageTest, BandChangeSavesTheOldBandAndLoadsTheNew)
{
    OpenPower();
    ClickCell(2, 1);
    Press(Qt::Key_Backspace);
    Type(QStringLiteral("9D"));
    ClickTab(1);  // the open editor commits on focus loss, then the band is saved
    EXPECT_EQ(page->Slot(), 1);
    EXPECT_FALSE(LevelEditor()->isVisible());
    EXPECT_EQ(getU8(image.ParamArea(), 0xF404), 0x9D);
    EXPECT_EQ(Grid().GridRowCount(), 9);
    EXPECT_TRUE(Frames().empty());
    ClickTab(0);
    EXPECT_EQ(Grid().CellText(2, 1), QStringLiteral("9D"));
}

TEST_F(PowerPageTest, EnterOnAButtonSavesAndSendsNothing)
{
    OpenPower();
    ClickCell(2, 1);
    Press(Qt::Key_Backspace);
    Type(QStringLiteral("3"));
    page->Button(kIdPttEnd)->setFocus();
    Press(Qt::Key_Return);
    EXPECT_EQ(getU8(image.ParamArea(), 0xF404), 0x03);
    EXPECT_TRUE(Frames().empty());
}

TEST_F(PowerPageTest, ReplacedImageIsNotOverwrittenByOlderGridValues)
{
    OpenPower();
    ClickCell(1, 2);
    Press(Qt::Key_Backspace);
    Type(QStringLiteral("77"));
    // Another file is opened meanwhile.
    putU8(image.ParamArea(), 0xF401, 0x33);
    SetFrequency(kPowerLayout, 0, 1, 3000000);
    page->ImageReplaced();
    EXPECT_FALSE(LevelEditor()->isVisible());
    EXPECT_EQ(Grid().CellText(1, 2), QStringLiteral("33"));
    Press(Qt::Key_Return);
    EXPECT_EQ(getU8(image.ParamArea(), 0xF401), 0x33);
    EXPECT_EQ(getU32le(image.IdBlock(), 0x0D00), 0x03000000u);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 40 22 01 33"}));
    // The band stays where it was.
    ClickTab(2);
    page->ImageReplaced();
    EXPECT_EQ(page->Slot(), 2);
}

TEST_F(PowerPageTest, DestroyingThePageSavesItsGrid)
{
    OpenPower();
    ClickCell(1, 4);
    Press(Qt::Key_Backspace);
    Type(QStringLiteral("C4"));
    page->DestroyWindow();
    EXPECT_EQ(getU8(image.ParamArea(), 0xF403), 0xC4);
}

} // namespace
} // namespace qmcal::test
