#include "data/ImageDiff.h"

#include "data/LittleEndian.h"

#include <algorithm>
#include <set>

namespace qmcal {

namespace {

std::vector<PageCell> CellsOf(const ParamImage& image, const PageTable& page)
{
    std::vector<PageCell> cells;
    ForEachCell(image, page, [&cells](const PageCell& cell) { cells.push_back(cell); });
    return cells;
}

} // namespace

ImageDiff DiffImages(const ParamImage& a, const ParamImage& b, Table<const PageTable*> pages,
                     std::uint16_t start, std::uint16_t end)
{
    ImageDiff diff;
    std::set<std::uint16_t> shown;
    std::set<std::uint16_t> inCells;
    for (const PageTable* page : pages) {
        const QString title = PageTitle(*page);
        const std::vector<PageCell> cellsA = CellsOf(a, *page);
        const std::vector<PageCell> cellsB = CellsOf(b, *page);
        // Both walks follow the same constant tables, so the cells pair up one to one.
        for (std::size_t i = 0; i < cellsA.size() && i < cellsB.size(); ++i) {
            const PageCell& cell = cellsA[i];
            const CellBytes kept = CellBytesOf(*page, cell.slot, cell.row, cell.col);
            ++diff.compared;
            for (int k = 0; k < kept.width; ++k)
                inCells.insert(static_cast<std::uint16_t>(kept.address + k));
            if (cell.text == cellsB[i].text)
                continue;
            CellChange change{title, cell.band, cell.rowLabel, cell.caption, cell.text, cellsB[i].text, {}, {}};
            if (kept.width > 0) {
                change.valueA = getField(a.ParamArea(), kept.address, kept.width);
                change.valueB = getField(b.ParamArea(), kept.address, kept.width);
            }
            diff.cells.push_back(std::move(change));
            for (int k = 0; k < kept.width; ++k)
                shown.insert(static_cast<std::uint16_t>(kept.address + k));
        }
    }
    for (int address = start; address < end; ++address) {
        const auto at = static_cast<std::uint16_t>(address);
        const std::uint8_t byteA = a.ParamArea()[at];
        const std::uint8_t byteB = b.ParamArea()[at];
        if (byteA != byteB && !shown.contains(at))
            diff.bytes.push_back({at, byteA, byteB});
        diff.compared += inCells.contains(at) ? 0 : 1;
    }
    return diff;
}

QString FormatTable(const TextTable& table)
{
    QList<qsizetype> widths;
    for (const QStringList& row : table) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (widths.size() <= c)
                widths.append(0);
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    QString out;
    for (const QStringList& row : table) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c)
            line += row[c].leftJustified(widths[c] + 2);
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        out += line + QLatin1Char('\n');
    }
    return out;
}

QString AddressText(std::uint16_t address)
{
    return QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper();
}

QString ByteText(std::uint8_t value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

namespace {

// One row a difference, under the labels when given.
QString DiffTable(const ImageDiff& diff, TextTable table)
{
    for (const CellChange& cell : diff.cells)
        table.append({cell.page, cell.band, cell.row, cell.column, cell.a, cell.b});
    for (const ByteChange& byte : diff.bytes)
        table.append({QStringLiteral("byte"), QString(), AddressText(byte.address), QString(), ByteText(byte.a), ByteText(byte.b)});
    return FormatTable(table);
}

} // namespace

QString DiffText(const ImageDiff& diff)
{
    return DiffTable(diff, {});
}

DiffCounts CountDiffs(const ImageDiff& diff)
{
    DiffCounts counts;
    for (const CellChange& cell : diff.cells) {
        if (counts.isEmpty() || counts.last().first != cell.page)
            counts.append({cell.page, 0});
        ++counts.last().second;
    }
    if (!diff.bytes.empty())
        counts.append({QStringLiteral("bytes"), static_cast<int>(diff.bytes.size())});
    return counts;
}

QString DiffReport(const ImageDiff& diff, const QString& nameA, const QString& nameB)
{
    if (diff.Empty())
        return {};
    QStringList perPage;
    for (const auto& [page, count] : CountDiffs(diff))
        perPage << QStringLiteral("%1 %2").arg(page).arg(count);
    const auto total = static_cast<int>(diff.cells.size() + diff.bytes.size());
    const QString header = QStringLiteral("A = %1\nB = %2\n").arg(nameA, nameB);
    const QString table = DiffTable(diff, {{QStringLiteral("page"), QStringLiteral("band"), QStringLiteral("row"),
                                            QStringLiteral("column"), QStringLiteral("A"), QStringLiteral("B")}});
    const QString pages = perPage.join(QStringLiteral(", "));
    const QString count = total == 1 ? QStringLiteral("1 difference: %1\n").arg(pages)
                                     : QStringLiteral("%1 differences: %2\n").arg(total).arg(pages);
    return header + table + count;
}

} // namespace qmcal
