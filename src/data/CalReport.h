#pragma once

#include <vector>

#include <QByteArray>
#include <QString>

#include "data/FileResult.h"
#include "data/PageTable.h"
#include "data/ParamImage.h"

// A unit's calibration report: every value of every page as the page table places it, in hex
// and decimal with its range, beside the reference's value where the two differ. HTML to read
// and print, CSV to compare in a spreadsheet.

namespace qmcal {

struct ReportHeader {
    QString source;   // the file's path, or where and when the image was read from the radio
    QString model;    // the identifier at the start of the image
    QString date;     // when the report was made
    QString version;  // the program's version
};

// One stored value of one point.
struct ReportValue {
    QString page;       // "Power" ... "Sql Fine"
    QString band;       // the band tab; for Sql Fine, the row's band
    int point = 1;      // 1-based row of the band
    QString frequency;  // MHz as the grid shows it; empty for Sql Fine
    QString column;     // the column's caption
    QString range;      // "0-FF", "-64-63"
    QString hex;
    QString decimal;    // signed for Sql Fine
    QString referenceHex;
    QString referenceDecimal;
    bool differs = false;
};

// The identifier at the start of the IdBlock, up to its first byte that is not printable.
QString ImageModel(const ParamImage& image);

// Every value of pages, page by page, band by band, point by point.
std::vector<ReportValue> ReportValues(const ParamImage& image, const AreaBytes& reference,
                                      Table<const PageTable*> pages = kPageTables);

// One line of captions, then one line per value; fields quoted only where they must be.
QByteArray ReportCsv(const std::vector<ReportValue>& values);

// One page of UTF-8 HTML, with no external resources and a print style for A4; well-formed XML
// too, so that other tools can read it.
QByteArray ReportHtml(const ReportHeader& header, const std::vector<ReportValue>& values);

// Through the one file writer: CSV when path ends in ".csv" (any case), else HTML.
FileResult WriteReport(const QString& path, const ReportHeader& header, const std::vector<ReportValue>& values);

} // namespace qmcal
