#include "data/ExportText.h"

#include "data/Layouts.h"
#include "data/ParamFile.h"

namespace qmcal {

namespace {

constexpr char kLineBreak[] = "\r\n";

void AppendHexByte(QByteArray& out, std::uint8_t value)
{
    constexpr char kDigits[] = "0123456789abcdef";
    out += "0x";
    out += kDigits[value >> 4];
    out += kDigits[value & 0xF];
}

} // namespace

QByteArray ExportBytes(const AreaBytes& area)
{
    QByteArray out;
    for (const ExportRange& range : kExportRanges) {
        out += range.label;
        out += '{';
        for (std::size_t a = range.start; a < range.end; ++a) {
            // A line holds one aligned 8-byte group, so a range that starts inside a group
            // begins on the label line.
            if (a % 8 == 0 && a != 0)
                out += kLineBreak;
            AppendHexByte(out, area[a]);
            if (a + 1 != range.end)
                out += ", ";
        }
        out += kLineBreak;
        out += "};";
        out += kLineBreak;
        out += kLineBreak;
    }
    return out;
}

FileResult ExportText(ParamImage& image, const QString& path)
{
    ClearBeforeSave(image);
    return WriteFileAtomically(path, ExportBytes(image.ParamArea()));
}

} // namespace qmcal
