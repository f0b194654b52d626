#include "data/FactoryImage.h"

#include "data/FreqWord.h"
#include "data/Layouts.h"
#include "data/LittleEndian.h"

#include <algorithm>

namespace qmcal {

namespace {

constexpr std::uint32_t kRasterUnits = 500;  // 5 kHz in 10 Hz units

// Point index of count points, spread evenly from low to high; a single point sits mid-range.
std::uint32_t SpreadFrequency(std::uint32_t low, std::uint32_t high, int index, int count)
{
    const std::uint64_t span = high - low;
    const std::uint64_t offset = count > 1
        ? span * static_cast<std::uint64_t>(index) / static_cast<std::uint64_t>(count - 1)
        : span / 2;
    const auto units = static_cast<std::uint32_t>(low + offset);
    return units - units % kRasterUnits;
}

unsigned MidRange(const RecordField& field)
{
    return (field.maximum + 1u) / 2u;
}

// Rx Tuning keeps points for 30M, 50M and 66M in its tables although the page hides them.
int FactoryRows(const BandLayout& layout, int slot)
{
    return &layout == &kRxTuningLayout ? kRxTuningFreqTableCounts[slot] : layout.rowCount[slot];
}

} // namespace

void FillFactoryImage(ParamImage& image)
{
    auto& id = image.IdBlock();
    auto& area = image.ParamArea();
    id.fill(0);
    area.fill(0);
    std::copy(kIdHeader.begin(), kIdHeader.end(), id.begin());

    for (const BandLayout* layout : kPageLayouts) {
        const SlotList& slots = *layout->slots;
        for (int slot = 0; slot < layout->SlotCount(); ++slot) {
            const int rows = FactoryRows(*layout, slot);
            for (int row = 1; row <= rows; ++row) {
                const std::uint32_t units =
                    SpreadFrequency(slots.freqLow[slot], slots.freqHigh[slot], row - 1, rows);
                putU32le(id, layout->FreqOffset(slot, row), FreqWordFromUnits(units));
                for (std::size_t f = 0; f < layout->fieldCount; ++f) {
                    const RecordField& field = layout->Field(f);
                    putField(area, layout->FieldAddress(slot, row, field), field.width,
                             MidRange(field));
                }
            }
        }
    }
    // Sql Fine offsets stay 0 from the fill above.
}

} // namespace qmcal
