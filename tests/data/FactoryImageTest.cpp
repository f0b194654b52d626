#include "DataTestSupport.h"

#include "data/FactoryImage.h"
#include "data/FreqWord.h"
#include "data/Layouts.h"
#include "data/LittleEndian.h"
#include "data/RepairRanges.h"

#include <gtest/gtest.h>

namespace qmcal {
namespace {

using namespace test;

int FactoryRows(const BandLayout& layout, int slot)
{
    return &layout == &kRxTuningLayout ? kRxTuningFreqTableCounts[slot] : layout.rowCount[slot];
}

TEST(FactoryImage, FrequenciesSpreadOverEachSlotOnTheRaster)
{
    auto image = NewImageObject();
    FillFactoryImage(*image);
    for (const BandLayout* layout : kPageLayouts) {
        for (int slot = 0; slot < layout->SlotCount(); ++slot) {
            SCOPED_TRACE(std::string(layout->page) + " " + layout->slots->names[slot]);
            const std::uint32_t low = layout->slots->freqLow[slot];
            const std::uint32_t high = layout->slots->freqHigh[slot];
            const int rows = FactoryRows(*layout, slot);
            std::uint32_t previous = 0;
            for (int row = 1; row <= rows; ++row) {
                const std::uint32_t word = getU32le(image->IdBlock(), layout->FreqOffset(slot, row));
                const std::uint32_t units = UnitsFromFreqWord(word);
                EXPECT_EQ(FreqWordFromUnits(units), word) << "not decimal digits";
                EXPECT_GE(units, low);
                EXPECT_LE(units, high);
                EXPECT_EQ(units % 500, 0u);
                EXPECT_GT(units, previous);
                previous = units;
            }
            if (rows > 1) {
                EXPECT_EQ(UnitsFromFreqWord(getU32le(image->IdBlock(), layout->FreqOffset(slot, 1))), low);
                EXPECT_GT(previous + 500, high);  // the last point is the top of the range
            }
        }
    }
}

TEST(FactoryImage, ValuesSitInsideTheirRanges)
{
    auto image = NewImageObject();
    FillFactoryImage(*image);
    EXPECT_EQ(AsBytes(image->IdBlock()).left(16), AsBytes(kIdHeader));
    for (const BandLayout* layout : kPageLayouts) {
        for (int slot = 0; slot < layout->SlotCount(); ++slot) {
            for (int row = 1; row <= layout->rowCount[slot]; ++row) {
                for (std::size_t f = 0; f < layout->fieldCount; ++f) {
                    const RecordField& field = layout->Field(f);
                    const unsigned v = getField(image->ParamArea(),
                                                layout->FieldAddress(slot, row, field), field.width);
                    EXPECT_GT(v, 0u) << layout->page << " " << field.caption;
                    EXPECT_LT(v, field.maximum) << layout->page << " " << field.caption;
                }
            }
        }
    }
    for (int row = 1; row <= kSqlFineRows; ++row) {
        EXPECT_EQ(image->ParamArea()[SqlFineAddress(row, 1)], 0);
        EXPECT_EQ(image->ParamArea()[SqlFineAddress(row, 2)], 0);
    }
    // Nothing for the repair to do, even against an empty reference.
    const AreaBytes before = image->ParamArea();
    RepairRanges(*image);
    EXPECT_EQ(image->ParamArea(), before);
}

TEST(FactoryImage, SameBytesEveryTime)
{
    auto a = NewImageObject();
    auto b = NewImageObject();
    b->IdBlock().fill(0xFF);
    b->ParamArea().fill(0xFF);
    FillFactoryImage(*a);
    FillFactoryImage(*b);
    EXPECT_EQ(FileBytes(*a), FileBytes(*b));
}

} // namespace
} // namespace qmcal
