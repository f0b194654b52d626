#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "HexBytes.h"
#include "data/Layouts.h"
#include "data/LittleEndian.h"
#include "sim/SimRadio.h"
#include "sim/UnitVariation.h"

namespace qmcal::sim {
namespace {

using test::Hex;
using test::ToHex;

// Memory with recognisable bytes where the cases read.
RadioMemory TestMemory()
{
    RadioMemory memory{};
    const auto block = Hex("11 22 33 44 55 66 77 88");
    std::copy(block.begin(), block.end(), memory.begin() + 0xF400);
    const auto top = Hex("F1 F2 F3 F4");
    std::copy(top.begin(), top.end(), memory.begin() + 0xFFFC);
    const auto bottom = Hex("01 02 03 04");
    std::copy(bottom.begin(), bottom.end(), memory.begin());
    return memory;
}

struct ReplyCase {
    const char* name;
    const char* input;
    std::function<void(SimRadio&)> setup;
    const char* reply;
};

void NoSetup(SimRadio&) {}

TEST(SimRadio, AnswersEachFrameAsTheRadioDoes)
{
    const ReplyCase cases[] = {
        {"probe", "57 00 00 00", NoSetup, "52 00 41 00"},
        {"noise before the W is skipped", "00 FF 13 52 57 00 00 00", NoSetup, "52 00 41 00"},
        {"read block", "57 FF FF 03 00 F4 08", NoSetup, "52 00 41 00 11 22 33 44 55 66 77 88"},
        {"read block wraps at the top of memory", "57 FF FF 03 FC FF 08", NoSetup,
         "52 00 41 00 F1 F2 F3 F4 01 02 03 04"},
        {"store", "57 FF 00 05 E5 F7 01 02 03", NoSetup, "52 00 41 00"},
        {"ptt start", "57 40 FE 01 00", NoSetup, "52 00 41 00"},
        {"set frequency", "57 40 00 04 00 00 50 14", NoSetup, "52 00 41 00"},
        {"two frames in one write", "57 00 00 00 57 40 FE 01 FF", NoSetup,
         "52 00 41 00 52 00 41 00"},
        {"rssi reading", "57 42 22 00", [](SimRadio& r) { r.QueueReading(0x012E); },
         "52 00 56 00 2E 01"},
        {"sql reading", "57 42 21 00", [](SimRadio& r) { r.QueueReading(0x3FFF); },
         "52 00 56 00 FF 3F"},
        {"measure with data is an ordinary command", "57 42 22 01 00",
         [](SimRadio& r) { r.QueueReading(0x012E); }, "52 00 41 00"},
        {"no reading", "57 42 21 00",
         [](SimRadio& r) { r.FaultSettings().noReading = true; }, "52 00 41 00"},
        {"garbage probe", "57 00 00 00", [](SimRadio& r) { r.FaultSettings().garbage = true; },
         "AD FF BE FF"},
        {"garbage read block", "57 FF FF 03 00 F4 08",
         [](SimRadio& r) { r.FaultSettings().garbage = true; }, "AD FF BE FF"},
        {"short probe", "57 00 00 00", [](SimRadio& r) { r.FaultSettings().shortReplies = true; },
         "52 00 41"},
        {"short read block", "57 FF FF 03 00 F4 08",
         [](SimRadio& r) { r.FaultSettings().shortReplies = true; },
         "52 00 41 00 11 22 33 44 55 66 77"},
        {"short reading", "57 42 22 00",
         [](SimRadio& r) {
             r.FaultSettings().shortReplies = true;
             r.QueueReading(0x012E);
         },
         "52 00 56 00 2E"},
        {"silent after one frame", "57 00 00 00 57 00 00 00",
         [](SimRadio& r) { r.FaultSettings().silentAfter = 1; }, "52 00 41 00"},
        {"silent from the start", "57 00 00 00",
         [](SimRadio& r) { r.FaultSettings().silentAfter = 0; }, ""},
        {"hang-up after two frames", "57 00 00 00 57 00 00 00 57 00 00 00",
         [](SimRadio& r) { r.FaultSettings().hangupAfter = 2; }, "52 00 41 00 52 00 41 00"},
        {"length above 10 is no frame", "57 01 02 0B 57 00 00 00", NoSetup, "52 00 41 00"},
        {"half a frame gets nothing yet", "57 FF FF 03 00 F4", NoSetup, ""},
    };
    for (const ReplyCase& c : cases) {
        SimRadio radio(TestMemory());
        c.setup(radio);
        EXPECT_EQ(ToHex(radio.Receive(Hex(c.input))), c.reply) << c.name;
    }
}

TEST(SimRadio, ProbeSentOneBytePerWriteIsAnsweredAfterTheLastByte)
{
    SimRadio radio(TestMemory());
    for (const char* byte : {"57", "00", "00"})
        EXPECT_TRUE(radio.Receive(Hex(byte)).empty()) << byte;
    EXPECT_EQ(ToHex(radio.Receive(Hex("00"))), "52 00 41 00");
    ASSERT_EQ(radio.FramesReceived(), 1);
    EXPECT_EQ(ToHex(radio.FrameLog()[0]), "57 00 00 00");
}

TEST(SimRadio, StoreWritesOnlyItsBytes)
{
    SimRadio radio(TestMemory());
    radio.Receive(Hex("57 FF 00 05 E5 F7 01 02 03"));
    const auto& m = radio.Memory();
    EXPECT_EQ(ToHex({m.begin() + 0xF7E4, m.begin() + 0xF7E9}), "00 01 02 03 00");
    EXPECT_TRUE(radio.Violations().empty());

    // What was stored is what a following read block returns.
    radio.Receive(Hex("57 FF 00 0A 08 F4 A1 A2 A3 A4 A5 A6 A7 A8"));
    EXPECT_EQ(ToHex(radio.Receive(Hex("57 FF FF 03 08 F4 08"))),
              "52 00 41 00 A1 A2 A3 A4 A5 A6 A7 A8");
}

// A correct program never sends these; the simulator must make them visible.
TEST(SimRadio, FramesACorrectProgramNeverSendsAreNoted)
{
    struct Case {
        const char* input;
        const char* violation;
    };
    const Case cases[] = {
        {"57 FF 00 06 06 F4 AA BB CC DD", "store of 4 bytes at F406 crosses an 8-byte page"},
        {"57 FF 00 02 06 F4", "store with 2 data bytes, no value to write"},
        {"57 FF FF 03 00 F4 07", "read block of 7 bytes instead of 8"},
        {"57 FF FF 02 00 F4", "read block with 2 data bytes instead of 3"},
        {"57 01 02 0B", "frame length 11 above 10"},
    };
    for (const Case& c : cases) {
        SimRadio radio(TestMemory());
        std::string seen;
        radio.SetViolationObserver([&seen](const std::string& text) { seen = text; });
        radio.Receive(Hex(c.input));
        ASSERT_EQ(radio.Violations().size(), 1u) << c.input;
        EXPECT_EQ(radio.Violations()[0], c.violation);
        EXPECT_EQ(seen, c.violation);
    }

    // The page wrap lands the last bytes at the page's start, where a checker will see them.
    SimRadio radio(TestMemory());
    radio.Receive(Hex("57 FF 00 06 06 F4 AA BB CC DD"));
    const auto& m = radio.Memory();
    EXPECT_EQ(ToHex({m.begin() + 0xF400, m.begin() + 0xF408}), "CC DD 33 44 55 66 AA BB");
}

TEST(SimRadio, TracksPttAndTestPerCode)
{
    struct Step {
        const char* frame;
        std::uint8_t ptt;
        std::uint8_t test;
    };
    const Step steps[] = {
        {"57 40 FE 01 00", 0x40, 0},     // Power PTT on
        {"57 40 00 04 00 00 50 14", 0x40, 0},
        {"57 40 FE 01 01", 0x40, 0},     // neither on nor off
        {"57 40 FE 01 FF", 0, 0},
        {"57 42 FD 01 00", 0, 0x42},     // Sql/Rssi test on
        {"57 42 22 00", 0, 0x42},        // a measurement leaves it on
        {"57 42 FD 01 FF", 0, 0},
        {"57 FF FE 01 00", 0, 0},        // the store code is no PTT
    };
    SimRadio radio(TestMemory());
    for (const Step& s : steps) {
        radio.Receive(Hex(s.frame));
        EXPECT_EQ(radio.PttCode(), s.ptt) << s.frame;
        EXPECT_EQ(radio.TestCode(), s.test) << s.frame;
    }
}

TEST(SimRadio, LogKeepsUnansweredFramesAndHangUpIsReported)
{
    SimRadio radio(TestMemory());
    radio.FaultSettings().hangupAfter = 1;
    std::vector<std::string> observed;
    radio.SetFrameObserver([&observed](const WireBytes& frame) { observed.push_back(ToHex(frame)); });
    EXPECT_FALSE(radio.HungUp());
    radio.Receive(Hex("57 00 00 00"));
    EXPECT_TRUE(radio.HungUp());
    EXPECT_TRUE(radio.Receive(Hex("57 FF FF 03 00 F4 08")).empty());
    ASSERT_EQ(radio.FramesReceived(), 2);
    EXPECT_EQ(ToHex(radio.FrameLog()[1]), "57 FF FF 03 00 F4 08");
    EXPECT_EQ(observed, (std::vector<std::string>{"57 00 00 00", "57 FF FF 03 00 F4 08"}));

    // Clearing the log does not bring the line back.
    radio.ClearLog();
    EXPECT_EQ(radio.FramesReceived(), 0);
    EXPECT_TRUE(radio.HungUp());
}

// A radio that serves for hours keeps only the latest frames and notes; its observers, which
// write the frame log and the odd-frame report, still see every one.
TEST(SimRadio, KeepsOnlyTheLatestFramesAndNotes)
{
    const struct {
        const char* name;
        std::optional<std::size_t> limit;  // none: as constructed
        int frames;
        std::size_t kept;
    } cases[] = {
        {"as constructed", std::nullopt, static_cast<int>(kDefaultLogLimit) + 300, kDefaultLogLimit},
        {"a few", 10, 25, 10},
        {"none", 0, 40, 0},
    };
    // A read block of 4 bytes: a frame and an odd-frame note each, told apart by the address.
    auto frame = [](int i) {
        return WireBytes{0x57, 0xFF, 0xFF, 0x03, static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8), 0x04};
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimRadio radio(TestMemory());
        if (c.limit)
            radio.SetLogLimit(*c.limit);
        int observed = 0;
        int noted = 0;
        radio.SetFrameObserver([&observed](const WireBytes&) { ++observed; });
        radio.SetViolationObserver([&noted](const std::string&) { ++noted; });
        for (int i = 0; i < c.frames; ++i)
            radio.Receive(frame(i));
        EXPECT_EQ(observed, c.frames);
        EXPECT_EQ(noted, c.frames);
        EXPECT_EQ(radio.FramesReceived(), c.frames);
        ASSERT_EQ(radio.FrameLog().size(), c.kept);
        EXPECT_EQ(radio.Violations().size(), c.kept);
        if (c.kept > 0) {
            EXPECT_EQ(radio.FrameLog().front(), frame(c.frames - static_cast<int>(c.kept)));
            EXPECT_EQ(radio.FrameLog().back(), frame(c.frames - 1));
        }
    }
}

TEST(SimRadio, QueuedReadingsComeFirstThenPlausibleOnes)
{
    SimRadio radio(TestMemory());
    radio.QueueReading(0x0100);
    radio.QueueReading(0x0200);
    EXPECT_EQ(ToHex(radio.Receive(Hex("57 42 22 00"))), "52 00 56 00 00 01");
    EXPECT_EQ(ToHex(radio.Receive(Hex("57 42 21 00"))), "52 00 56 00 00 02");

    for (const auto& [sub, centre] : {std::pair{"22", kRssiCentre}, std::pair{"21", kSqlCentre}}) {
        std::set<int> seen;
        for (int i = 0; i < 50; ++i) {
            const WireBytes reply = radio.Receive(Hex(std::string("57 42 ") + sub + " 00"));
            ASSERT_EQ(reply.size(), 6u);
            const int value = reply[4] | (reply[5] << 8);
            EXPECT_LE(std::abs(value - centre), 24) << sub;
            seen.insert(value);
        }
        EXPECT_GT(seen.size(), 2u) << "readings should drift, sub " << sub;
    }
}

TEST(SimRadio, DroppedPartialFrameDoesNotSwallowTheNextOne)
{
    SimRadio radio(TestMemory());
    radio.Receive(Hex("57 FF FF"));
    EXPECT_TRUE(radio.HasPartial());
    radio.DropPartial();
    EXPECT_EQ(ToHex(radio.Receive(Hex("57 00 00 00"))), "52 00 41 00");
}

// Against the program's own tables: every value of every page stays inside its column's range,
// moves by at most 2, and a blank (0) or topped-out value stays as it is. The values sit at and
// next to both ends of each range, where a step would leave it.
TEST(UnitVariation, KeepsEveryValueInsideItsRange)
{
    RadioMemory factory{};
    int next = 0;
    const auto forEachField = [](const auto& visit) {
        for (const BandLayout* layout : kPageLayouts) {
            for (int slot = 0; slot < layout->SlotCount(); ++slot) {
                for (int row = 1; row <= layout->rowCount[static_cast<std::size_t>(slot)]; ++row) {
                    for (std::size_t f = 0; f < layout->fieldCount; ++f)
                        visit(layout->FieldAddress(slot, row, layout->Field(f)), layout->Field(f));
                }
            }
        }
    };
    forEachField([&](std::uint16_t address, const RecordField& field) {
        const unsigned top = field.maximum;
        const unsigned values[] = {0, 1, 2, top - 2, top - 1, top, top / 2};
        putField(factory, address, field.width, values[next++ % std::size(values)]);
    });
    for (const unsigned long seed : {0UL, 1UL, 2UL, 7UL, 1000UL, 4294967295UL}) {
        SCOPED_TRACE(seed);
        RadioMemory unit = factory;
        VaryUnit(unit, seed);
        int moved = 0;
        forEachField([&](std::uint16_t address, const RecordField& field) {
            const int before = static_cast<int>(getField(factory, address, field.width));
            const int after = static_cast<int>(getField(unit, address, field.width));
            EXPECT_LE(after, field.maximum) << field.caption << " at " << std::hex << address;
            EXPECT_LE(std::abs(after - before), 2) << field.caption << " at " << std::hex << address;
            if (before == 0 || before == field.maximum) {
                EXPECT_EQ(after, before) << field.caption << " at " << std::hex << address;
            }
            moved += after != before ? 1 : 0;
        });
        EXPECT_EQ(moved > 0, seed != 0);
    }
}

} // namespace
} // namespace qmcal::sim
