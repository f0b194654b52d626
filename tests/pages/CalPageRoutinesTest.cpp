#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

#include "data/Layouts.h"
#include "pages/CalPageRoutines.h"

namespace qmcal {
namespace {

struct Product {
    double a;
    double b;
    double expected;
};

TEST(DecimalMultiply, MatchesFifteenDigitDecimalArithmetic)
{
    const Product cases[] = {
        {145.1, 100000.0, 14510000.0},
        {136.0125, 100000.0, 13601250.0},
        {150.0125, 100000.0, 15001250.0},
        {433.0125, 100000.0, 43301250.0},
        {9.95, 100000.0, 995000.0},
        {0.29, 100000.0, 29000.0},
        {14510000.0, 0.00001, 145.1},
        {14500625.0, 0.00001, 145.00625},
        {43301250.0, 0.00001, 433.0125},
        {0.0, 100000.0, 0.0},
        {-145.1, 100000.0, -14510000.0},
    };
    for (const Product& p : cases)
        EXPECT_EQ(DecimalMultiply(p.a, p.b), p.expected) << p.a << " * " << p.b;
}

TEST(DecimalMultiply, GivesWholeUnitsWherePlainDoublesFallShort)
{
    // The reason for the routine: these products land just below the whole number.
    for (const double mhz : {136.0125, 150.0125, 9.95}) {
        const auto plain = static_cast<std::int64_t>(mhz * 100000.0);
        const auto decimal = static_cast<std::int64_t>(DecimalMultiply(mhz, 100000.0));
        EXPECT_EQ(decimal, plain + 1) << mhz;
    }
}

TEST(DecimalMultiply, FactorsBeyondTheDecimalRangeGiveThePlainProduct)
{
    EXPECT_EQ(DecimalMultiply(1e30, 100000.0), 1e30 * 100000.0);
    EXPECT_TRUE(std::isinf(DecimalMultiply(HUGE_VAL, 100000.0)));
}

struct Typed {
    const char* text;
    const char* cell;
};

TEST(NormaliseFrequencyText, NormalisesSnapsAndFallsBackToTheLowLimit)
{
    // Slot "150M": 134.00000 .. 180.00000 MHz.
    const Typed cases[] = {
        {"145.1", "145.10000"},
        {"145.007", "145.00625"},   // remainders 200 (5 kHz) and 75 (6.25 kHz)
        {"145.003", "145.00000"},   // equal remainders: the 5 kHz raster wins
        {"145.0125", "145.01250"},  // a multiple of 625 stays
        {"150.0125", "150.01250"},
        {"145.005", "145.00500"},
        {"145.00624", "145.00500"},
        {"180", "180.00000"},
        {"180.00001", "134.00000"}, // above the range: the low limit, not the high one
        {"500", "134.00000"},
        {"", "134.00000"},
        {".", "134.00000"},
        {"-145", "134.00000"},
        {"145.1abc", "145.10000"},
        {" 1.451e2", "145.10000"},
        {"99999999999999999999", "134.00000"},
        {"1e400", "134.00000"},
        {"0x91", "134.00000"},
        {"inf", "134.00000"},
    };
    for (const Typed& t : cases) {
        EXPECT_EQ(NormaliseFrequencyText(QString::fromLatin1(t.text), 13400000, 18000000),
                  QString::fromLatin1(t.cell))
            << t.text;
    }
    // "850M" runs from 75 MHz.
    EXPECT_EQ(NormaliseFrequencyText(QStringLiteral("75"), 7500000, 95000000), QStringLiteral("75.00000"));
    EXPECT_EQ(NormaliseFrequencyText(QStringLiteral("950.5"), 7500000, 95000000), QStringLiteral("75.00000"));
}

TEST(SnapToStep, MovesDownOntoTheNearerRaster)
{
    const std::int64_t cases[][2] = {
        {14500700, 14500625}, {14500300, 14500000}, {14501249, 14501000}, {14500624, 14500500},
        {14500001, 14500000}, {14500626, 14500625},
    };
    for (const auto& c : cases) {
        std::int64_t v = c[0];
        SnapToStep(v);
        EXPECT_EQ(v, c[1]) << c[0];
        EXPECT_LE(v, c[0]);
    }
}

TEST(BandSlotFromTab, CountsOnlySlotsWithPoints)
{
    const int powerSlots[] = {0, 1, 2, 4, 5, 6, 7, -1, -1};
    for (int tab = 0; tab < 9; ++tab)
        EXPECT_EQ(BandSlotFromTab(tab, kPowerLayout.rowCount, 9), powerSlots[tab]) << tab;
    const int rxTuningSlots[] = {3, 4, 5, 6, 7, 8, 9, -1};
    for (int tab = 0; tab < 8; ++tab)
        EXPECT_EQ(BandSlotFromTab(tab, kRxTuningLayout.rowCount, 11), rxTuningSlots[tab]) << tab;
    EXPECT_EQ(BandSlotFromTab(10, kRssiLayout.rowCount, 11), 10);
    EXPECT_EQ(BandSlotFromTab(11, kRssiLayout.rowCount, 11), -1);
    EXPECT_EQ(BandSlotFromTab(-1, kRssiLayout.rowCount, 11), -1);
    // Only the first n entries count.
    EXPECT_EQ(BandSlotFromTab(5, kRxTuningLayout.rowCount, 8), -1);
}

struct Spin {
    const char* text;
    int delta;
    int low;
    int high;
    const char* result;
};

TEST(SpinText, StepsAndWrapsInTheDirectionOfTravel)
{
    const Spin hex[] = {
        {"FF", 1, 1, 255, "1"},   {"1", -1, 1, 255, "FF"}, {"", 1, 1, 255, "1"},
        {"", -1, 1, 255, "FF"},   {"A", 1, 1, 255, "B"},   {"3FF", 1, 0, 1023, "0"},
        {"0", -1, 0, 1023, "3FF"}, {"0*", 1, 0, 1023, "1"}, {"2A73", 1, 0, 0x2A73, "0"},
        {"F", 1, 0, 15, "0"},     {"0", -1, 0, 15, "F"},
    };
    for (const Spin& s : hex) {
        EXPECT_EQ(HexSpinText(QString::fromLatin1(s.text), s.delta, s.low, s.high),
                  QString::fromLatin1(s.result))
            << s.text << " " << s.delta;
    }
    const Spin decimal[] = {
        {"63", 1, -64, 63, "-64"}, {"-64", -1, -64, 63, "63"}, {"5", 1, -64, 63, "6"},
        {"-5", -1, -64, 63, "-6"}, {"AB", -1, -64, 63, "-1"}, {"127", 1, -64, 63, "-64"},
    };
    for (const Spin& s : decimal) {
        EXPECT_EQ(SignedSpinText(QString::fromLatin1(s.text), s.delta, s.low, s.high),
                  QString::fromLatin1(s.result))
            << s.text << " " << s.delta;
    }
}

TEST(ScanDecimal, ReadsLikePercentD)
{
    EXPECT_EQ(ScanDecimal(QStringLiteral(" -5x")), -5);
    EXPECT_EQ(ScanDecimal(QStringLiteral("+63")), 63);
    EXPECT_EQ(ScanDecimal(QStringLiteral("A5")), std::nullopt);
    EXPECT_EQ(ScanDecimal(QStringLiteral("-")), std::nullopt);
}

} // namespace
} // namespace qmcal
