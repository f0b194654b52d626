#include "data/ImageDiff.h"

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
    for (const PageTable* page : pages) {
        const QString title = PageTitle(*page);
        const std::vector<PageCell> cellsA = CellsOf(a, *page);
        const std::vector<PageCell> cellsB = CellsOf(b, *page);
        // Both walks follow the same constant tables, so the cells pair up one to one.
        for (std::size_t i = 0; i < cellsA.size() && i < cellsB.size(); ++i) {
            const PageCell& cell = cellsA[i];
            if (cell.text == cellsB[i].text)
                continue;
            diff.cells.push_back({title, cell.band, cell.rowLabel, cell.caption, cell.text, cellsB[i].text});
            const CellBytes kept = CellBytesOf(*page, cell.slot, cell.row, cell.col);
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
    }
    return diff;
}

} // namespace qmcal
