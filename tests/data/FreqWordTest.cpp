#include "data/FreqWord.h"

#include <gtest/gtest.h>

namespace qmcal {
namespace {

TEST(FreqWord, TextFormsOfAWord)
{
    const struct {
        std::uint32_t word;
        const char* text;
    } cases[] = {
        {0x14500000, "145.00000"},
        {0x43392500, "433.92500"},
        {0x07500000, "75.00000"},   // no leading zero
        {0xFFFFFFFF, "FFF.FFFFF"},
        {0x12345, ".12345"},
        {0x123, ".123"},             // fewer than five digits: the point goes in front
        {0, ".0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FreqWordToText(c.word), QLatin1String(c.text)) << c.text;
        EXPECT_EQ(FreqTextToWord(QLatin1String(c.text)), c.word) << c.text;
    }
}

TEST(FreqWord, TextParsesLikeHexAfterDroppingPoints)
{
    const struct {
        const char* text;
        std::optional<std::uint32_t> word;
    } cases[] = {
        {"145.1", 0x1451},          // the point is only removed, not placed
        {"1.4.5", 0x145},
        {" 145.00000", 0x14500000},
        {"12zz", 0x12},
        {"abc", 0xABC},
        {"", std::nullopt},
        {".", std::nullopt},
        {"zz", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FreqTextToWord(QLatin1String(c.text)), c.word) << c.text;
}

TEST(FreqWord, ScanHexReadsAsPercentX)
{
    const struct {
        const char* text;
        std::optional<std::uint32_t> value;
    } cases[] = {
        {"0*", 0},                  // the out-of-range marker reads as 0
        {"0A", 0xA},
        {"3fff", 0x3FFF},
        {"0x1F", 0x1F},
        {"0xg", 0},
        {"-1", 0xFFFFFFFF},
        {"+7", 7},
        {"123456789", 0x23456789},  // wider numbers keep their low 32 bits
        {"-", std::nullopt},
        {"*", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScanHex(QLatin1String(c.text)), c.value) << c.text;
}

TEST(FreqWord, UnitsConvertToPackedDecimalAndBack)
{
    const struct {
        std::uint32_t units;
        std::uint32_t word;
    } cases[] = {
        {14500000, 0x14500000}, {43392500, 0x43392500}, {7500000, 0x07500000},
        {95000000, 0x95000000}, {0, 0}, {99999999, 0x99999999},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FreqWordFromUnits(c.units), c.word) << c.units;
        EXPECT_EQ(UnitsFromFreqWord(c.word), c.units) << c.units;
    }
}

} // namespace
} // namespace qmcal
