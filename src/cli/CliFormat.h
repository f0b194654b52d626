#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "data/ImageDiff.h"
#include "data/PageTable.h"
#include "data/ParamImage.h"

// What qmcal-cli prints: tables for people (FormatTable, DiffText in the core), JSON for scripts.

namespace qmcal {

// text as a JSON string, quotes included.
QString JsonString(const QString& text);

// A JSON array, one object a line: {"page", "band", "row", "column", "a", "b"} for a cell,
// {"address", "a", "b"} for a byte.
QString DiffJson(const ImageDiff& diff);

// The page's cells as one JSON object: {"page", "columns": [...], "bands": [{"band", "rows":
// [[texts of a row]...]}...]}, bands with points only, as the grid shows them.
QString PageJson(const ParamImage& image, const PageTable& page);

} // namespace qmcal
