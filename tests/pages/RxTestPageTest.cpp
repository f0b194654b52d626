#include <cstdio>

#include <QComboBox>

#include "PageFixture.h"
#include "pages/RxTestPage.h"

namespace qmcal::test {
namespace {

constexpr int kFineEditor = 1075;
constexpr int kFineSpin = 1076;
constexpr int kDiscList = 1072;
constexpr int kAudioList = 1073;
constexpr int kSlot150M = 4;
constexpr int kSlot450M = 7;

class RxTestPageTest : public PageFixture {
protected:
    // One point per band at its low limit + 1 MHz; record byte b of slot s is 0x10 * s + b, the
    // gains 5 and 2, the fines 0x1234 and 0x2A73.
    RxTestPage& OpenRxTest()
    {
        for (int slot = 0; slot < 9; ++slot) {
            SetFrequency(kRxTestLayout, slot, 1, kNineSlots.freqLow[static_cast<std::size_t>(slot)] + 100000);
            const std::uint16_t record = kRxTestLayout.valueBase[static_cast<std::size_t>(slot)];
            for (int b = 0; b < 8; ++b)
                putU8(image.ParamArea(), record + b, static_cast<std::uint8_t>(0x10 * slot + b));
            putU8(image.ParamArea(), record, 5);
            putU8(image.ParamArea(), record + 1, 2);
            putU16le(image.ParamArea(), record + 2, 0x1234);
            putU16le(image.ParamArea(), record + 4, 0x2A73);
        }
        return Open<RxTestPage>();
    }

    void OpenSlot(int slot) { ClickTab(slot); }
};

TEST_F(RxTestPageTest, ShowsOnePointPerBandInEveryTab)
{
    OpenRxTest();
    QStringList tabs;
    for (int i = 0; i < page->BandTabs()->count(); ++i)
        tabs << page->BandTabs()->tabText(i);
    EXPECT_EQ(tabs.join(QLatin1Char(',')), QStringLiteral("30M,50M,66M,AM,150M,250M,350M,450M,850M"));
    EXPECT_EQ(Grid().GridRowCount(), 2);
    QStringList captions;
    for (int c = 0; c < Grid().GridColCount(); ++c)
        captions << Grid().CellText(0, c);
    EXPECT_EQ(captions.join(QLatin1Char('|')),
              QStringLiteral("Freq|DISC Gain db|AUDIO Gain db|DISC FIne (0-2A73)|AUDIO Fine (0-2A73)"));
    EXPECT_EQ(Grid().CellText(1, 0), QStringLiteral("21.00000"));
    EXPECT_EQ(Grid().CellText(1, 1), QStringLiteral("16.0"));
    EXPECT_EQ(Grid().CellText(1, 2), QStringLiteral("-16.0"));
    EXPECT_EQ(Grid().CellText(1, 3), QStringLiteral("1234"));
    EXPECT_EQ(Grid().CellText(1, 4), QStringLiteral("2A73"));
    OpenSlot(8);
    EXPECT_EQ(page->Slot(), 8);
    EXPECT_EQ(Grid().CellText(1, 0), QStringLiteral("76.00000"));
}

struct StoredCase {
    int field;  // record offset
    int width;
    unsigned stored;
    int col;
    const char* shown;
    unsigned saved;
};

TEST_F(RxTestPageTest, StoredValuesOutOfRangeShowItemZeroOrTheMarkerAndSaveAsZero)
{
    OpenRxTest();
    const StoredCase cases[] = {
        {0, 1, 0x05, 1, "16.0", 0x05},   {0, 1, 0x08, 1, "0", 0x00},
        {1, 1, 0x07, 2, "0", 0x07},      {1, 1, 0x09, 2, "mute", 0x00},
        {2, 2, 0x2A73, 3, "2A73", 0x2A73}, {2, 2, 0x2A74, 3, "0*", 0},
        {4, 2, 0xFFFF, 4, "0*", 0},
    };
    for (const StoredCase& c : cases) {
        putField(image.ParamArea(), 0xF760 + c.field, c.width, c.stored);
        page->ImageReplaced();
        EXPECT_EQ(Grid().CellText(1, c.col), QString::fromLatin1(c.shown)) << c.stored;
        page->SaveGrid();
        EXPECT_EQ(getField(image.ParamArea(), 0xF760 + c.field, c.width), c.saved) << c.stored;
    }
}

TEST_F(RxTestPageTest, ChosenGainIsStoredAtTheNextSaveAndSentOnEnter)
{
    OpenRxTest();
    ClickCell(1, 1);
    QComboBox* disc = page->ListEditor(kDiscList);
    ASSERT_EQ(Focus(), disc);
    EXPECT_EQ(disc->currentText(), QStringLiteral("16.0"));
    Press(Qt::Key_End);
    EXPECT_EQ(disc->currentText(), QStringLiteral("22.4"));
    ClickCell(1, 3);  // leaving the list commits it into the cell
    EXPECT_EQ(Grid().CellText(1, 1), QStringLiteral("22.4"));
    EXPECT_EQ(getU8(image.ParamArea(), 0xF760), 5);
    EXPECT_TRUE(Frames().empty());
    Press(Qt::Key_Return);
    EXPECT_EQ(getU8(image.ParamArea(), 0xF760), 7);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 30 11 02 34 12"}));

    radio.ClearLog();
    Press(Qt::Key_Escape);
    ClickCell(1, 2);
    Type(QStringLiteral("m"));
    Press(Qt::Key_Return);
    EXPECT_EQ(Grid().CellText(1, 2), QStringLiteral("mute"));
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 30 12 01 00"}));
    Press(Qt::Key_Escape);
    EXPECT_EQ(Focus(), page->Grid());
    EXPECT_FALSE(page->ListEditor(kAudioList)->isVisible());
}

struct EnterCase {
    int slot;
    int col;
    const char* typed;
    const char* cell;
    const char* editor;
    const char* frame;
};

TEST_F(RxTestPageTest, EnterSendsTheColumnsField)
{
    OpenRxTest();
    const EnterCase cases[] = {
        {kSlot450M, 4, "", "0", "", "57 30 13 02 00 00"},  // nothing parses: the editor keeps its text
        {kSlot450M, 4, "2A73", "2A73", "2A73", "57 30 13 02 73 2A"},
        {kSlot450M, 4, "2A74", "0", "0", "57 30 13 02 00 00"},
        {kSlot450M, 3, "0a", "0A", "0A", "57 30 11 02 0A 00"},
        {kSlot150M, 0, "145.1", "145.10000", "145.10000", "57 30 00 04 00 00 51 14"},
        {kSlot150M, 0, "500", "134.00000", "134.00000", "57 30 00 04 00 00 40 13"},
    };
    for (const EnterCase& c : cases) {
        if (page->Slot() != c.slot) {
            if (qobject_cast<QLineEdit*>(Focus()) != nullptr)
                Press(Qt::Key_Escape);
            OpenSlot(c.slot);
        }
        radio.ClearLog();
        Enter(1, c.col, QString::fromLatin1(c.typed));
        EXPECT_EQ(Grid().CellText(1, c.col), QString::fromLatin1(c.cell)) << c.typed;
        EXPECT_EQ(qobject_cast<QLineEdit*>(Focus())->text(), QString::fromLatin1(c.editor)) << c.typed;
        EXPECT_EQ(Frames(), (std::vector<std::string>{c.frame})) << c.typed;
    }
    EXPECT_EQ(getU16le(image.ParamArea(), 0xF79C), 0);
    EXPECT_EQ(getU16le(image.ParamArea(), 0xF79A), 0x0A);
    EXPECT_EQ(getU32le(image.IdBlock(), 0x610), 0x13400000u);
}

TEST_F(RxTestPageTest, FineUpDownWrapsThroughItsRange)
{
    OpenRxTest();
    Enter(1, 4, QStringLiteral("2A73"));
    radio.ClearLog();
    ClickSpin(kFineSpin, true);
    EXPECT_EQ(page->ValueEditor(kFineEditor)->text(), QStringLiteral("0"));
    ClickSpin(kFineSpin, false);
    EXPECT_EQ(page->ValueEditor(kFineEditor)->text(), QStringLiteral("2A73"));
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 30 13 02 00 00", "57 30 13 02 73 2A"}));
}

TEST_F(RxTestPageTest, TestSendsBothGainsThenBothFines)
{
    OpenRxTest();
    OpenSlot(kSlot150M);
    ClickCell(1, 4);
    Press(Qt::Key_Escape);
    ClickButton(kIdTest);
    EXPECT_EQ(Frames(), (std::vector<std::string>{
                            "57 30 00 04 00 00 50 13", "57 30 10 01 05", "57 30 12 01 02",
                            "57 30 11 02 34 12", "57 30 13 02 73 2A", "57 30 FD 01 00"}));
    EXPECT_EQ(reporter.ptt, QStringLiteral("Analog Rx"));
    EXPECT_EQ(radio.TestCode(), 0x30);
    radio.ClearLog();
    ClickButton(kIdEnd);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 30 FD 01 FF"}));
    EXPECT_EQ(reporter.ptt, QString());

    radio.ClearLog();
    radio.FaultSettings().silentAfter = 0;
    ClickButton(kIdTest);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 30 00 04 00 00 50 13"}));
}

TEST_F(RxTestPageTest, StoreSendsWholeRecords)
{
    OpenRxTest();
    ClickButton(kIdStoreAll);
    const auto all = Frames();
    ASSERT_EQ(all.size(), 9u);
    for (int slot = 0; slot < 9; ++slot) {
        char head[32];
        std::snprintf(head, sizeof head, "57 FF 00 0A %02X F7 ", 0x60 + 8 * slot);
        EXPECT_EQ(all[static_cast<std::size_t>(slot)].substr(0, 18), head);
    }
    // Bytes 6 and 7 go with the rest.
    EXPECT_EQ(all[0], "57 FF 00 0A 60 F7 05 02 34 12 73 2A 06 07");
    OpenSlot(kSlot450M);
    radio.ClearLog();
    ClickButton(kIdStoreCurrent);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 FF 00 0A 98 F7 05 02 34 12 73 2A 76 77"}));
}

} // namespace
} // namespace qmcal::test
