// The RSSI and SQL pages: Auto measurement, key handling and stores.

#include <QTimer>

#include "PageFixture.h"
#include "pages/RadioRunner.h"
#include "pages/RssiPage.h"
#include "pages/SqlPage.h"

namespace qmcal::test {
namespace {

constexpr int kIdAuto = AutoMeasurePage::kIdAuto;
constexpr int kRssiEditor = 1077;
constexpr int kRssiSpin = 1078;

class AutoMeasureFixture : public PageFixture {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        // RSSI: 28 and 435 MHz ("450M R").
        SetFrequency(kRssiLayout, 0, 1, 2800000);
        SetFrequency(kRssiLayout, 9, 1, 43500000);
        // SQL: 29 MHz, 150 MHz ("150M R"), five points on each 450 MHz half, 440.125 MHz
        // at row 2 of "450M L".
        for (int row = 1; row <= 5; ++row) {
            SetFrequency(kSqlLayout, 8, row, 44000000 + 1250 * static_cast<std::uint32_t>(row - 1));
            SetFrequency(kSqlLayout, 9, row, 45000000 + 1250 * static_cast<std::uint32_t>(row - 1));
        }
        SetFrequency(kSqlLayout, 0, 1, 2900000);
        SetFrequency(kSqlLayout, 5, 1, 15000000);
        SetFrequency(kSqlLayout, 8, 2, 44012500);
    }

    AutoMeasurePage& OpenPage(bool sql)
    {
        if (sql)
            return Open<SqlPage>();
        return Open<RssiPage>();
    }

    AutoMeasurePage& Page() const { return *static_cast<AutoMeasurePage*>(page); }

    // Auto on a cell of a band: the cell is clicked first, as a user would.
    void StartOn(int tab, int row, int col)
    {
        ClickTab(tab);
        ClickCell(row, col);
        ClickButton(kIdAuto);
    }

    std::uint16_t Field(std::uint16_t address) const { return getU16le(image.ParamArea(), address); }
};

template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& test)
{
    return test.param.name;
}

// ---- start and stop -----------------------------------------------------------------------

struct StartCase {
    const char* name;
    bool sql;
    int tab;
    int row;
    int col;
    std::vector<std::string> frames;
    int measuredCol;
};
void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class AutoStart : public AutoMeasureFixture, public ::testing::WithParamInterface<StartCase> {};

TEST_P(AutoStart, SendsTheSequenceMeasuresOnceASecondAndStops)
{
    const StartCase& c = GetParam();
    AutoMeasurePage& p = OpenPage(c.sql);
    StartOn(c.tab, c.row, c.col);
    EXPECT_EQ(Frames(), c.frames);
    EXPECT_TRUE(p.Measuring());
    EXPECT_EQ(p.MeasureRow(), c.row);
    EXPECT_EQ(p.MeasureCol(), c.measuredCol);
    EXPECT_EQ(p.Button(kIdAuto)->text(), QStringLiteral("End"));
    EXPECT_TRUE(p.MeasureTimer().isActive());
    EXPECT_EQ(p.MeasureTimer().interval(), 1000);
    EXPECT_EQ(reporter.ptt, QStringLiteral("Sql/Rssi"));
    EXPECT_EQ(radio.TestCode(), 0x42);

    radio.ClearLog();
    radio.QueueReading(0x1234);
    p.MeasureTick();
    EXPECT_EQ(Frames(), (std::vector<std::string>{c.sql ? "57 42 21 00" : "57 42 22 00"}));
    EXPECT_EQ(Grid().CellText(c.row, c.measuredCol), QStringLiteral("1234"));

    radio.ClearLog();
    ClickButton(kIdAuto);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 42 FD 01 FF"}));
    EXPECT_FALSE(p.Measuring());
    EXPECT_FALSE(p.MeasureTimer().isActive());
    EXPECT_EQ(p.Button(kIdAuto)->text(), QStringLiteral("Auto"));
    EXPECT_EQ(reporter.ptt, QString());
    EXPECT_EQ(radio.TestCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, AutoStart,
    ::testing::Values(
        // The "Freq" column measures the first value of the row.
        StartCase{"RssiFreqColumn", false, 0, 1, 0,
                  {"57 42 00 04 00 00 80 02", "57 42 0E 01 00", "57 42 FD 01 00"}, 1},
        StartCase{"Rssi450MR", false, 9, 1, 1,
                  {"57 42 00 04 00 00 50 43", "57 42 0E 01 01", "57 42 FD 01 00"}, 1},
        StartCase{"Sql450MLRow2NSql9", true, 8, 2, 4,
                  {"57 42 00 04 00 25 01 44", "57 42 0E 01 00", "57 42 0F 01 FF", "57 42 FD 01 00"}, 4},
        StartCase{"Sql150MRWSql9", true, 5, 1, 2,
                  {"57 42 00 04 00 00 00 15", "57 42 0E 01 01", "57 42 0F 01 00", "57 42 FD 01 00"}, 2},
        StartCase{"SqlFreqColumn", true, 0, 1, 0,
                  {"57 42 00 04 00 00 90 02", "57 42 0E 01 00", "57 42 0F 01 00", "57 42 FD 01 00"}, 1}),
    CaseName<StartCase>);

struct FailedStartCase {
    const char* name;
    int answered;  // frames the radio answers before it falls silent
    std::size_t framesSent;
};
void PrintTo(const FailedStartCase& c, std::ostream* os) { *os << c.name; }

class FailedAutoStart : public AutoMeasureFixture, public ::testing::WithParamInterface<FailedStartCase> {};

TEST_P(FailedAutoStart, LeavesThePageIdle)
{
    const FailedStartCase& c = GetParam();
    AutoMeasurePage& p = OpenPage(true);
    radio.FaultSettings().silentAfter = c.answered;
    StartOn(0, 1, 1);
    EXPECT_EQ(Frames().size(), c.framesSent);
    EXPECT_FALSE(p.Measuring());
    EXPECT_FALSE(p.MeasureTimer().isActive());
    EXPECT_EQ(p.Button(kIdAuto)->text(), QStringLiteral("Auto"));
    EXPECT_EQ(reporter.prompt, QStringLiteral("Communication error"));
    EXPECT_EQ(link.ActiveCommand(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, FailedAutoStart,
    ::testing::Values(FailedStartCase{"FrequencyUnanswered", 0, 1},  // stops after SetFrequency
                      FailedStartCase{"TestStartUnanswered", 3, 4}),  // flag and mode go regardless
    CaseName<FailedStartCase>);

TEST_F(AutoMeasureFixture, AFailedTestEndStillStops)
{
    OpenPage(false);
    StartOn(0, 1, 2);
    radio.FaultSettings().silentAfter = static_cast<int>(radio.FrameLog().size());
    ClickButton(kIdAuto);
    EXPECT_FALSE(Page().Measuring());
    EXPECT_FALSE(Page().MeasureTimer().isActive());
    EXPECT_EQ(Page().Button(kIdAuto)->text(), QStringLiteral("Auto"));
    EXPECT_EQ(link.ActiveCommand(), 0);
}

TEST_F(AutoMeasureFixture, TheTimerEndsWithThePageAndSendsNothing)
{
    OpenPage(true);
    StartOn(0, 1, 1);
    radio.ClearLog();
    Page().DestroyWindow();
    EXPECT_FALSE(Page().MeasureTimer().isActive());
    EXPECT_TRUE(Frames().empty());
    delete page;
    page = nullptr;
}

// The radio holds another call back while the Auto timer ticks: the tick is skipped rather
// than run inside that call's wait, and the next one measures as usual.
TEST_F(AutoMeasureFixture, AnAutoTickDuringAnotherCallsWaitIsSkipped)
{
    AutoMeasurePage& p = OpenPage(false);
    StartOn(0, 1, 1);
    const QString before = Grid().CellText(1, 1);
    radio.ClearLog();
    const RadioRunner other(link, &linkThread);
    port->HoldAt(1);
    QTimer::singleShot(0, &p, [&] {
        p.MeasureTick();  // as the page's timer does
        port->Release();
    });
    EXPECT_EQ(other.SetFlag(0x42, 1), ExchangeResult::Ok);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 42 0E 01 01"}));
    EXPECT_EQ(Grid().CellText(1, 1), before);

    radio.QueueReading(0x1234);
    p.MeasureTick();
    EXPECT_EQ(Frames().back(), "57 42 22 00");
    EXPECT_EQ(Grid().CellText(1, 1), QStringLiteral("1234"));
}

struct BothPagesCase {
    const char* name;
    bool sqlMeasures;
};
void PrintTo(const BothPagesCase& c, std::ostream* os) { *os << c.name; }

class AutoOnBothPages : public AutoMeasureFixture, public ::testing::WithParamInterface<BothPagesCase> {};

// Both pages use one command code, so only the page itself can tell that the test is not its own.
TEST_P(AutoOnBothPages, TheSecondAutoIsRefusedAsBusyAndSendsNothing)
{
    const bool sqlMeasures = GetParam().sqlMeasures;
    OpenPage(sqlMeasures);
    StartOn(0, 1, 1);
    ASSERT_TRUE(Page().Measuring());
    std::unique_ptr<AutoMeasurePage> other;
    if (sqlMeasures)
        other = std::make_unique<RssiPage>(image, link, &window);
    else
        other = std::make_unique<SqlPage>(image, link, &window);
    other->show();  // on top of the measuring page
    radio.ClearLog();

    QTest::mouseClick(other->Button(kIdAuto), Qt::LeftButton);
    EXPECT_TRUE(Frames().empty());
    EXPECT_EQ(reporter.messages, QStringList{QStringLiteral("请先结束PTT或开始命令: Sql/Rssi")});
    EXPECT_FALSE(other->Measuring());
    EXPECT_FALSE(other->MeasureTimer().isActive());
    EXPECT_EQ(other->Button(kIdAuto)->text(), QStringLiteral("Auto"));
    EXPECT_TRUE(Page().Measuring());
    EXPECT_EQ(link.ActiveCommand(), 0x42);
    EXPECT_EQ(reporter.ptt, QStringLiteral("Sql/Rssi"));

    // Once the first page has stopped, the other one may measure.
    Page().AutoClicked();
    radio.ClearLog();
    QTest::mouseClick(other->Button(kIdAuto), Qt::LeftButton);
    EXPECT_TRUE(other->Measuring());
    EXPECT_EQ(Frames().back(), "57 42 FD 01 00");
    EXPECT_EQ(reporter.messages.size(), 1);
    other->AutoClicked();
}

INSTANTIATE_TEST_SUITE_P(
    Pages, AutoOnBothPages,
    ::testing::Values(BothPagesCase{"RssiMeasures", false}, BothPagesCase{"SqlMeasures", true}),
    CaseName<BothPagesCase>);

// ---- ticks -----------------------------------------------------------------------------------

enum class Answer { Reading, AckAlone, Silent, Short, Garbage, NoPort };

struct TickCase {
    const char* name;
    bool sql;
    int col;
    Answer answer;
    const char* cell;
};
void PrintTo(const TickCase& c, std::ostream* os) { *os << c.name; }

class MeasureTick : public AutoMeasureFixture, public ::testing::WithParamInterface<TickCase> {};

TEST_P(MeasureTick, WritesOnlyARealReadingOrTheFallback)
{
    const TickCase& c = GetParam();
    const BandLayout& layout = c.sql ? kSqlLayout : kRssiLayout;
    const std::uint16_t address = layout.FieldAddress(0, 1, layout.Field(static_cast<std::size_t>(c.col - 1)));
    putU16le(image.ParamArea(), address, 0x0ABC);
    OpenPage(c.sql);
    ASSERT_EQ(Grid().CellText(1, c.col), QStringLiteral("ABC"));
    StartOn(0, 1, c.col);
    ASSERT_TRUE(Page().Measuring());

    switch (c.answer) {
    case Answer::Reading: radio.QueueReading(0x1234); break;
    case Answer::AckAlone: radio.FaultSettings().noReading = true; break;
    case Answer::Silent: radio.FaultSettings().silentAfter = static_cast<int>(radio.FrameLog().size()); break;
    case Answer::Short: radio.FaultSettings().shortReplies = true; break;
    case Answer::Garbage: radio.FaultSettings().garbage = true; break;
    case Answer::NoPort: link.ClosePort(); break;
    }
    Page().MeasureTick();
    EXPECT_EQ(Grid().CellText(1, c.col), QString::fromLatin1(c.cell));
    // The reading waits in the grid for the next save.
    EXPECT_EQ(Field(address), 0x0ABC);
    EXPECT_TRUE(reporter.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, MeasureTick,
    ::testing::Values(TickCase{"RssiReading", false, 2, Answer::Reading, "1234"},
                      TickCase{"Rssi1Ack", false, 1, Answer::AckAlone, "174"},
                      TickCase{"Rssi9Ack", false, 2, Answer::AckAlone, "22E"},
                      TickCase{"WSql1Ack", true, 1, Answer::AckAlone, "3A2"},
                      TickCase{"WSql9Ack", true, 2, Answer::AckAlone, "BA"},
                      TickCase{"NSql1Ack", true, 3, Answer::AckAlone, "3A2"},
                      TickCase{"NSql9Ack", true, 4, Answer::AckAlone, "BA"},
                      TickCase{"RssiNoAnswer", false, 1, Answer::Silent, "ABC"},
                      TickCase{"SqlShortAnswer", true, 3, Answer::Short, "ABC"},
                      TickCase{"RssiNoValueAfterTheHeader", false, 2, Answer::Garbage, "ABC"},
                      TickCase{"SqlNoPort", true, 2, Answer::NoPort, "ABC"}),
    CaseName<TickCase>);

struct LostReadingCase {
    const char* name;
    bool sql;
    Answer answer;
    const char* prompt;
};
void PrintTo(const LostReadingCase& c, std::ostream* os) { *os << c.name; }

class LostReading : public AutoMeasureFixture, public ::testing::WithParamInterface<LostReadingCase> {};

TEST_P(LostReading, ShowsInThePromptUntilTheNextReading)
{
    const LostReadingCase& c = GetParam();
    OpenPage(c.sql);
    StartOn(0, 1, 1);
    radio.QueueReading(0x111);
    Page().MeasureTick();
    ASSERT_EQ(reporter.prompt, QStringLiteral("Complete"));

    switch (c.answer) {
    case Answer::Silent: radio.FaultSettings().silentAfter = static_cast<int>(radio.FrameLog().size()); break;
    case Answer::Short: radio.FaultSettings().shortReplies = true; break;
    case Answer::Garbage: radio.FaultSettings().garbage = true; break;
    case Answer::NoPort: link.ClosePort(); break;
    default: FAIL() << "not a lost reading";
    }
    for (int tick = 0; tick < 2; ++tick) {
        Page().MeasureTick();
        EXPECT_EQ(reporter.prompt, QLatin1String(c.prompt));
        EXPECT_EQ(Grid().CellText(1, 1), QStringLiteral("111"));  // no made-up value
    }
    // The measurement goes on: the radio's test stays on.
    EXPECT_TRUE(Page().Measuring());
    EXPECT_EQ(reporter.ptt, QStringLiteral("Sql/Rssi"));
    EXPECT_TRUE(reporter.messages.isEmpty());

    radio.FaultSettings() = {};
    if (!link.HasPort())
        link.SetPort(std::make_unique<LoopbackPort>(radio));
    radio.QueueReading(0x1234);
    Page().MeasureTick();
    EXPECT_EQ(reporter.prompt, QStringLiteral("Complete"));
    EXPECT_EQ(Grid().CellText(1, 1), QStringLiteral("1234"));
    // Once back, readings leave the Prompt alone again.
    const auto shown = reporter.prompts.size();
    Page().MeasureTick();
    EXPECT_EQ(reporter.prompts.size(), shown);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, LostReading,
    ::testing::Values(LostReadingCase{"RssiSilent", false, Answer::Silent, "Communication error"},
                      LostReadingCase{"SqlShort", true, Answer::Short, "Communication error"},
                      LostReadingCase{"RssiNoValueAfterTheHeader", false, Answer::Garbage, "Communication error"},
                      LostReadingCase{"SqlNoPort", true, Answer::NoPort, "Please select port"}),
    CaseName<LostReadingCase>);

TEST_F(AutoMeasureFixture, ReadingsFollowTheBandTabsButNeverLeaveTheGrid)
{
    OpenPage(true);
    StartOn(8, 5, 2);  // "450M L", row 5
    ASSERT_TRUE(Page().Measuring());

    // "30M" has one point: no row 5, so nothing is asked and nothing written.
    ClickTab(0);
    radio.ClearLog();
    Page().MeasureTick();
    EXPECT_TRUE(Frames().empty());
    EXPECT_EQ(Grid().GridRowCount(), 2);
    EXPECT_EQ(Grid().CellText(1, 2), QStringLiteral("0"));
    EXPECT_TRUE(Page().Measuring());

    // "450M R" has a row 5 again: the readings go on there.
    ClickTab(9);
    radio.QueueReading(0x2BC);
    Page().MeasureTick();
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 42 21 00"}));
    EXPECT_EQ(Grid().CellText(5, 2), QStringLiteral("2BC"));
}

TEST_F(AutoMeasureFixture, AReadingReachesTheRadioWithTheNextStore)
{
    OpenPage(false);
    StartOn(5, 1, 1);  // "150M R"
    radio.QueueReading(0x1234);
    Page().MeasureTick();
    ClickButton(kIdAuto);
    radio.ClearLog();
    ClickButton(kIdStoreCurrent);
    EXPECT_EQ(Frames(), (std::vector<std::string>{"57 FF 00 06 A0 FC 34 12 00 00"}));
    EXPECT_EQ(Field(0xFCA0), 0x1234);
}

// ---- stores -----------------------------------------------------------------------------------

std::vector<std::string> Heads(const std::vector<std::string>& frames)
{
    std::vector<std::string> heads;
    for (const std::string& frame : frames)
        heads.push_back(frame.substr(0, 17));
    return heads;
}

TEST_F(AutoMeasureFixture, RssiStoreAllKeepsTheRightHalvesInSlotOrder)
{
    OpenPage(false);
    ClickButton(kIdStoreAll);
    EXPECT_EQ(Heads(Frames()), (std::vector<std::string>{
                                   "57 FF 00 06 00 FC", "57 FF 00 06 04 FC", "57 FF 00 06 08 FC",
                                   "57 FF 00 06 0C FC", "57 FF 00 06 10 FC", "57 FF 00 06 A0 FC",
                                   "57 FF 00 06 14 FC", "57 FF 00 06 18 FC", "57 FF 00 06 1C FC",
                                   "57 FF 00 06 A4 FC", "57 FF 00 06 20 FC"}));
}

TEST_F(AutoMeasureFixture, SqlStoreCurrentSendsTheWholeBand)
{
    OpenPage(true);
    ClickTab(8);  // "450M L": 40 bytes
    ClickButton(kIdStoreCurrent);
    EXPECT_EQ(Heads(Frames()), (std::vector<std::string>{"57 FF 00 0A C0 FB", "57 FF 00 0A C8 FB",
                                                         "57 FF 00 0A D0 FB", "57 FF 00 0A D8 FB",
                                                         "57 FF 00 0A E0 FB"}));
    ClickTab(5);  // "150M R": 24 bytes
    radio.ClearLog();
    ClickButton(kIdStoreCurrent);
    EXPECT_EQ(Heads(Frames()),
              (std::vector<std::string>{"57 FF 00 0A 50 FC", "57 FF 00 0A 58 FC", "57 FF 00 0A 60 FC"}));
}

// ---- keys -------------------------------------------------------------------------------------

TEST_F(AutoMeasureFixture, EnterAndEscapeOnlyCloseTheEditor)
{
    OpenPage(false);
    CellEdit* editor = page->ValueEditor(kRssiEditor);
    ClickCell(1, 1);
    Press(Qt::Key_Backspace);
    Type(QStringLiteral("G-2a"));
    EXPECT_EQ(editor->text(), QStringLiteral("2A"));
    Press(Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(page->UpDown(kRssiSpin)->isVisible());
    EXPECT_EQ(Focus(), page->Grid());
    EXPECT_EQ(Grid().CellText(1, 1), QStringLiteral("2A"));
    // Nothing saved, nothing sent, also by Enter on the grid.
    Press(Qt::Key_Return);
    EXPECT_EQ(Field(0xFC00), 0);
    EXPECT_TRUE(Frames().empty());

    ClickCell(1, 2);
    Type(QStringLiteral("4000"));  // above 3FFF
    Press(Qt::Key_Escape);
    EXPECT_EQ(Grid().CellText(1, 2), QStringLiteral("0"));
    ClickCell(1, 0);
    Press(Qt::Key_Backspace);
    Type(QStringLiteral("500"));
    Press(Qt::Key_Return);
    EXPECT_FALSE(page->FrequencyEditor()->isVisible());
    EXPECT_EQ(Grid().CellText(1, 0), QStringLiteral("20.00000"));

    // A save closes an open editor too.
    ClickCell(1, 2);
    Press(Qt::Key_Backspace);
    Type(QStringLiteral("3fff"));
    page->SaveGrid();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(Field(0xFC00), 0x2A);
    EXPECT_EQ(Field(0xFC02), 0x3FFF);
    EXPECT_EQ(getU32le(image.IdBlock(), 0x800), 0x02000000u);
    EXPECT_TRUE(Frames().empty());
}

TEST_F(AutoMeasureFixture, ArrowsWrapAndSendNothingWhenReleased)
{
    putU16le(image.ParamArea(), 0xFB48, 0x3FFF);
    OpenPage(true);
    ClickCell(1, 1);
    ClickSpin(1171, true);
    EXPECT_EQ(page->ValueEditor(1170)->text(), QStringLiteral("0"));
    ClickSpin(1171, false);
    ClickSpin(1171, false);
    EXPECT_EQ(page->ValueEditor(1170)->text(), QStringLiteral("3FFE"));
    EXPECT_EQ(Focus(), page->ValueEditor(1170));
    EXPECT_TRUE(Frames().empty());
    EXPECT_EQ(Field(0xFB48), 0x3FFF);
}

TEST_F(AutoMeasureFixture, StoredValuesAbove3FFFShowMarkedAndSaveAsZero)
{
    putU16le(image.ParamArea(), 0xFC14, 0x4000);
    putU16le(image.ParamArea(), 0xFC16, 0x3FFF);
    OpenPage(false);
    ClickTab(6);  // "250M"
    EXPECT_EQ(Grid().CellText(1, 1), QStringLiteral("0*"));
    EXPECT_EQ(Grid().CellText(1, 2), QStringLiteral("3FFF"));
    ClickTab(7);
    EXPECT_EQ(Field(0xFC14), 0);
    EXPECT_EQ(Field(0xFC16), 0x3FFF);
}

} // namespace
} // namespace qmcal::test
