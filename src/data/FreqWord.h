#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace qmcal {

// A FreqWord holds the eight decimal digits of a frequency in 10 Hz units as packed BCD:
// 145.00000 MHz is 0x14500000.

// "%X" of the word with a point before the last five characters (0 gives ".0").
QString FreqWordToText(std::uint32_t word);

// Removes every point and reads the rest as hexadecimal; nothing when no digit parses.
std::optional<std::uint32_t> FreqTextToWord(const QString& text);

// The start of a number as scanf reads it: moves i past leading blanks and one sign; true for
// a minus sign.
bool SkipBlanksAndSign(const QString& text, int& i);

// Reads text as "%X" does: leading blanks, an optional sign and "0x", then hex digits.
// Wider numbers keep their low 32 bits.
std::optional<std::uint32_t> ScanHex(const QString& text);

// "%d": blanks, an optional sign and decimal digits; nothing when no digit follows.
std::optional<std::int32_t> ScanDecimal(const QString& text);

// "%X" of an unsigned value.
QString FormatHex(std::uint32_t value);

// Frequency in 10 Hz units (at most 99999999) to its FreqWord and back.
std::uint32_t FreqWordFromUnits(std::uint32_t units);
std::uint32_t UnitsFromFreqWord(std::uint32_t word);

} // namespace qmcal
