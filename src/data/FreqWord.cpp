#include "data/FreqWord.h"

namespace qmcal {

namespace {

constexpr int kDecimals = 5;

int HexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

QString FreqWordToText(std::uint32_t word)
{
    QString text = QString::number(word, 16).toUpper();
    const int pointAt = text.size() > kDecimals ? static_cast<int>(text.size()) - kDecimals : 0;
    text.insert(pointAt, QLatin1Char('.'));
    return text;
}

std::optional<std::uint32_t> FreqTextToWord(const QString& text)
{
    QString digits = text;
    digits.remove(QLatin1Char('.'));
    return ScanHex(digits);
}

bool SkipBlanksAndSign(const QString& text, int& i)
{
    const int n = static_cast<int>(text.size());
    while (i < n && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    return negative;
}

std::optional<std::uint32_t> ScanHex(const QString& text)
{
    int i = 0;
    const int n = static_cast<int>(text.size());
    const bool negative = SkipBlanksAndSign(text, i);
    // "0x" counts as a prefix only when a hex digit follows; "0xg" reads as 0.
    if (i + 2 < n && text.at(i) == QLatin1Char('0')
        && (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))
        && HexDigitValue(text.at(i + 2)) >= 0)
        i += 2;
    std::uint32_t value = 0;
    bool any = false;
    for (; i < n; ++i) {
        const int d = HexDigitValue(text.at(i));
        if (d < 0)
            break;
        value = (value << 4) | static_cast<std::uint32_t>(d);
        any = true;
    }
    if (!any)
        return std::nullopt;
    return negative ? static_cast<std::uint32_t>(0u - value) : value;
}

std::optional<std::int32_t> ScanDecimal(const QString& text)
{
    const int n = static_cast<int>(text.size());
    int i = 0;
    const bool negative = SkipBlanksAndSign(text, i);
    std::uint32_t value = 0;
    bool any = false;
    for (; i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i) {
        value = value * 10u + static_cast<std::uint32_t>(text.at(i).unicode() - u'0');
        any = true;
    }
    if (!any)
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

QString FormatHex(std::uint32_t value)
{
    return QString::number(value, 16).toUpper();
}

std::uint32_t FreqWordFromUnits(std::uint32_t units)
{
    std::uint32_t word = 0;
    for (int shift = 0; shift < 32 && units != 0; shift += 4) {
        word |= (units % 10) << shift;
        units /= 10;
    }
    return word;
}

std::uint32_t UnitsFromFreqWord(std::uint32_t word)
{
    std::uint32_t units = 0;
    for (int shift = 28; shift >= 0; shift -= 4)
        units = units * 10 + ((word >> shift) & 0xF);
    return units;
}

} // namespace qmcal
