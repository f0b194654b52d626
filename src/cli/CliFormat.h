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

// One JSON object: the sides ("a", "b": what they are), "total", "counts" (per page as
// CountDiffs gives them) and "differences", one object a line: {"page", "band", "row",
// "column", "a", "a_value", "b", "b_value"} for a cell, {"address", "address_value", "a",
// "a_value", "b", "b_value"} for a byte; each text beside its number (null for a frequency).
QString DiffJson(const ImageDiff& diff, const QString& nameA, const QString& nameB);

// The page's cells as one JSON object: {"page", "columns": [...], "bands": [{"band", "rows":
// [[texts of a row]...]}...]}, bands with points only, as the grid shows them.
QString PageJson(const ParamImage& image, const PageTable& page);

} // namespace qmcal
