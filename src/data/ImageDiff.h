#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include <QList>
#include <QString>
#include <QStringList>

#include "data/Layouts.h"
#include "data/PageTable.h"
#include "data/ParamImage.h"

// What differs between two images, in the words of the grids: for qmcal-cli diff, verify and
// write-rssi --verify.

namespace qmcal {

// A grid cell whose text differs.
struct CellChange {
    QString page;    // "Power" ... "Sql Fine"
    QString band;    // the band tab; empty in the Sql Fine table
    QString row;     // column 0 of the row in the first image: the frequency or the band's name
    QString column;  // the column's caption
    QString a;       // the texts as the grids show them
    QString b;
    std::optional<unsigned> valueA;  // the stored values; none for a row's frequency
    std::optional<unsigned> valueB;
};

// A byte of the ParamArea that differs and that no listed cell shows.
struct ByteChange {
    std::uint16_t address = 0;
    std::uint8_t a = 0;
    std::uint8_t b = 0;
};

struct ImageDiff {
    std::vector<CellChange> cells;
    std::vector<ByteChange> bytes;
    int compared = 0;  // the cells of the pages, and the bytes no cell shows


    bool Empty() const { return cells.empty() && bytes.empty(); }
};

// Every cell of pages whose text differs, page by page and row by row; then every byte of
// ParamArea [start, end) that differs and belongs to none of those cells (bytes no grid shows,
// or values whose texts are alike, such as two "0*").
ImageDiff DiffImages(const ParamImage& a, const ParamImage& b, Table<const PageTable*> pages = kPageTables,
                     std::uint16_t start = kCalibrationStart, std::uint16_t end = kCalibrationEnd);

using TextTable = QList<QStringList>;

// Columns padded to their widest cell, two blanks apart, one line a row.
QString FormatTable(const TextTable& table);

// How a byte change shows its address ("F7E0") and its bytes ("0A").
QString AddressText(std::uint16_t address);
QString ByteText(std::uint8_t value);

// One line a difference: page, band, row, column, A's text, B's text; then one line a byte:
// "byte", the address, A's and B's bytes in hex. Nothing when nothing differs.
QString DiffText(const ImageDiff& diff);

// How many differences each page has, in the order they come, then the bytes no grid shows
// under "bytes" (only when there are some).
using DiffCounts = QList<std::pair<QString, int>>;
DiffCounts CountDiffs(const ImageDiff& diff);

// DiffText for a reader who has not seen the program: "A = nameA" and "B = nameB", the
// columns' labels, the lines, and the count per page ("6 differences: Power 1, ..."). Nothing
// when nothing differs.
QString DiffReport(const ImageDiff& diff, const QString& nameA, const QString& nameB);

} // namespace qmcal
