// Measure: the reading, the fallback on an Ack alone, and no reading instead of a made-up 0.
#include <optional>
#include <vector>

#include "LinkFixture.h"

namespace qmcal::test {
namespace {

class MeasureTest : public LinkFixture {};

TEST_F(MeasureTest, Replies)
{
    struct Row {
        const char* reply;
        std::optional<std::uint16_t> value;
    };
    const std::vector<Row> rows{
        {"01 02 03 04 2E 01", 0x012E},
        {"52 00 56 00 FF 3F", 0x3FFF},
        {"52 00 41 00", 0x0155},           // the Ack alone: the caller's fallback
        {"52 00 41 00 2E 01", 0x0155},     // the value bytes after an Ack are not read
        {"", std::nullopt},                // silence
        {"52 00 41", std::nullopt},        // short
        {"01 02 03 04 2E", std::nullopt},  // one value byte missing
        {"01 02 03 04", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reply);
        FakePort& port = Attach([&](const Bytes&) { return Hex(row.reply); });
        EXPECT_EQ(link.Measure(0x42, 0x22, 0x0155), row.value);
        EXPECT_EQ(port.Writes().size(), 1U);
    }
}

TEST_F(MeasureTest, NoOpenPortIsNoReading)
{
    EXPECT_EQ(link.Measure(0x42, 0x21, 7), std::nullopt);
    link.SetOpenFailed();
    EXPECT_EQ(link.Measure(0x42, 0x21, 7), std::nullopt);
}

TEST_F(MeasureTest, LeavesTheLinkStateAlone)
{
    Attach();
    ASSERT_EQ(link.PttStart(0x40), ExchangeResult::Ok);
    ASSERT_EQ(link.SetFlag(0x41, 0), ExchangeResult::Busy);
    reporter.prompts.clear();
    FakePort& port = Attach([](const Bytes&) { return Hex("01 02 03 04 2E 01"); });

    // Not refused by another code's PTT, no Prompt text, LastExchangeResult kept.
    EXPECT_EQ(link.Measure(0x42, 0x22, 0), 0x012E);
    EXPECT_EQ(port.Events(), (std::vector<std::string>{"purge", "write", "read", "read"}));
    EXPECT_TRUE(reporter.prompts.isEmpty());
    EXPECT_EQ(link.LastExchangeResult(), ExchangeResult::Busy);
    EXPECT_EQ(link.ActiveCommand(), 0x40);
}

} // namespace
} // namespace qmcal::test
