#include "pages/CalPageRoutines.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "data/FreqWord.h"

namespace qmcal {

namespace {

// The decimal type of the platform's automation library: a 96-bit integer scaled by a power
// of ten from 0 to 28.
__extension__ using Int128 = __int128;

constexpr int kSignificantDigits = 15;
constexpr int kMaxScale = 28;
constexpr Int128 kMaxMantissa = (Int128(1) << 96) - 1;

struct Decimal {
    Int128 mantissa = 0;  // value = mantissa * 10^exponent
    int exponent = 0;
};

Int128 Magnitude(Int128 v)
{
    return v < 0 ? -v : v;
}

// Drops the last digit, rounding half away from zero.
void DropDigit(Decimal& d)
{
    const Int128 rest = d.mantissa % 10;
    d.mantissa /= 10;
    if (rest >= 5)
        ++d.mantissa;
    else if (rest <= -5)
        --d.mantissa;
    ++d.exponent;
}

// The decimal type holds at most 28 decimal places and 96 bits.
bool FitDecimal(Decimal& d)
{
    while (d.exponent < -kMaxScale || (Magnitude(d.mantissa) > kMaxMantissa && d.exponent < 0))
        DropDigit(d);
    while (d.exponent > 0 && Magnitude(d.mantissa) <= kMaxMantissa / 10) {
        d.mantissa *= 10;
        --d.exponent;
    }
    return d.exponent <= 0 && Magnitude(d.mantissa) <= kMaxMantissa;
}

bool ToDecimal(double x, Decimal& out)
{
    if (!std::isfinite(x))
        return false;
    if (x == 0.0) {
        out = {};
        return true;
    }
    // "-d.ddddddddddddddde+XX": the 15 significant digits the conversion keeps.
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific,
                                       kSignificantDigits - 1);
    const char* p = buf;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    Int128 mantissa = 0;
    for (; p < written.ptr && *p != 'e'; ++p) {
        if (*p != '.')
            mantissa = mantissa * 10 + (*p - '0');
    }
    int exponent = 0;
    if (p < written.ptr) {
        ++p;
        if (*p == '+')
            ++p;
        std::from_chars(p, written.ptr, exponent);
    }
    out.mantissa = negative ? -mantissa : mantissa;
    out.exponent = exponent - (kSignificantDigits - 1);
    return FitDecimal(out);
}

double ToDouble(const Decimal& d)
{
    std::string text;
    Int128 m = Magnitude(d.mantissa);
    do {
        text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
        m /= 10;
    } while (m != 0);
    if (d.mantissa < 0)
        text.insert(text.begin(), '-');
    text += 'e';
    text += std::to_string(d.exponent);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

int BandSlotFromTab(int tab, const std::array<std::uint8_t, kMaxSlots>& rowCount, int n)
{
    if (tab < 0)
        return -1;
    int seen = 0;
    for (int slot = 0; slot < n && slot < kMaxSlots; ++slot) {
        if (rowCount[static_cast<std::size_t>(slot)] == 0)
            continue;
        if (seen == tab)
            return slot;
        ++seen;
    }
    return -1;
}

double DecimalMultiply(double a, double b)
{
    Decimal da;
    Decimal db;
    if (!ToDecimal(a, da) || !ToDecimal(b, db))
        return a * b;
    Decimal product{da.mantissa * db.mantissa, da.exponent + db.exponent};
    if (!FitDecimal(product))
        return a * b;
    return ToDouble(product);
}

void SnapToStep(std::int64_t& units)
{
    const std::int64_t r500 = units % 500;
    const std::int64_t r625 = units % 625;
    units -= r625 < r500 ? r625 : r500;
}

double LeadingDecimal(const QString& text)
{
    const int n = static_cast<int>(text.size());
    int i = 0;
    while (i < n && text.at(i).isSpace())
        ++i;
    std::string number;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        if (text.at(i) == QLatin1Char('-'))
            number += '-';
        ++i;
    }
    int digits = 0;
    for (; i < n && IsDigit(text.at(i)); ++i, ++digits)
        number += text.at(i).toLatin1();
    if (i < n && text.at(i) == QLatin1Char('.')) {
        number += '.';
        for (++i; i < n && IsDigit(text.at(i)); ++i, ++digits)
            number += text.at(i).toLatin1();
    }
    if (digits == 0)
        return 0.0;
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        int j = i + 1;
        std::string exponent = "e";
        if (j < n && (text.at(j) == QLatin1Char('+') || text.at(j) == QLatin1Char('-')))
            exponent += text.at(j++).toLatin1();
        const int firstDigit = j;
        for (; j < n && IsDigit(text.at(j)); ++j)
            exponent += text.at(j).toLatin1();
        if (j > firstDigit)
            number += exponent;
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: strtod's HUGE_VAL or 0.
        const bool tiny = number.find("e-") != std::string::npos;
        const double huge = std::numeric_limits<double>::infinity();
        return tiny ? 0.0 : (number.front() == '-' ? -huge : huge);
    }
    return value;
}

QString NormaliseFrequencyText(const QString& typed, std::uint32_t low, std::uint32_t high)
{
    // Truncating a double beyond the integer range is undefined, so such text counts as out of
    // range like any other.
    constexpr double kTruncationLimit = 1e15;
    const double product = DecimalMultiply(LeadingDecimal(typed), 100000.0);
    std::int64_t units = low;
    if (std::isfinite(product) && std::fabs(product) < kTruncationLimit) {
        const auto truncated = static_cast<std::int64_t>(product);
        if (truncated >= low && truncated <= high) {
            units = truncated;
            if (units % 500 != 0 && units % 625 != 0)
                SnapToStep(units);
        }
    }
    return QString::number(DecimalMultiply(static_cast<double>(units), 0.00001), 'f', 5);
}

QString HexSpinText(const QString& buddyText, int delta, int low, int high)
{
    const auto parsed = static_cast<std::int32_t>(ScanHex(buddyText).value_or(0));
    std::int64_t v = static_cast<std::int64_t>(parsed) + delta;
    if (v > high || v < low)
        v = delta > 0 ? low : high;
    return FormatHex(static_cast<std::uint32_t>(static_cast<std::int32_t>(v)));
}

QString SignedSpinText(const QString& buddyText, int delta, int low, int high)
{
    const std::int32_t parsed = ScanDecimal(buddyText).value_or(0);
    int v = static_cast<std::int8_t>(static_cast<std::uint8_t>((static_cast<std::int64_t>(parsed) + delta) & 0xFF));
    if (v > high || v < low)
        v = delta > 0 ? low : high;
    return QString::number(v);
}

} // namespace qmcal
