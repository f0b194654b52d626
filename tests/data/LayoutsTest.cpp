#include "data/Layouts.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace qmcal {
namespace {

using Bases = std::array<std::uint16_t, kMaxSlots>;
using Counts = std::array<std::uint8_t, kMaxSlots>;

// Lays the listed slots out one after the other from start: each slot with points begins
// where the previous one with points ended; an empty slot gets 0 (or, with keepEmpty, the
// running address) and does not advance. Returns the end address.
unsigned LayOut(Bases& bases, const Counts& counts, const std::vector<int>& slots, unsigned start,
                unsigned size, bool keepEmpty = false)
{
    unsigned at = start;
    for (int s : slots) {
        bases[s] = static_cast<std::uint16_t>(counts[s] != 0 || keepEmpty ? at : 0);
        at += counts[s] * size;
    }
    return at;
}

std::vector<int> SlotsUpTo(int n)
{
    std::vector<int> v;
    for (int i = 0; i < n; ++i)
        v.push_back(i);
    return v;
}

const std::vector<int> kElevenMain{0, 1, 2, 3, 4, 6, 7, 8, 10};
const std::vector<int> kElevenRight{kSlot150MR, kSlot450MR};

struct LayoutCase {
    const BandLayout* layout;
    unsigned freqStart, freqEnd;    // IdBlock table
    unsigned valueStart, valueEnd;  // ParamArea records (main area for 11 slots)
    unsigned rightStart, rightEnd;  // the "R" area of 11-slot layouts, or 0
};

// Start and end addresses from the memory map of the IdBlock and the ParamArea.
const LayoutCase kCases[] = {
    {&kPowerLayout, 0x0D00, 0x0F68, 0xF400, 0xF668, 0, 0},
    {&kTxModLayout, 0x0300, 0x038C, 0xF800, 0xF918, 0, 0},
    {&kSignalModLayout, 0x0400, 0x048C, 0xF918, 0xFB48, 0, 0},
    {&kToneModLayout, 0x0500, 0x058C, 0xF918 + 14, 0xFB48 + 14, 0, 0},
    {&kRxTestLayout, 0x0600, 0x0624, 0xF760, 0xF7A8, 0, 0},
    {&kSqlLayout, 0x0700, 0x077C, 0xFB48, 0xFC00, 0xFC50, 0xFC90},
    {&kRssiLayout, 0x0800, 0x082C, 0xFC00, 0xFC24, 0xFCA0, 0xFCA8},
};

TEST(Layouts, BasesAreRunningSumsOfTheRowCounts)
{
    for (const LayoutCase& c : kCases) {
        const BandLayout& l = *c.layout;
        SCOPED_TRACE(l.page);
        Bases freq{};
        EXPECT_EQ(LayOut(freq, l.rowCount, SlotsUpTo(l.SlotCount()), c.freqStart, 4), c.freqEnd);
        EXPECT_EQ(freq, l.freqBase);

        Bases value{};
        if (c.rightStart == 0) {
            EXPECT_EQ(LayOut(value, l.rowCount, SlotsUpTo(l.SlotCount()), c.valueStart, l.stride),
                      c.valueEnd);
        } else {
            EXPECT_EQ(LayOut(value, l.rowCount, kElevenMain, c.valueStart, l.stride), c.valueEnd);
            EXPECT_EQ(LayOut(value, l.rowCount, kElevenRight, c.rightStart, l.stride), c.rightEnd);
        }
        EXPECT_EQ(value, l.valueBase);
    }
}

TEST(Layouts, RxTuningFrequencyTableUsesItsReservedCounts)
{
    Bases freq{};
    EXPECT_EQ(LayOut(freq, kRxTuningFreqTableCounts, SlotsUpTo(11), 0x0200, 4, true), 0x02F8u);
    EXPECT_EQ(freq, kRxTuningLayout.freqBase);
    // The page hides 30M, 50M and 66M; every other slot shows what the table reserves.
    for (int s = 3; s < kMaxSlots; ++s)
        EXPECT_EQ(kRxTuningLayout.rowCount[s], kRxTuningFreqTableCounts[s]) << s;
}

// Rx Tuning's record bases are a fixed table; with the reserved counts its records fill
// 0xF700..0xF75B but for the gaps 0xF70E..0xF70F and 0xF72C..0xF72F, and the "R" slots fill
// 0xFC24..0xFC49, with no overlap.
TEST(Layouts, RxTuningRecordsCoverTheirAreasWithoutOverlap)
{
    std::multiset<unsigned> used;
    for (int s = 0; s < kMaxSlots; ++s) {
        for (int r = 0; r < kRxTuningFreqTableCounts[s] * 2; ++r)
            used.insert(kRxTuningLayout.valueBase[s] + r);
    }
    std::multiset<unsigned> expected;
    for (unsigned a = 0xF700; a < 0xF75C; ++a) {
        if (a != 0xF70E && a != 0xF70F && (a < 0xF72C || a > 0xF72F))
            expected.insert(a);
    }
    for (unsigned a = 0xFC24; a < 0xFC4A; ++a)
        expected.insert(a);
    EXPECT_EQ(used, expected);
}

TEST(Layouts, ExportRangesStartAtTheLayoutsFirstRecords)
{
    struct Expect {
        unsigned start;
        unsigned length;
    };
    const Expect expect[] = {
        {0xF400, 0x268},
        {kRxTuningLayout.valueBase[0], 0x60},
        {kTxModLayout.valueBase[0], 0x110},
        {kSignalModLayout.valueBase[0], 0x220},
        {kRxTestLayout.valueBase[0], 0x48},
        {kSqlLayout.valueBase[0], 0xB8},
        {kRssiLayout.valueBase[0], 0x24},
        {kRxTuningLayout.valueBase[kSlot150MR], 0x26},
        {kSqlLayout.valueBase[kSlot150MR], 0x50},
        {kRssiLayout.valueBase[kSlot150MR], 0x08},
    };
    unsigned total = 0;
    for (std::size_t i = 0; i < kExportRanges.size(); ++i) {
        EXPECT_EQ(kExportRanges[i].start, expect[i].start) << kExportRanges[i].label;
        EXPECT_EQ(kExportRanges[i].end, expect[i].start + expect[i].length) << kExportRanges[i].label;
        total += kExportRanges[i].end - kExportRanges[i].start;
    }
    EXPECT_EQ(total, 1946u);
}

TEST(Layouts, ElevenSlotListSplitsTheNineSlotBands)
{
    // 11-slot index -> the 9-slot band it halves or repeats.
    const int nine[kMaxSlots] = {0, 1, 2, 3, 4, 4, 5, 6, 7, 7, 8};
    for (int s = 0; s < kElevenSlots.count; ++s) {
        const std::string name = kElevenSlots.names[s];
        EXPECT_EQ(name.substr(0, name.find(' ')), kNineSlots.names[nine[s]]) << s;
        EXPECT_EQ(kElevenSlots.freqLow[s], kNineSlots.freqLow[nine[s]]) << s;
        EXPECT_EQ(kElevenSlots.freqHigh[s], kNineSlots.freqHigh[nine[s]]) << s;
    }
    EXPECT_STREQ(kElevenSlots.names[kSlot150MR], "150M R");
    EXPECT_STREQ(kElevenSlots.names[kSlot450MR], "450M R");
    // "850M" starts at 75 MHz, so 80 MHz lies inside it.
    EXPECT_LE(kNineSlots.freqLow[8], 8000000u);
    EXPECT_GE(kNineSlots.freqHigh[8], 8000000u);
}

TEST(Layouts, SqlFineBytesRunFromF7E0ToF7F5)
{
    EXPECT_EQ(SqlFineAddress(1, 1), 0xF7E0);
    EXPECT_EQ(SqlFineAddress(11, 1), 0xF7EA);
    EXPECT_EQ(SqlFineAddress(1, 2), 0xF7EB);
    EXPECT_EQ(SqlFineAddress(11, 2), 0xF7F5);
    EXPECT_STREQ(kSqlFineRowNames[9], "150M R");
}

} // namespace
} // namespace qmcal
