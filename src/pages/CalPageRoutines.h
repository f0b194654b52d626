#pragma once

#include <array>
#include <cstdint>

#include <QString>

#include "data/FreqWord.h"
#include "data/Layouts.h"

// The routines every calibration page shares: band tabs, frequency normalisation and the
// value stepping of the up-down controls. Pure functions, so they are tested on their own.

namespace qmcal {

// Slot of the (tab + 1)-th non-empty entry among the first n of rowCount, or -1.
int BandSlotFromTab(int tab, const std::array<std::uint8_t, kMaxSlots>& rowCount, int n);

// The product as the radio's tool computes it: each factor rounded to a decimal of 15
// significant digits, multiplied exactly, then rounded to the nearest double. 145.1 * 100000
// gives exactly 14510000. Factors beyond the decimal type's range give the plain product.
double DecimalMultiply(double a, double b);

// Moves a frequency (10 Hz units) down onto the 5 kHz or 6.25 kHz raster, whichever is
// nearer below; on a tie the 5 kHz raster wins.
void SnapToStep(std::int64_t& units);

// The decimal number at the start of text, as strtod reads it (blanks, sign, digits, point,
// exponent); 0 when there is none. Hexadecimal, "inf" and "nan" are not numbers here.
double LeadingDecimal(const QString& text);

// Frequency editor text to cell text: MHz to 10 Hz units, the slot's low limit for anything
// outside [low, high] (also above it, also for no number), snapped to the raster, shown with
// five decimals ("145.10000").
QString NormaliseFrequencyText(const QString& typed, std::uint32_t low, std::uint32_t high);

// One step of a hexadecimal up-down: the buddy text ("%X", 0 if it does not parse) plus
// delta, wrapping to low when it passes high going up and to high when it passes low going
// down.
QString HexSpinText(const QString& buddyText, int delta, int low, int high);

// The same for a signed decimal buddy whose sum is taken as a signed byte.
QString SignedSpinText(const QString& buddyText, int delta, int low, int high);

} // namespace qmcal
