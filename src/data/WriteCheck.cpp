#include "data/WriteCheck.h"

#include <algorithm>
#include <memory>
#include <set>

#include <QCoreApplication>

namespace qmcal {

namespace {

constexpr int kBlockSize = 8;

} // namespace

AddressRanges RecordRanges(const BandLayout& layout)
{
    AddressRanges ranges;
    for (int slot = 0; slot < layout.SlotCount(); ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        ranges.emplace_back(layout.valueBase[s], layout.valueBase[s] + layout.rowCount[s] * layout.stride);
    }
    return ranges;
}

AddressRanges BlockRuns(const AddressRanges& ranges)
{
    std::set<int> blocks;
    for (const auto& [start, end] : ranges) {
        for (int a = start; a < end; ++a)
            blocks.insert(a - a % kBlockSize);
    }
    AddressRanges runs;
    for (const int block : blocks) {
        if (!runs.empty() && runs.back().second == block)
            runs.back().second = block + kBlockSize;
        else
            runs.emplace_back(block, block + kBlockSize);
    }
    return runs;
}

RangeDiff DiffRanges(const ParamImage& a, const AreaBytes& b, const AddressRanges& ranges,
                     Table<const PageTable*> pages)
{
    std::set<std::size_t> compared;
    for (const auto& [start, end] : ranges) {
        for (int address = std::max(start, 0); address < std::min(end, static_cast<int>(kParamAreaSize)); ++address)
            compared.insert(static_cast<std::size_t>(address));
    }
    RangeDiff result;
    if (compared.empty())
        return result;
    // a with b's bytes in the ranges: every other byte is alike, so only those can differ.
    auto mixed = std::make_unique<ParamImage>();
    mixed->IdBlock() = a.IdBlock();
    mixed->ParamArea() = a.ParamArea();
    for (const std::size_t at : compared) {
        result.bytes += a.ParamArea()[at] != b[at] ? 1 : 0;
        mixed->ParamArea()[at] = b[at];
    }
    if (result.bytes > 0) {
        result.diff = DiffImages(a, *mixed, pages, static_cast<std::uint16_t>(*compared.begin()),
                                 static_cast<std::uint16_t>(std::min<std::size_t>(*compared.rbegin() + 1, 0xFFFF)));
    }
    return result;
}

QString VerifyFailedText(const RangeDiff& check, int maxLines)
{
    const auto points = static_cast<int>(check.diff.cells.size());
    QString text = QCoreApplication::translate("WriteCheck", "Verify failed: %1 %2 (%3 %4)")
                       .arg(points)
                       .arg(points == 1 ? QCoreApplication::translate("WriteCheck", "point differs")
                                        : QCoreApplication::translate("WriteCheck", "points differ"))
                       .arg(check.bytes)
                       .arg(check.bytes == 1 ? QCoreApplication::translate("WriteCheck", "byte")
                                             : QCoreApplication::translate("WriteCheck", "bytes"))
        + QLatin1Char('\n');
    QStringList lines = DiffText(check.diff).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const auto shown = maxLines < 0 ? lines.size() : std::min<qsizetype>(lines.size(), maxLines);
    for (qsizetype i = 0; i < shown; ++i)
        text += lines.at(i) + QLatin1Char('\n');
    if (shown < lines.size())
        text += QCoreApplication::translate("WriteCheck", "... and %1 more").arg(lines.size() - shown) + QLatin1Char('\n');
    return text;
}

QString VerifyNotReadText(const QString& reason)
{
    return QCoreApplication::translate("WriteCheck", "Verify failed: %1").arg(reason) + QLatin1Char('\n');
}

} // namespace qmcal
