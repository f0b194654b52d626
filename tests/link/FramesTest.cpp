// Exact bytes on the wire for every command of the set, and the store loops' chunking.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "LinkFixture.h"
#include "data/Layouts.h"

namespace qmcal::test {
namespace {

class FramesTest : public LinkFixture {
protected:
    void SetUp() override
    {
        // 145.00000 MHz as the Power page's first FreqWord.
        const Bytes freq = Hex("00 00 50 14");
        std::copy(freq.begin(), freq.end(), image.IdBlock().begin() + 0x0D00);
        image.IdBlock()[0x0080] = 0x34;
        image.IdBlock()[0x0081] = 0x12;
        image.ParamArea()[0xF400] = 0x5A;
        image.ParamArea()[0xF401] = 0xC3;
        image.ParamArea()[0xF7E5] = 0xAA;
        image.ParamArea()[0xF7E6] = 0xBB;
        image.ParamArea()[0xF7E7] = 0xCC;
        image.ParamArea()[0xF7E8] = 0xDD;
    }
};

struct FrameRow {
    const char* what;
    std::function<void(RadioLink&)> send;
    const char* frame;
};

TEST_F(FramesTest, EveryCommandSendsItsFrame)
{
    const std::vector<FrameRow> rows{
        {"SetFrequency 145.00000 MHz, Power", [](RadioLink& l) { l.SetFrequency(0x40, 0x0D00); },
         "57 40 00 04 00 00 50 14"},
        {"SetParam 1 byte", [](RadioLink& l) { l.SetParam(0x40, 0x02, 1, 0xF401); }, "57 40 02 01 C3"},
        {"SetParam 2 bytes", [](RadioLink& l) { l.SetParam(0x41, 0x01, 2, 0xF400); }, "57 41 01 02 5A C3"},
        {"SetGlobal 2 bytes", [](RadioLink& l) { l.SetGlobal(0x20, 0x01, 2, 0x0080); }, "57 20 01 02 34 12"},
        {"SetGlobal 1 byte", [](RadioLink& l) { l.SetGlobal(0x20, 0x03, 1, 0x0081); }, "57 20 03 01 12"},
        {"SetFlag", [](RadioLink& l) { l.SetFlag(0x41, 1); }, "57 41 0E 01 01"},
        {"SetMode", [](RadioLink& l) { l.SetMode(0x42, 0xFF); }, "57 42 0F 01 FF"},
        {"TestStart", [](RadioLink& l) { l.TestStart(0x30); }, "57 30 FD 01 00"},
        {"TestEnd", [](RadioLink& l) { l.TestEnd(0x30); }, "57 30 FD 01 FF"},
        {"PttStart", [](RadioLink& l) { l.PttStart(0x40); }, "57 40 FE 01 00"},
        {"PttEnd", [](RadioLink& l) { l.PttEnd(0x40); }, "57 40 FE 01 FF"},
        {"Store 3 bytes", [](RadioLink& l) { l.Store(0xF7E5, 3); }, "57 FF 00 05 E5 F7 AA BB CC"},
        {"Store 8 bytes", [](RadioLink& l) { l.Store(0xF400, 8); }, "57 FF 00 0A 00 F4 5A C3 00 00 00 00 00 00"},
        {"StoreBytes of one Sql Fine byte", [](RadioLink& l) { l.StoreBytes(0xF7E8, 0xF7E9); },
         "57 FF 00 03 E8 F7 DD"},
        {"Measure RSSI", [](RadioLink& l) { l.Measure(0x42, 0x22, 0); }, "57 42 22 00"},
        {"Measure SQL", [](RadioLink& l) { l.Measure(0x42, 0x21, 0); }, "57 42 21 00"},
    };
    for (const FrameRow& row : rows) {
        SCOPED_TRACE(row.what);
        FakePort& port = Attach();
        row.send(link);
        ASSERT_EQ(port.Writes().size(), 1U);
        EXPECT_EQ(ToHex(port.Writes()[0]), row.frame);
        link.PttEnd(0x40);  // leave no PTT on for the next row
    }
}

TEST(FrameBuilding, FixedFrames)
{
    EXPECT_EQ(ToHex(ReadBlockFrame(0xF400)), "57 FF FF 03 00 F4 08");
    EXPECT_EQ(ToHex(ReadBlockFrame(0xFCE8)), "57 FF FF 03 E8 FC 08");
    EXPECT_EQ(ToHex(kProbeFrame), "57 00 00 00");
    EXPECT_EQ(ToHex(kAck), "52 00 41 00");

    CommandRecord record;
    record.code = 0x41;
    record.sub = 0x05;
    record.length = 2;
    record.data = {0x11, 0x22, 0x33};  // only the first length bytes go out
    EXPECT_EQ(ToHex(BuildFrame(record)), "57 41 05 02 11 22");
}

// The address and length of every Store frame sent.
std::vector<std::pair<int, int>> StorePieces(const FakePort& port)
{
    std::vector<std::pair<int, int>> pieces;
    for (const Bytes& frame : port.Writes()) {
        EXPECT_EQ(frame[1], 0xFF);
        EXPECT_EQ(frame[2], 0x00);
        EXPECT_EQ(frame.size(), frame[3] + 4U);
        pieces.emplace_back(frame[4] | (frame[5] << 8), frame[3] - 2);
    }
    return pieces;
}

TEST_F(FramesTest, StoreBytesNeverCrossesAMultipleOfEight)
{
    struct Row {
        int start, end;
        std::vector<std::pair<int, int>> pieces;
    };
    const std::vector<Row> rows{
        {0xF404, 0xF414, {{0xF404, 4}, {0xF408, 8}, {0xF410, 4}}},
        {0xF400, 0xF408, {{0xF400, 8}}},
        {0xF406, 0xF40A, {{0xF406, 2}, {0xF408, 2}}},
        {0xF7E5, 0xF7E6, {{0xF7E5, 1}}},
        {0xF403, 0xF405, {{0xF403, 2}}},
        {0xF401, 0xF419, {{0xF401, 7}, {0xF408, 8}, {0xF410, 8}, {0xF418, 1}}},
        {0xF410, 0xF410, {}},
        {0xF410, 0xF400, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.start);
        FakePort& port = Attach();
        EXPECT_EQ(link.StoreBytes(static_cast<std::uint16_t>(row.start), static_cast<std::uint16_t>(row.end)),
                  ExchangeResult::Ok);
        EXPECT_EQ(StorePieces(port), row.pieces);
    }
}

TEST_F(FramesTest, StoreLoopsOverTheLayouts)
{
    struct Row {
        const char* what;
        std::function<ExchangeResult(RadioLink&)> store;
        std::size_t frames;
        std::pair<int, int> first, last;
    };
    const std::vector<Row> rows{
        {"Power Store All / Write Power", [](RadioLink& l) { return l.StoreRanges(kPowerLayout, 0, 9); }, 80,
         {0xF400, 8}, {0xF660, 8}},
        {"Write Rssi", [](RadioLink& l) { return l.StoreRanges(kRssiLayout, 0, 11); }, 11, {0xFC00, 4},
         {0xFC20, 4}},
        {"Rx Tuning Store Current, 150M L", [](RadioLink& l) { return l.StoreRanges(kRxTuningLayout, 4, 1); },
         2, {0xF710, 8}, {0xF718, 4}},
        {"Signal Mod Store All", [](RadioLink& l) { return l.StoreFields(kSignalModLayout, 0, 9, 13); }, 70,
         {0xF918, 8}, {0xFB40, 5}},
        {"Tone Mod Store All", [](RadioLink& l) { return l.StoreFields(kToneModLayout, 0, 9, 2); }, 35,
         {0xF926, 2}, {0xFB46, 2}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakePort& port = Attach();
        EXPECT_EQ(row.store(link), ExchangeResult::Ok);
        const auto pieces = StorePieces(port);
        ASSERT_EQ(pieces.size(), row.frames);
        EXPECT_EQ(pieces.front(), row.first);
        EXPECT_EQ(pieces.back(), row.last);
    }
}

TEST_F(FramesTest, StoreLoopStopsAtTheFirstFailure)
{
    int answered = 0;
    FakePort& port = Attach([&](const Bytes&) { return ++answered <= 2 ? kAck : Hex("52 00 41 01"); });
    EXPECT_EQ(link.StoreRanges(kPowerLayout, 0, 9), ExchangeResult::CommError);
    EXPECT_EQ(port.Writes().size(), 3U);
    EXPECT_EQ(link.LastExchangeResult(), ExchangeResult::CommError);
    EXPECT_EQ(reporter.prompt, "Communication error");
}

} // namespace
} // namespace qmcal::test
