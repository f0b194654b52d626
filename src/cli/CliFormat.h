#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "data/ImageDiff.h"
#include "data/PageTable.h"
#include "data/ParamImage.h"

// What qmcal-cli prints: tables for people, JSON for scripts.

namespace qmcal {

using TextTable = QList<QStringList>;

// Columns padded to their widest cell, two blanks apart, one line a row.
QString FormatTable(const TextTable& table);

// text as a JSON string, quotes included.
QString JsonString(const QString& text);

// One line a difference: page, band, row, column, A's text, B's text; then one line a byte:
// "byte", the address, A's and B's bytes in hex. Nothing when nothing differs.
QString DiffText(const ImageDiff& diff);

// A JSON array, one object a line: {"page", "band", "row", "column", "a", "b"} for a cell,
// {"address", "a", "b"} for a byte.
QString DiffJson(const ImageDiff& diff);

// The page's cells as one JSON object: {"page", "columns": [...], "bands": [{"band", "rows":
// [[texts of a row]...]}...]}, bands with points only, as the grid shows them.
QString PageJson(const ParamImage& image, const PageTable& page);

} // namespace qmcal
