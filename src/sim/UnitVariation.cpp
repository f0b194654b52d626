#include "sim/UnitVariation.h"

#include <array>
#include <cstdint>

namespace qmcal::sim {

namespace {

// Calibration values that differ from unit to unit: Power bytes, SQL and RSSI words.
struct VariedRange {
    std::uint16_t start;
    std::uint16_t end;  // exclusive
    int width;
    unsigned maximum;
};
constexpr std::array<VariedRange, 5> kVariedRanges{{
    {0xF400, 0xF668, 1, 0xFF},
    {0xFB48, 0xFC00, 2, 0x3FFF},
    {0xFC00, 0xFC24, 2, 0x3FFF},
    {0xFC50, 0xFCA0, 2, 0x3FFF},
    {0xFCA0, 0xFCA8, 2, 0x3FFF},
}};

} // namespace

void VaryUnit(RadioMemory& memory, unsigned long seed)
{
    if (seed == 0)
        return;
    for (const VariedRange& range : kVariedRanges) {
        for (unsigned address = range.start; address < range.end; address += range.width) {
            std::uint64_t h = seed * 0x9E3779B97F4A7C15ULL + address;
            h ^= h >> 31;
            h *= 0xBF58476D1CE4E5B9ULL;
            h ^= h >> 29;
            const int delta = static_cast<int>(h % 5) - 2;
            unsigned value = memory[address];
            if (range.width == 2)
                value |= unsigned{memory[address + 1]} << 8;
            if (delta == 0 || value == 0 || value >= range.maximum)
                continue;
            int moved = static_cast<int>(value) + delta;
            if (moved < 0 || moved > static_cast<int>(range.maximum))
                moved = static_cast<int>(value) - delta;
            memory[address] = static_cast<std::uint8_t>(moved & 0xFF);
            if (range.width == 2)
                memory[address + 1] = static_cast<std::uint8_t>(moved >> 8);
        }
    }
}

} // namespace qmcal::sim
