#include "DataTestSupport.h"

#include "data/ExportText.h"
#include "data/LittleEndian.h"
#include "data/RepairRanges.h"

#include <gtest/gtest.h>

namespace qmcal {
namespace {

using namespace test;

struct RepairCase {
    const char* name;
    std::uint16_t address;
    int width;
    unsigned stored;
    bool replaced;
};

// The reference area holds 0xA5 everywhere, so a replaced field reads 0xA5 or 0xA5A5.
const RepairCase kCases[] = {
    {"Rx Tuning above 0x3FF", 0xF710, 2, 0x0400, true},
    {"Rx Tuning at its maximum", 0xF710, 2, 0x03FF, false},
    {"Rx Tuning 150M R", 0xFC24, 2, 0xFFFF, true},
    {"Rx Tuning 450M R last point", 0xFC48, 2, 0x0400, true},
    {"Rx Tuning hidden 30M", 0xF700, 2, 0xFFFF, false},
    {"Rx Tuning hidden 66M", 0xF70C, 2, 0xFFFF, false},
    {"Rx Tuning gap", 0xF70E, 2, 0xFFFF, false},
    {"Tx Mod MIC gain 8", 0xF800, 1, 8, true},
    {"Tx Mod MIC gain 7", 0xF800, 1, 7, false},
    {"Tx Mod MIC Fine 0x2A74", 0xF802, 2, 0x2A74, true},
    {"Tx Mod MOD Fine 0x2A73", 0xF804, 2, 0x2A73, false},
    {"Tx Mod Limit 0x4000, last record", 0xF916, 2, 0x4000, true},
    {"Signal Mod 023N 0x4000", 0xF918 + 10, 2, 0x4000, true},
    {"Signal Mod MEV and byte 13", 0xF918 + 12, 2, 0xFFFF, false},
    {"Tone Mod bytes", 0xF918 + 14, 2, 0xFFFF, false},
    {"Rx Test AUDIO gain 8", 0xF761, 1, 8, true},
    {"Rx Test bytes 6 and 7", 0xF766, 2, 0xFFFF, false},
    {"Rx Test 850M AUDIO Fine", 0xF7A4, 2, 0x2A74, true},
    {"SQL 150M R", 0xFC50, 2, 0x4000, true},
    {"SQL 450M R last value", 0xFC8E, 2, 0x4000, true},
    {"SQL past the R records", 0xFC90, 2, 0xFFFF, false},
    {"RSSI 850M RSSI9", 0xFC22, 2, 0x4000, true},
    {"RSSI 450M R", 0xFCA4, 2, 0x3FFF, false},
    {"Power", 0xF400, 2, 0xFFFF, false},
    {"Sql Fine", 0xF7E0, 2, 0xFFFF, false},
    {"empty slot at address 0", 0x0000, 2, 0xFFFF, false},
};

TEST(RepairRanges, ReplacesOnlyFieldsAboveTheirMaximum)
{
    for (const RepairCase& c : kCases) {
        SCOPED_TRACE(c.name);
        auto image = NewImageObject();
        image->ReferenceArea().fill(0xA5);
        putField(image->ParamArea(), c.address, c.width, c.stored);
        const AreaBytes before = image->ParamArea();
        RepairRanges(*image);
        const unsigned expected = c.replaced ? (c.width == 1 ? 0xA5u : 0xA5A5u) : c.stored;
        EXPECT_EQ(getField(image->ParamArea(), c.address, c.width), expected);
        // Nothing but the field itself changes.
        AreaBytes after = image->ParamArea();
        putField(after, c.address, c.width, c.stored);
        EXPECT_EQ(after, before);
    }
}

// Every byte of the pattern against an empty reference: the export of the result must be
// the independently computed golden file, and a second pass changes nothing.
TEST(RepairRanges, WholeAreaAgainstAnEmptyReference)
{
    auto image = NewImageObject();
    FillPattern(image->ParamArea());
    RepairRanges(*image);
    EXPECT_EQ(ExportBytes(image->ParamArea()), Golden("pattern_repaired.txt"));
    const AreaBytes once = image->ParamArea();
    RepairRanges(*image);
    EXPECT_EQ(image->ParamArea(), once);
    for (std::size_t a = 0xF400; a < 0xF668; ++a)
        ASSERT_EQ(image->ParamArea()[a], Pattern(a)) << "Power changed at " << a;
}

} // namespace
} // namespace qmcal
