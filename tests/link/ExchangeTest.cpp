// Exchange: results, Prompt and PTT texts, the PTT/test lock.
#include <string>
#include <vector>

#include "LinkFixture.h"
#include "data/Layouts.h"

namespace qmcal::test {
namespace {

using ER = ExchangeResult;

const QString kWorking = QStringLiteral("……");

class ExchangeTest : public LinkFixture {};

TEST_F(ExchangeTest, NoPortSendsNothing)
{
    EXPECT_EQ(link.PttStart(0x40), ER::NoPort);
    EXPECT_EQ(reporter.prompts, QStringList({kWorking, "Please select port"}));
    EXPECT_EQ(link.LastExchangeResult(), ER::NoPort);
    EXPECT_EQ(link.ActiveCommand(), 0);
    EXPECT_TRUE(reporter.ptts.isEmpty());
}

TEST_F(ExchangeTest, AcknowledgedFrameCompletes)
{
    FakePort& port = Attach();
    EXPECT_EQ(link.SetFlag(0x41, 0), ER::Ok);
    EXPECT_EQ(reporter.prompts, QStringList({kWorking, "Complete"}));
    EXPECT_EQ(port.Events(), (std::vector<std::string>{"purge", "write", "read"}));
    EXPECT_EQ(link.LastExchangeResult(), ER::Ok);
    EXPECT_TRUE(reporter.ptts.isEmpty());
}

TEST_F(ExchangeTest, AnythingButTheExactAckIsACommunicationError)
{
    const std::vector<const char*> replies{"52 00 41 01", "52 00 41", "", "00 52 00 41 00", "41 00 52 00"};
    for (const char* reply : replies) {
        SCOPED_TRACE(reply);
        Attach(AckAll);
        ASSERT_EQ(link.PttStart(0x40), ER::Ok);
        ASSERT_EQ(reporter.ptt, "Power");
        reporter.prompts.clear();

        Attach([&](const Bytes&) { return Hex(reply); });
        EXPECT_EQ(link.SetFrequency(0x40, 0x0D00), ER::CommError);
        EXPECT_EQ(reporter.prompts, QStringList({kWorking, "Communication error"}));
        EXPECT_EQ(reporter.ptt, "");
        EXPECT_EQ(link.ActiveCommand(), 0);
        EXPECT_EQ(link.LastExchangeResult(), ER::CommError);
    }
}

TEST_F(ExchangeTest, FailedOpenIsNotCaughtAsNoPort)
{
    link.SetOpenFailed();
    EXPECT_TRUE(link.HasPort());
    EXPECT_FALSE(link.PortIsOpen());
    EXPECT_EQ(link.TestStart(0x30), ER::CommError);
    EXPECT_EQ(reporter.prompt, "Communication error");
    link.ClosePort();
    EXPECT_EQ(link.TestStart(0x30), ER::NoPort);
}

TEST_F(ExchangeTest, ActivePttRefusesOtherCodesWithTheBusyMessage)
{
    FakePort& port = Attach();
    ASSERT_EQ(link.PttStart(0x40), ER::Ok);
    EXPECT_EQ(reporter.ptt, "Power");
    EXPECT_EQ(link.ActiveCommand(), 0x40);
    const std::size_t sent = port.Writes().size();
    reporter.prompts.clear();

    EXPECT_EQ(link.StoreRanges(kPowerLayout, 0, 9), ER::Busy);
    EXPECT_EQ(port.Writes().size(), sent);
    EXPECT_EQ(reporter.messages, QStringList({QStringLiteral("请先结束PTT或开始命令: Power")}));
    EXPECT_EQ(reporter.prompts, QStringList({kWorking}));  // the Prompt keeps its working text
    EXPECT_EQ(link.LastExchangeResult(), ER::Busy);
    EXPECT_EQ(link.ActiveCommand(), 0x40);
    EXPECT_EQ(reporter.ptt, "Power");

    // The page's own code still passes while its PTT is on.
    EXPECT_EQ(link.SetFrequency(0x40, 0x0D00), ER::Ok);
    EXPECT_EQ(port.Writes().size(), sent + 1);
}

struct LockRow {
    const char* what;
    std::uint8_t activeBefore;  // switched on by an acknowledged start first (0: nothing on)
    std::function<ER(RadioLink&)> send;
    ER result;
    std::uint8_t activeAfter;
    const char* pttAfter;
};

TEST_F(ExchangeTest, PttAndTestSwitchTheActiveCommand)
{
    const std::vector<LockRow> rows{
        {"PttStart Power", 0, [](RadioLink& l) { return l.PttStart(0x40); }, ER::Ok, 0x40, "Power"},
        {"TestStart Rx Tuning", 0, [](RadioLink& l) { return l.TestStart(0x41); }, ER::Ok, 0x41, "Rx Tuning"},
        {"TestStart Rx Test", 0, [](RadioLink& l) { return l.TestStart(0x30); }, ER::Ok, 0x30, "Analog Rx"},
        {"PttStart Tx Mod", 0, [](RadioLink& l) { return l.PttStart(0x20); }, ER::Ok, 0x20, "Tx Mod"},
        {"Auto on RSSI", 0, [](RadioLink& l) { return l.TestStart(0x42); }, ER::Ok, 0x42, "Sql/Rssi"},
        {"PttEnd of the active code", 0x40, [](RadioLink& l) { return l.PttEnd(0x40); }, ER::Ok, 0, ""},
        {"TestEnd of the active code", 0x41, [](RadioLink& l) { return l.TestEnd(0x41); }, ER::Ok, 0, ""},
        {"PttEnd with nothing on is sent", 0, [](RadioLink& l) { return l.PttEnd(0x20); }, ER::Ok, 0, ""},
        {"PttEnd of another code is busy", 0x40, [](RadioLink& l) { return l.PttEnd(0x20); }, ER::Busy, 0x40,
         "Power"},
        {"TestEnd ends a PTT of the same code", 0x20, [](RadioLink& l) { return l.TestEnd(0x20); }, ER::Ok, 0,
         ""},
        {"SetFlag changes nothing", 0x41, [](RadioLink& l) { return l.SetFlag(0x41, 0); }, ER::Ok, 0x41,
         "Rx Tuning"},
        {"SetMode 0xFF is no switch", 0x42, [](RadioLink& l) { return l.SetMode(0x42, 0xFF); }, ER::Ok, 0x42,
         "Sql/Rssi"},
        {"Store is busy under a PTT", 0x20, [](RadioLink& l) { return l.Store(0xF800, 8); }, ER::Busy, 0x20,
         "Tx Mod"},
    };
    for (const LockRow& row : rows) {
        SCOPED_TRACE(row.what);
        Attach();
        link.PttEnd(link.ActiveCommand() == 0 ? 0x40 : link.ActiveCommand());
        ASSERT_EQ(link.ActiveCommand(), 0);
        if (row.activeBefore != 0) {
            ASSERT_EQ(link.PttStart(row.activeBefore), ER::Ok);
        }
        EXPECT_EQ(row.send(link), row.result);
        EXPECT_EQ(link.ActiveCommand(), row.activeAfter);
        EXPECT_EQ(reporter.ptt, row.pttAfter);
    }
}

TEST_F(ExchangeTest, UnknownCodeGivesAnEmptyName)
{
    Attach();
    ASSERT_EQ(link.PttStart(0x55), ER::Ok);
    EXPECT_EQ(link.ActiveCommand(), 0x55);
    EXPECT_EQ(reporter.ptt, "");
    EXPECT_EQ(link.PttStart(0x40), ER::Busy);
    EXPECT_EQ(reporter.messages.last(), QStringLiteral("请先结束PTT或开始命令: "));
}

TEST_F(ExchangeTest, SeveralRecordsAreJudgedByTheLast)
{
    CommandRecord freq{0x40, 0x00, 4, {0x00, 0x00, 0x50, 0x14}};
    CommandRecord ptt{0x40, 0xFE, 1, {0x00}};
    const CommandRecord records[] = {freq, ptt};

    FakePort& port = Attach();
    EXPECT_EQ(link.Exchange(records, 2), ER::Ok);
    EXPECT_EQ(port.Writes().size(), 2U);
    EXPECT_EQ(ToHex(port.Writes()[1]), "57 40 FE 01 00");
    EXPECT_EQ(link.ActiveCommand(), 0x40);

    // A failed first frame keeps the rest unsent.
    link.ClosePort();
    FakePort& silent = Attach([](const Bytes&) { return Bytes{}; });
    EXPECT_EQ(link.Exchange(records, 2), ER::CommError);
    EXPECT_EQ(silent.Writes().size(), 1U);
}

TEST(CommandNames, TheSixNames)
{
    const CommandNameMap names = MakeCommandNameMap();
    const CommandNameMap expected{{0x20, "Tx Mod"}, {0x30, "Analog Rx"}, {0x40, "Power"},
                                  {0x41, "Rx Tuning"}, {0x42, "Sql/Rssi"}, {0xFF, "Store"}};
    EXPECT_EQ(names, expected);
}

} // namespace
} // namespace qmcal::test
