#include "PageFixture.h"
#include "pages/RxTuningPage.h"

namespace qmcal::test {
namespace {

constexpr int kAdjustEditor = 1067;
constexpr int kAdjustSpin = 1068;

class RxTuningPageTest : public PageFixture {
protected:
    // Point r of slot s sits at low + r * 1 MHz and holds 0x40 * s + r.
    void FillImage()
    {
        for (int slot = 0; slot < 11; ++slot) {
            for (int row = 1; row <= kRxTuningLayout.rowCount[static_cast<std::size_t>(slot)]; ++row) {
                const std::uint32_t low = kElevenSlots.freqLow[static_cast<std::size_t>(slot)];
                SetFrequency(kRxTuningLayout, slot, row, low + 100000 * static_cast<std::uint32_t>(row));
                putU16le(image.ParamArea(),
                         kRxTuningLayout.FieldAddress(slot, row, kRxTuningLayout.Field(0)),
                         static_cast<std::uint16_t>(0x40 * slot + row));
            }
        }
    }

    RxTuningPage& OpenRxTuning()
    {
        FillImage();
        return Open<RxTuningPage>();
    }

    CellEdit* AdjustEditor() const { return page->ValueEditor(kAdjustEditor); }
};

TEST_F(RxTuningPageTest, ShowsTheSevenReceiveBandsAndMarksValuesOutOfRange)
{
    FillImage();
    putU16le(image.ParamArea(), 0xF726 + 2, 0xFFFF);  // AM, point 2
    Open<RxTuningPage>();
    QStringList tabs;
    for (int i = 0; i < page->BandTabs()->count(); ++i)
        tabs << page->BandTabs()->tabText(i);
    EXPECT_EQ(tabs.join(QLatin1Char(',')), QStringLiteral("AM,150M L,150M R,250M,350M,450M L,450M R"));
    EXPECT_EQ(page->Slot(), 3);
    EXPECT_EQ(Grid().CellText(0, 0) + QLatin1Char('|') + Grid().CellText(0, 1), QStringLiteral("Freq|Adjust (0-3FF)"));
    EXPECT_EQ(Grid().GridRowCount(), 4);
    EXPECT_EQ(Grid().CellText(1, 0), QStringLiteral("109.00000"));
    EXPECT_EQ(Grid().CellText(1, 1), QStringLiteral("C1"));
    EXPECT_EQ(Grid().CellText(2, 1), QStringLiteral("0*"));
    // The marker reads as 0 at the next save.
    ClickCell(1, 0);
    Press(Qt::Key_Escape);
    Press(Qt::Key_Return);
    EXPECT_EQ(getU16le(image.ParamArea(), 0xF728), 0);
    EXPECT_EQ(getU16le(image.ParamArea(), 0xF726), 0xC1);
}

TEST_F(RxTuningPageTest, TooLargeAdjustBecomesZeroInCellAndEditor)
{
    OpenRxTuning();
    Enter(2, 1, QStringLiteral("FFF"));
    EXPECT_EQ(Grid().CellText(2, 1), QStringLiteral("0"));
    EXPECT_EQ(AdjustEditor()->text(), QStringLiteral("0"));
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 41 20 02 00 00"}));

    radio.ClearLog();
    Enter(2, 1, QStringLiteral("3fF"));
    EXPECT_EQ(Grid().CellText(2, 1), QStringLiteral("3FF"));
    EXPECT_EQ(getU16le(image.ParamArea(), 0xF728), 0x3FF);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 41 20 02 FF 03"}));
    EXPECT_EQ(AdjustEditor()->selectedText(), QStringLiteral("3FF"));
}

TEST_F(RxTuningPageTest, FrequencyGoesBackIntoTheEditorToo)
{
    OpenRxTuning();
    ClickTab(1);  // 150M L
    Enter(3, 0, QStringLiteral("145.007"));
    EXPECT_EQ(Grid().CellText(3, 0), QStringLiteral("145.00625"));
    EXPECT_EQ(page->FrequencyEditor()->text(), QStringLiteral("145.00625"));
    EXPECT_EQ(page->FrequencyEditor()->selectedText(), QStringLiteral("145.00625"));
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 41 00 04 25 06 50 14"}));
    EXPECT_EQ(getU32le(image.IdBlock(), 0x0228 + 8), 0x14500625u);
}

TEST_F(RxTuningPageTest, ArrowsWrapThroughTheTenBitRange)
{
    putU16le(image.ParamArea(), 0xF726, 0x3FF);
    Open<RxTuningPage>();
    ClickCell(1, 1);
    ClickSpin(kAdjustSpin, true);
    EXPECT_EQ(AdjustEditor()->text(), QStringLiteral("0"));
    ClickSpin(kAdjustSpin, false);
    EXPECT_EQ(AdjustEditor()->text(), QStringLiteral("3FF"));
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 41 20 02 00 00", "57 41 20 02 FF 03"}));
}

TEST_F(RxTuningPageTest, F2MeansNothingHere)
{
    OpenRxTuning();
    ClickCell(2, 1);
    Press(Qt::Key_Escape);
    Press(Qt::Key_F2);
    EXPECT_FALSE(AdjustEditor()->isVisible());
}

TEST_F(RxTuningPageTest, TestTellsTheRadioWhichHalfOfTheBand)
{
    OpenRxTuning();
    const int flags[] = {0, 0, 1, 0, 0, 0, 1};
    for (int tab = 0; tab < 7; ++tab) {
        ClickTab(tab);
        const int slot = page->Slot();
        ASSERT_EQ(slot, tab + 3);
        ClickCell(2, 1);
        radio.ClearLog();
        ClickButton(kIdTest);
        const std::uint32_t units = kElevenSlots.freqLow[static_cast<std::size_t>(slot)] + 200000;
        const std::uint32_t word = FreqWordFromUnits(units);
        const std::uint16_t value = static_cast<std::uint16_t>(0x40 * slot + 2);
        char expected[4][40];
        std::snprintf(expected[0], sizeof expected[0], "57 41 00 04 %02X %02X %02X %02X", word & 0xFF,
                      (word >> 8) & 0xFF, (word >> 16) & 0xFF, word >> 24);
        std::snprintf(expected[1], sizeof expected[1], "57 41 0E 01 %02X", flags[tab]);
        std::snprintf(expected[2], sizeof expected[2], "57 41 20 02 %02X %02X", value & 0xFF, value >> 8);
        std::snprintf(expected[3], sizeof expected[3], "57 41 FD 01 00");
        EXPECT_EQ(Frames(), (std::vector<std::string>{expected[0], expected[1], expected[2], expected[3]}))
            << "tab " << tab;
        EXPECT_EQ(reporter.ptt, QStringLiteral("Rx Tuning"));
        radio.ClearLog();
        ClickButton(kIdEnd);
        EXPECT_EQ(Frames(), (std::vector<std::string>{"57 41 FD 01 FF"}));
        EXPECT_EQ(reporter.ptt, QString());
    }
}

TEST_F(RxTuningPageTest, TestSendsEveryCommandEvenWhenTheFrequencyFails)
{
    OpenRxTuning();
    radio.FaultSettings().silentAfter = 0;
    ClickButton(kIdTest);
    EXPECT_EQ(Frames().size(), 4u);
    EXPECT_EQ(link.ActiveCommand(), 0);
}

TEST_F(RxTuningPageTest, StoreCurrentOfTheRightHalfStoresItsOwnArea)
{
    OpenRxTuning();
    ClickTab(6);  // 450M R: 0xFC30 .. 0xFC49
    ClickButton(kIdStoreCurrent);
    const auto frames = Frames();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0], "57 FF 00 0A 30 FC 41 02 42 02 43 02 44 02");
    EXPECT_EQ(frames[1].substr(0, 18), "57 FF 00 0A 38 FC ");
    EXPECT_EQ(frames[2].substr(0, 18), "57 FF 00 0A 40 FC ");
    EXPECT_EQ(frames[3], "57 FF 00 04 48 FC 4D 02");

    radio.ClearLog();
    ClickButton(kIdStoreAll);
    std::size_t stored = 0;
    for (const std::string& frame : Frames())
        stored += (frame.size() - 17) / 3;
    EXPECT_EQ(stored, 2u * (3 + 6 + 6 + 5 + 9 + 13 + 13));
    for (std::uint16_t a = 0xF700; a < 0xF75C; ++a)
        EXPECT_EQ(radio.Memory()[a], image.ParamArea()[a]) << a;
}

} // namespace
} // namespace qmcal::test
