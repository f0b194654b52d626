#include <QComboBox>

#include "PageFixture.h"
#include "pages/TxModPage.h"

namespace qmcal::test {
namespace {

constexpr int kFineEditor = 1075;
constexpr int kLimitEditor = 1071;
constexpr int kMicList = 1072;
constexpr int kModList = 1073;

class TxModPageTest : public PageFixture {
protected:
    // 30M: 28.00000 MHz and up in 12.5 kHz steps; record bytes 0x10 * row + byte, gains valid.
    TxModPage& OpenTxMod()
    {
        for (int row = 1; row <= 3; ++row) {
            SetFrequency(kTxModLayout, 0, row, 2800000 + 1250 * static_cast<std::uint32_t>(row - 1));
            const std::uint16_t record = kTxModLayout.FieldAddress(0, row, kTxModLayout.Field(0));
            for (int b = 0; b < 8; ++b)
                putU8(image.ParamArea(), record + b, static_cast<std::uint8_t>(0x10 * row + b));
            putU8(image.ParamArea(), record, static_cast<std::uint8_t>(row));
            putU8(image.ParamArea(), record + 1, static_cast<std::uint8_t>(row + 2));
        }
        return Open<TxModPage>();
    }

    QComboBox* List(int id) const { return page->ListEditor(id); }
};

TEST_F(TxModPageTest, ShowsCaptionsListsAndTheStoreButtonAsNamed)
{
    OpenTxMod();
    EXPECT_EQ(page->BandTabs()->count(), 7);
    EXPECT_EQ(page->Button(kIdStoreCurrent)->text(), QStringLiteral("Stroe Current"));
    EXPECT_EQ(Grid().FixedRows(), 1);
    EXPECT_EQ(Grid().GridRowCount(), 4);
    QStringList captions;
    for (int c = 0; c < Grid().GridColCount(); ++c)
        captions << Grid().CellText(0, c);
    EXPECT_EQ(captions.join(QLatin1Char('|')),
              QStringLiteral("Freq|MIC Gain db|MOD Gain db|MIC Fine (0-2A73)|MOD Fine (0-2A73)|Limit Ctrl (0-3FFF)"));
    QStringList mic;
    QStringList mod;
    for (int i = 0; i < List(kMicList)->count(); ++i) {
        mic << List(kMicList)->itemText(i);
        mod << List(kModList)->itemText(i);
    }
    EXPECT_EQ(mic.join(QLatin1Char(',')), QStringLiteral("0,3.2,6.4,9.6,12.8,16.0,19.2,22.4"));
    EXPECT_EQ(mod.join(QLatin1Char(',')), QStringLiteral("mute,-19.2,-16.0,-12.8,-9.6,-6.4,-3.2,0"));
    // Row 2: MIC index 2, MOD index 4, fines 0x2322 and 0x2524, limit 0x2726.
    EXPECT_EQ(Grid().CellText(2, 1), QStringLiteral("6.4"));
    EXPECT_EQ(Grid().CellText(2, 2), QStringLiteral("-9.6"));
    EXPECT_EQ(Grid().CellText(2, 3), QStringLiteral("2322"));
    EXPECT_EQ(Grid().CellText(2, 5), QStringLiteral("2726"));

    // A click on the caption row opens nothing.
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, Grid().CellRect(0, 3).center());
    EXPECT_EQ(Focus(), page->Grid());
}

struct GainCase {
    std::uint8_t stored;
    const char* mic;
    const char* mod;
    std::uint8_t saved;
};

TEST_F(TxModPageTest, GainIndexesShowTheirItemsAndComeBackTheSame)
{
    OpenTxMod();
    const GainCase cases[] = {
        {0, "0", "mute", 0},   {1, "3.2", "-19.2", 1}, {5, "16.0", "-6.4", 5},
        {7, "22.4", "0", 7},   {8, "0", "mute", 0},     {0xFF, "0", "mute", 0},
    };
    for (const GainCase& c : cases) {
        putU8(image.ParamArea(), 0xF808, c.stored);
        putU8(image.ParamArea(), 0xF809, c.stored);
        putU16le(image.ParamArea(), 0xF80A, 0xFFFF);  // fines are shown without a range check
        page->ImageReplaced();
        EXPECT_EQ(Grid().CellText(2, 1), QString::fromLatin1(c.mic)) << int(c.stored);
        EXPECT_EQ(Grid().CellText(2, 2), QString::fromLatin1(c.mod)) << int(c.stored);
        EXPECT_EQ(Grid().CellText(2, 3), QStringLiteral("FFFF"));
        page->SaveGrid();
        EXPECT_EQ(getU8(image.ParamArea(), 0xF808), c.saved) << int(c.stored);
        EXPECT_EQ(getU8(image.ParamArea(), 0xF809), c.saved) << int(c.stored);
        EXPECT_EQ(getU16le(image.ParamArea(), 0xF80A), 0xFFFF);
    }
}

struct EnterCase {
    int col;
    const char* typed;
    const char* cell;
    const char* editor;
    const char* frame;
};

TEST_F(TxModPageTest, EnterSendsTheColumnsField)
{
    OpenTxMod();
    const EnterCase cases[] = {
        {3, "2A73", "2A73", "2A73", "57 20 11 02 73 2A"},
        {3, "2A74", "0", "0", "57 20 11 02 00 00"},   // above the range: 0 in cell and editor
        {4, "1b", "1B", "1B", "57 20 14 02 1B 00"},
        {5, "3fff", "3fff", "3fff", "57 20 12 02 FF 3F"}, // no upper-case style here
        {5, "4000", "0", "0", "57 20 12 02 00 00"},
        {5, "x", "0", "", "57 20 12 02 00 00"},        // nothing arrives, nothing parses
    };
    for (const EnterCase& c : cases) {
        radio.ClearLog();
        Enter(2, c.col, QString::fromLatin1(c.typed));
        EXPECT_EQ(Grid().CellText(2, c.col), QString::fromLatin1(c.cell)) << c.typed;
        EXPECT_EQ(qobject_cast<QLineEdit*>(Focus())->text(), QString::fromLatin1(c.editor)) << c.typed;
        EXPECT_EQ(Frames(), (std::vector<std::string>{c.frame})) << c.typed;
    }
    EXPECT_EQ(getU16le(image.ParamArea(), 0xF80C), 0x001B);
    EXPECT_EQ(getU16le(image.ParamArea(), 0xF80E), 0);
}

TEST_F(TxModPageTest, EnterInTheFrequencyEditorClosesIt)
{
    OpenTxMod();
    Enter(3, 0, QStringLiteral("30.007"));
    EXPECT_EQ(Grid().CellText(3, 0), QStringLiteral("30.00625"));
    EXPECT_EQ(page->FrequencyEditor()->text(), QStringLiteral("30.00625"));
    EXPECT_FALSE(page->FrequencyEditor()->isVisible());
    EXPECT_EQ(Focus(), page->Grid());
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 00 04 25 06 00 03"}));
    EXPECT_EQ(getU32le(image.IdBlock(), 0x0308), 0x03000625u);
}

TEST_F(TxModPageTest, ChosenGainReachesTheCellWhenTheListIsCommitted)
{
    OpenTxMod();
    ClickCell(1, 2);
    QComboBox* mod = List(kModList);
    ASSERT_TRUE(mod->isVisible());
    EXPECT_EQ(Focus(), mod);
    EXPECT_EQ(mod->currentText(), QStringLiteral("-12.8"));  // the cell's item is selected
    Type(QStringLiteral("-6"));
    EXPECT_EQ(mod->currentText(), QStringLiteral("-6.4"));
    EXPECT_EQ(Grid().CellText(1, 2), QStringLiteral("-12.8"));  // choosing alone changes nothing
    Press(Qt::Key_Return);
    EXPECT_EQ(Grid().CellText(1, 2), QStringLiteral("-6.4"));
    EXPECT_EQ(getU8(image.ParamArea(), 0xF801), 5);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 13 01 05"}));
    EXPECT_TRUE(mod->isVisible());

    // Chosen, then a click into the grid: in the cell, not sent, not yet in the image.
    radio.ClearLog();
    ClickCell(3, 1);
    QComboBox* mic = List(kMicList);
    EXPECT_EQ(mic->currentText(), QStringLiteral("9.6"));
    Press(Qt::Key_Down);
    ClickCell(2, 0);
    EXPECT_FALSE(mic->isVisible());
    EXPECT_EQ(Grid().CellText(3, 1), QStringLiteral("12.8"));
    EXPECT_EQ(getU8(image.ParamArea(), 0xF810), 3);
    Press(Qt::Key_Escape);
    EXPECT_TRUE(Frames().empty());
    ClickButton(kIdStoreCurrent);
    EXPECT_EQ(getU8(image.ParamArea(), 0xF810), 4);
}

TEST_F(TxModPageTest, PttStartSendsAllFiveSettingsOfTheRow)
{
    OpenTxMod();
    // Every field at its maximum.
    const std::uint8_t top[] = {0x07, 0x07, 0x73, 0x2A, 0x73, 0x2A, 0xFF, 0x3F};
    for (int b = 0; b < 8; ++b)
        putU8(image.ParamArea(), 0xF808 + b, top[b]);
    page->ImageReplaced();
    ClickCell(2, 4);
    Press(Qt::Key_Escape);
    ClickButton(kIdPttStart);
    EXPECT_EQ(Frames(), (std::vector<std::string>{
                            "57 20 00 04 50 12 80 02", "57 20 10 01 07", "57 20 13 01 07",
                            "57 20 11 02 73 2A", "57 20 14 02 73 2A", "57 20 12 02 FF 3F",
                            "57 20 FE 01 00"}));
    EXPECT_EQ(reporter.ptt, QStringLiteral("Tx Mod"));
    for (int b = 0; b < 8; ++b)
        EXPECT_EQ(getU8(image.ParamArea(), 0xF808 + b), top[b]);

    radio.ClearLog();
    ClickButton(kIdPttEnd);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 FE 01 FF"}));
    EXPECT_EQ(reporter.ptt, QString());
}

TEST_F(TxModPageTest, PttStartStopsWhenTheFrequencyFails)
{
    OpenTxMod();
    radio.FaultSettings().silentAfter = 0;
    ClickButton(kIdPttStart);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 00 04 00 00 80 02"}));
    EXPECT_EQ(link.ActiveCommand(), 0);
}

TEST_F(TxModPageTest, StoreSendsWholeRecords)
{
    OpenTxMod();
    ClickButton(kIdStoreAll);
    const auto all = Frames();
    ASSERT_EQ(all.size(), 35u);  // 0xF800 .. 0xF917, one record per piece
    EXPECT_EQ(all.front(), "57 FF 00 0A 00 F8 01 03 12 13 14 15 16 17");
    EXPECT_EQ(all.back().substr(0, 18), "57 FF 00 0A 10 F9 ");
    for (std::uint16_t a = 0xF800; a < 0xF918; ++a)
        ASSERT_EQ(radio.Memory()[a], image.ParamArea()[a]) << a;

    ClickTab(6);  // 450M
    radio.ClearLog();
    ClickButton(kIdStoreCurrent);
    const auto band = Frames();
    ASSERT_EQ(band.size(), 9u);
    EXPECT_EQ(band.front().substr(0, 18), "57 FF 00 0A D0 F8 ");
    EXPECT_EQ(band.back().substr(0, 18), "57 FF 00 0A 10 F9 ");
}

} // namespace
} // namespace qmcal::test
