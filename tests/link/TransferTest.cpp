// Whole-image read and write, the Sql Fine read and the store loops against the simulator
// engine, through the loopback port.
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "LinkFixture.h"
#include "data/Layouts.h"
#include "sim/SimRadio.h"
#include "support/LoopbackPort.h"

namespace qmcal::test {
namespace {

std::array<std::uint8_t, 65536> RadioPattern()
{
    std::array<std::uint8_t, 65536> memory{};
    for (std::size_t i = 0; i < memory.size(); ++i)
        memory[i] = static_cast<std::uint8_t>((i * 31 + 7) ^ (i >> 8));
    return memory;
}

bool SameRange(const AreaBytes& image, const std::array<std::uint8_t, 65536>& radio, int start, int end)
{
    return std::equal(image.begin() + start, image.begin() + end, radio.begin() + start);
}

class TransferTest : public LinkFixture {
protected:
    void SetUp() override
    {
        image.ParamArea().fill(0xEE);
        link.SetPort(std::make_unique<LoopbackPort>(radio));
    }

    std::string Frame(std::size_t i) const { return ToHex(radio.FrameLog().at(i)); }

    sim::SimRadio radio{RadioPattern()};
};

TEST_F(TransferTest, ReadCopiesTheCalibrationRegion)
{
    EXPECT_EQ(link.ReadAll(kCalibrationStart, kCalibrationEnd), 1);

    ASSERT_EQ(radio.FrameLog().size(), 286U);
    EXPECT_EQ(Frame(0), "57 FF FF 03 00 F4 08");
    EXPECT_EQ(Frame(1), "57 FF FF 03 08 F4 08");
    EXPECT_EQ(Frame(285), "57 FF FF 03 E8 FC 08");
    EXPECT_TRUE(SameRange(image.ParamArea(), radio.Memory(), 0xF400, 0xFCF0));
    EXPECT_EQ(image.ParamArea()[0xF3FF], 0xEE);
    EXPECT_EQ(image.ParamArea()[0xFCF0], 0xEE);
    EXPECT_TRUE(radio.Violations().empty());
}

TEST_F(TransferTest, ProgressTextGrowsEveryFifteenBlocks)
{
    link.ReadAll(kCalibrationStart, kCalibrationEnd);
    const QStringList& p = reporter.prompts;
    ASSERT_EQ(p.size(), 287);  // one per block, then the outcome
    EXPECT_EQ(p[13], "");  // after 14 blocks
    EXPECT_EQ(p[14], "=");
    EXPECT_EQ(p[285], "===");
    EXPECT_EQ(p[286], "Read success!");
    EXPECT_EQ(reporter.lastDone, 286);
    EXPECT_EQ(reporter.lastTotal, 286);
}

TEST(ProgressText, WrapsAfterSeven)
{
    const std::vector<std::pair<int, const char*>> rows{
        {0, ""}, {14, ""}, {15, "="}, {30, "=="}, {105, "======="}, {119, "======="}, {120, ""},
        {286, "==="}, {290, "==="}};
    for (const auto& [blocks, text] : rows)
        EXPECT_EQ(ProgressText(blocks), text) << blocks;
}

TEST_F(TransferTest, FailedReadLeavesTheImageExactlyAsItWas)
{
    struct Row {
        const char* what;
        sim::Faults faults;
        std::size_t framesSent;
    };
    std::vector<Row> rows(4);
    rows[0] = {"silent after 100 frames", {}, 101};
    rows[0].faults.silentAfter = 100;
    rows[1] = {"hangup after 200 frames", {}, 200};
    rows[1].faults.hangupAfter = 200;
    rows[2] = {"short replies", {}, 1};
    rows[2].faults.shortReplies = true;
    rows[3] = {"garbage", {}, 1};
    rows[3].faults.garbage = true;

    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        sim::SimRadio faulty(RadioPattern());
        faulty.FaultSettings() = row.faults;
        link.SetPort(std::make_unique<LoopbackPort>(faulty));
        const AreaBytes before = image.ParamArea();
        reporter.prompts.clear();

        EXPECT_EQ(link.ReadAll(kCalibrationStart, kCalibrationEnd), 0);
        EXPECT_EQ(reporter.prompt, "Read fail!");
        EXPECT_TRUE(image.ParamArea() == before);
        EXPECT_EQ(faulty.FrameLog().size(), row.framesSent);
    }
}

TEST_F(TransferTest, AnyTwelveByteReplyIsTaken)
{
    Attach([](const Bytes& frame) {
        Bytes reply = Hex("FF FF FF FF");
        for (int i = 0; i < 8; ++i)
            reply.push_back(static_cast<std::uint8_t>(frame[4] + i));
        return reply;
    });
    EXPECT_EQ(link.ReadAll(0xF400, 0xF410), 1);
    EXPECT_EQ(image.ParamArea()[0xF400], 0x00);
    EXPECT_EQ(image.ParamArea()[0xF40F], 0x0F);
}

TEST_F(TransferTest, NoPortTexts)
{
    for (bool openFailed : {false, true}) {
        SCOPED_TRACE(openFailed);
        if (openFailed)
            link.SetOpenFailed();
        else
            link.ClosePort();
        const AreaBytes before = image.ParamArea();
        EXPECT_EQ(link.ReadAll(kCalibrationStart, kCalibrationEnd), 0);
        EXPECT_EQ(reporter.prompt, "Port Invail");
        EXPECT_EQ(link.ReadSqlFine(), 0);
        EXPECT_EQ(reporter.prompt, "Port Invail");
        EXPECT_EQ(link.WriteAll(kCalibrationStart, kCalibrationEnd), 0);
        EXPECT_EQ(reporter.prompt, "Port Invalid");
        EXPECT_TRUE(image.ParamArea() == before);
    }
    EXPECT_TRUE(radio.FrameLog().empty());
}

TEST_F(TransferTest, ReadIgnoresAnActivePtt)
{
    ASSERT_EQ(link.PttStart(0x40), ExchangeResult::Ok);
    ASSERT_EQ(link.SetFlag(0x41, 0), ExchangeResult::Busy);
    reporter.ptts.clear();

    EXPECT_EQ(link.ReadAll(kCalibrationStart, kCalibrationEnd), 1);
    EXPECT_TRUE(reporter.ptts.isEmpty());
    EXPECT_EQ(link.ActiveCommand(), 0x40);
    EXPECT_EQ(link.LastExchangeResult(), ExchangeResult::Busy);
}

TEST_F(TransferTest, SqlFineRead)
{
    EXPECT_EQ(link.ReadSqlFine(), 1);
    ASSERT_EQ(radio.FrameLog().size(), 4U);
    EXPECT_EQ(Frame(0), "57 FF FF 03 E0 F7 08");
    EXPECT_EQ(Frame(3), "57 FF FF 03 F8 F7 08");
    EXPECT_TRUE(SameRange(image.ParamArea(), radio.Memory(), 0xF7E0, 0xF800));
    EXPECT_EQ(image.ParamArea()[0xF7DF], 0xEE);
    EXPECT_EQ(image.ParamArea()[0xF800], 0xEE);
    EXPECT_EQ(reporter.prompt, "Read success!");

    // A failure at the third block keeps every Sql Fine byte of the image.
    sim::SimRadio faulty(RadioPattern());
    faulty.Memory().fill(0x11);
    faulty.FaultSettings().silentAfter = 2;
    link.SetPort(std::make_unique<LoopbackPort>(faulty));
    const AreaBytes before = image.ParamArea();
    EXPECT_EQ(link.ReadSqlFine(), 0);
    EXPECT_EQ(reporter.prompt, "Read fail!");
    EXPECT_TRUE(image.ParamArea() == before);
}

TEST_F(TransferTest, WriteClearsTheRadiosSqlFineButNotTheImages)
{
    for (int a = 0xF400; a < 0xFCF0; ++a)
        image.ParamArea()[a] = static_cast<std::uint8_t>(a * 3);
    const AreaBytes before = image.ParamArea();

    EXPECT_EQ(link.WriteAll(kCalibrationStart, kCalibrationEnd), 1);

    ASSERT_EQ(radio.FrameLog().size(), 290U);
    EXPECT_EQ(Frame(0), "57 FF 00 0A 00 F4 00 03 06 09 0C 0F 12 15");
    EXPECT_EQ(Frame(285), "57 FF 00 0A E8 FC B8 BB BE C1 C4 C7 CA CD");
    EXPECT_EQ(Frame(286), "57 FF 00 0A E0 F7 00 00 00 00 00 00 00 00");
    EXPECT_EQ(Frame(289), "57 FF 00 0A F8 F7 00 00 00 00 00 00 00 00");
    EXPECT_TRUE(SameRange(before, radio.Memory(), 0xF400, 0xF7E0));
    EXPECT_TRUE(SameRange(before, radio.Memory(), 0xF800, 0xFCF0));
    EXPECT_TRUE(std::all_of(radio.Memory().begin() + 0xF7E0, radio.Memory().begin() + 0xF800,
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_TRUE(image.ParamArea() == before);  // the image keeps its Sql Fine values
    EXPECT_EQ(reporter.prompts[289], "===");
    EXPECT_EQ(reporter.prompt, "Write success!");
    EXPECT_EQ(reporter.lastTotal, 290);
    EXPECT_TRUE(radio.Violations().empty());
}

TEST_F(TransferTest, FailedWriteStopsBeforeClearingSqlFine)
{
    radio.FaultSettings().silentAfter = 50;
    const auto sqlFineBefore = std::vector<std::uint8_t>(radio.Memory().begin() + 0xF7E0,
                                                         radio.Memory().begin() + 0xF800);
    EXPECT_EQ(link.WriteAll(kCalibrationStart, kCalibrationEnd), 0);
    EXPECT_EQ(reporter.prompt, "Communication error");
    EXPECT_EQ(radio.FrameLog().size(), 51U);
    EXPECT_TRUE(std::equal(sqlFineBefore.begin(), sqlFineBefore.end(), radio.Memory().begin() + 0xF7E0));
    EXPECT_EQ(link.LastExchangeResult(), ExchangeResult::Ok);  // transfers leave it alone
}

TEST_F(TransferTest, WriteGivesTheRadioItsPauseBeforeEveryAck)
{
    // The radio needs a moment to take a block into its memory before it answers.
    FakePort& port = Attach();
    EXPECT_EQ(link.WriteAll(0xF400, 0xF410), 1);

    const std::vector<std::string>& events = port.Events();
    int blocks = 0;
    for (std::size_t i = 0; i + 1 < events.size(); ++i) {
        if (events[i] != "write")
            continue;
        ++blocks;
        ASSERT_EQ(events[i + 1], "read") << i;
        const auto pause = std::chrono::duration_cast<std::chrono::microseconds>(port.Times()[i + 1] - port.Times()[i]);
        EXPECT_GE(pause.count(), 5000) << "microseconds before the Ack of block " << blocks;
    }
    EXPECT_EQ(blocks, 6);  // two blocks, then the four of the Sql Fine area
}

TEST_F(TransferTest, StoreLoopsLandInTheRadio)
{
    for (int a = 0xF400; a < 0xFCF0; ++a)
        image.ParamArea()[a] = static_cast<std::uint8_t>(0xA0 ^ a);
    EXPECT_EQ(link.StoreRanges(kRssiLayout, 0, kElevenSlots.count), ExchangeResult::Ok);
    EXPECT_EQ(link.StoreRanges(kPowerLayout, 0, kNineSlots.count), ExchangeResult::Ok);
    EXPECT_EQ(link.StoreFields(kSignalModLayout, 0, kNineSlots.count, 13), ExchangeResult::Ok);
    EXPECT_EQ(link.StoreBytes(0xF7E5, 0xF7E6), ExchangeResult::Ok);

    EXPECT_TRUE(SameRange(image.ParamArea(), radio.Memory(), 0xFC00, 0xFC24));
    EXPECT_TRUE(SameRange(image.ParamArea(), radio.Memory(), 0xFCA0, 0xFCA8));
    EXPECT_TRUE(SameRange(image.ParamArea(), radio.Memory(), 0xF400, 0xF668));
    EXPECT_TRUE(SameRange(image.ParamArea(), radio.Memory(), 0xF918, 0xF925));
    EXPECT_EQ(radio.Memory()[0xF7E5], image.ParamArea()[0xF7E5]);
    EXPECT_NE(radio.Memory()[0xF7E6], image.ParamArea()[0xF7E6]);
    EXPECT_NE(radio.Memory()[0xF925], image.ParamArea()[0xF925]);  // byte 13 of the record is not stored
    EXPECT_TRUE(radio.Violations().empty());
}

} // namespace
} // namespace qmcal::test
