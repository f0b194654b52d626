#include "PageFixture.h"
#include "pages/SignalModPage.h"

namespace qmcal::test {
namespace {

constexpr int kToneEditor = 1069;
constexpr int kMevEditor = 1071;

class SignalModPageTest : public PageFixture {
protected:
    // 30M: 28.00000 MHz and up in 12.5 kHz steps; record byte b of point r is 0x10 * r + b;
    // the six tone words are 0xA1B0 + column.
    SignalModPage& OpenSignalMod()
    {
        for (int row = 1; row <= 3; ++row) {
            SetFrequency(kSignalModLayout, 0, row, 2800000 + 1250 * static_cast<std::uint32_t>(row - 1));
            for (int b = 0; b < 16; ++b)
                putU8(image.ParamArea(), 0xF918 + 16 * (row - 1) + b, static_cast<std::uint8_t>(0x10 * row + b));
        }
        for (int c = 1; c <= 6; ++c)
            putU16le(image.IdBlock(), 0xFC0 + 2 * (c - 1), static_cast<std::uint16_t>(0xA1B0 + c));
        return Open<SignalModPage>();
    }
};

TEST_F(SignalModPageTest, CaptionRowIsAnOrdinaryRowThatOpensNoEditor)
{
    OpenSignalMod();
    EXPECT_EQ(Grid().FixedRows(), 0);
    EXPECT_EQ(Grid().GridRowCount(), 4);
    QStringList captions;
    for (int c = 0; c < Grid().GridColCount(); ++c)
        captions << Grid().CellText(0, c);
    EXPECT_EQ(captions.join(QLatin1Char('|')),
              QStringLiteral("Freq|67.0 (0-3FFF)|91.5 (0-3FFF)|154.1 (0-3FFF)|192.8 (0-3FFF)|254.1 (0-3FFF)|"
                             "023N (0-3FFF)|MEV  (0-FF)"));
    EXPECT_EQ(Grid().CellText(2, 1), QStringLiteral("2120"));
    EXPECT_EQ(Grid().CellText(2, 6), QStringLiteral("2B2A"));
    EXPECT_EQ(Grid().CellText(2, 7), QStringLiteral("2C"));

    ClickCell(0, 3);
    EXPECT_EQ(Grid().CurrentRow(), 0);
    EXPECT_EQ(Grid().CurrentCol(), 3);
    EXPECT_EQ(Focus(), page->Grid());
    EXPECT_FALSE(page->ValueEditor(kToneEditor)->isVisible());
}

struct CaptionCase {
    int col;
    std::vector<std::string> frames;
};

TEST_F(SignalModPageTest, EnterOnACaptionSendsThatTonesCodeWordOnly)
{
    OpenSignalMod();
    const auto area = image.ParamArea();
    const CaptionCase cases[] = {
        {0, {}},
        {1, {"57 20 01 02 B1 A1"}},
        {3, {"57 20 01 02 B3 A1"}},
        {5, {"57 20 01 02 B5 A1"}},
        {6, {"57 20 02 02 B6 A1"}},
        {7, {}},
    };
    for (const CaptionCase& c : cases) {
        radio.ClearLog();
        ClickCell(0, c.col);
        Press(Qt::Key_Return);
        EXPECT_EQ(Frames(), c.frames) << c.col;
        EXPECT_EQ(Grid().CellText(0, 1), QStringLiteral("67.0 (0-3FFF)"));
    }
    // The captions never reach the image.
    EXPECT_TRUE(image.ParamArea() == area);
}

struct ValueCase {
    int col;
    const char* typed;
    const char* cell;
    const char* editor;
    const char* frame;
    std::uint16_t address;
    unsigned stored;
};

TEST_F(SignalModPageTest, EnterOnAPointSendsItsLevel)
{
    OpenSignalMod();
    // Point 2 of 30M: record 0xF928.
    const ValueCase cases[] = {
        {1, "3FFF", "3FFF", "3FFF", "57 20 15 02 FF 3F", 0xF928, 0x3FFF},
        {4, "4000", "0", "0", "57 20 15 02 00 00", 0xF92E, 0},
        {6, "abc", "ABC", "ABC", "57 20 16 02 BC 0A", 0xF932, 0xABC},
        {7, "A5", "A5", "A5", "57 20 19 01 A5", 0xF934, 0xA5},
        {7, "g1", "1", "1", "57 20 19 01 01", 0xF934, 0x01},  // the MEV editor filters too
        {0, "28.05", "28.05000", "28.05000", "57 20 00 04 00 50 80 02", 0, 0},
    };
    for (const ValueCase& c : cases) {
        radio.ClearLog();
        Enter(2, c.col, QString::fromLatin1(c.typed));
        EXPECT_EQ(Grid().CellText(2, c.col), QString::fromLatin1(c.cell)) << c.typed;
        EXPECT_EQ(qobject_cast<QLineEdit*>(Focus())->text(), QString::fromLatin1(c.editor)) << c.typed;
        EXPECT_EQ(Frames(), (std::vector<std::string>{c.frame})) << c.typed;
        if (c.address != 0) {
            EXPECT_EQ(getField(image.ParamArea(), c.address, c.col == 7 ? 1 : 2), c.stored) << c.typed;
        }
    }
    EXPECT_EQ(getU32le(image.IdBlock(), 0x0404), 0x02805000u);
}

TEST_F(SignalModPageTest, EscapeLeavesTheMevEditorAsTheToneEditor)
{
    OpenSignalMod();
    for (int col : {0, 2, 7}) {
        ClickCell(3, col);
        QWidget* editor = Focus();
        Press(Qt::Key_Escape);
        EXPECT_EQ(Focus(), page->Grid()) << col;
        EXPECT_FALSE(editor->isVisible()) << col;
    }
    EXPECT_FALSE(page->ValueEditor(kMevEditor)->isVisible());
    EXPECT_FALSE(page->UpDown(1072)->isVisible());
}

struct PttCase {
    int row;
    int col;
    std::vector<std::string> frames;
};

TEST_F(SignalModPageTest, PttStartSendsTheColumnsToneAndLevel)
{
    OpenSignalMod();
    const std::string freq1 = "57 20 00 04 00 00 80 02";
    const std::string freq3 = "57 20 00 04 00 25 80 02";
    const std::string ptt = "57 20 FE 01 00";
    const PttCase cases[] = {
        // The caption row stands for point 1, the frequency column for the first tone.
        {0, 0, {freq1, "57 20 01 02 B1 A1", "57 20 15 02 10 11", ptt}},
        {3, 0, {freq3, "57 20 01 02 B1 A1", "57 20 15 02 30 31", ptt}},
        {3, 5, {freq3, "57 20 01 02 B5 A1", "57 20 15 02 38 39", ptt}},
        {3, 6, {freq3, "57 20 02 02 B6 A1", "57 20 16 02 3A 3B", ptt}},
        {3, 7, {freq3, "57 20 19 01 3C", ptt}},
    };
    for (const PttCase& c : cases) {
        ClickCell(c.row, c.col);
        if (c.row > 0)
            Press(Qt::Key_Escape);
        radio.ClearLog();
        ClickButton(kIdPttStart);
        EXPECT_EQ(Frames(), c.frames) << c.row << "," << c.col;
        EXPECT_EQ(reporter.ptt, QStringLiteral("Tx Mod"));
    }
    radio.ClearLog();
    ClickButton(kIdPttEnd);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 FE 01 FF"}));
}

TEST_F(SignalModPageTest, PttStartGoesOnAfterAFailedFrequency)
{
    OpenSignalMod();
    radio.FaultSettings().silentAfter = 0;
    ClickButton(kIdPttStart);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 20 00 04 00 00 80 02", "57 20 01 02 B1 A1",
                                                  "57 20 15 02 10 11", "57 20 FE 01 00"}));
    EXPECT_EQ(link.ActiveCommand(), 0);
}

TEST_F(SignalModPageTest, StoreSendsThirteenBytesOfEachRecord)
{
    OpenSignalMod();
    ClickButton(kIdStoreAll);
    const auto all = Frames();
    ASSERT_EQ(all.size(), 70u);  // 35 records, each cut into 8 and 5 bytes
    EXPECT_EQ(all[0], "57 FF 00 0A 18 F9 10 11 12 13 14 15 16 17");
    EXPECT_EQ(all[1], "57 FF 00 07 20 F9 18 19 1A 1B 1C");
    EXPECT_EQ(all[69].substr(0, 18), "57 FF 00 07 40 FB ");
    for (std::uint16_t a = 0xF918; a < 0xFB48; ++a) {
        const bool own = (a - 0xF918) % 16 < 13;
        ASSERT_EQ(radio.Memory()[a], own ? image.ParamArea()[a] : 0) << a;
    }

    ClickTab(3);  // 150M
    radio.ClearLog();
    ClickButton(kIdStoreCurrent);
    const auto band = Frames();
    ASSERT_EQ(band.size(), 12u);
    EXPECT_EQ(band[0].substr(0, 18), "57 FF 00 0A A8 F9 ");
    EXPECT_EQ(band[11].substr(0, 18), "57 FF 00 07 00 FA ");
}

} // namespace
} // namespace qmcal::test
