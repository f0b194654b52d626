#include "data/CalReport.h"

#include <QCoreApplication>
#include <QStringList>

#include "data/FreqWord.h"
#include "data/LittleEndian.h"

namespace qmcal {

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("CalReport", text);
}

bool IsSqlFine(const PageTable& page)
{
    return page.layout == nullptr;
}

QString RangeText(const PageTable& page, const CellBytes& bytes)
{
    if (IsSqlFine(page))
        return QStringLiteral("%1 to %2").arg(kSqlFineMin).arg(kSqlFineMax);
    return QStringLiteral("0-") + FormatHex(bytes.maximum);
}

QString DecimalText(const PageTable& page, unsigned value)
{
    return IsSqlFine(page) ? QString::number(static_cast<std::int8_t>(value)) : QString::number(value);
}

QString CsvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString Html(const QString& text)
{
    return text.toHtmlEscaped();
}

// Fixed column widths and A4 pages, so that a page's table prints without cut columns; the
// smaller print size keeps Signal Mod's seven values to one line each.
constexpr const char* kStyle = R"(
body { font-family: sans-serif; font-size: 10pt; }
table { table-layout: fixed; width: 100%; border-collapse: collapse; margin-bottom: 1em; }
th, td { border: 1px solid #999; padding: 2px 4px; text-align: right; overflow-wrap: anywhere; }
th { background: #eee; font-weight: normal; }
th.point, td.point { width: 3em; }
th.row, td.row { width: 6.5em; }
td.differs { background: #fde2b8; font-weight: bold; }
.ref { display: block; font-weight: normal; font-size: 8pt; }
dl.header dt { float: left; width: 6em; font-weight: bold; }
@page { size: A4; margin: 12mm; }
@media print {
  body { font-size: 9pt; }
  th { font-size: 8pt; }
  section { break-before: page; }
  h3 { break-after: avoid; }
  tr { break-inside: avoid; }
}
)";

// Values of one table: one band of a page, or the whole Sql Fine table.
struct ReportTable {
    QString page;
    QString band;  // empty for Sql Fine
    std::vector<std::vector<const ReportValue*>> rows;
};

std::vector<ReportTable> Tables(const std::vector<ReportValue>& values)
{
    std::vector<ReportTable> tables;
    const ReportValue* previous = nullptr;
    for (const ReportValue& value : values) {
        const bool sqlFine = value.frequency.isEmpty();
        const QString band = sqlFine ? QString() : value.band;
        if (tables.empty() || tables.back().page != value.page || tables.back().band != band) {
            tables.push_back({value.page, band, {}});
            previous = nullptr;
        }
        ReportTable& table = tables.back();
        if (previous == nullptr || previous->point != value.point || previous->band != value.band)
            table.rows.emplace_back();
        table.rows.back().push_back(&value);
        previous = &value;
    }
    return tables;
}

void AppendTable(QString& html, const ReportTable& table)
{
    const bool sqlFine = table.band.isEmpty();
    if (!sqlFine)
        html += QStringLiteral("<h3>%1</h3>\n").arg(Html(table.band));
    const QString rowCaption = sqlFine ? Tr(QT_TRANSLATE_NOOP("CalReport", "Band"))
                                       : Tr(QT_TRANSLATE_NOOP("CalReport", "Freq (MHz)"));
    // In a thead, a browser repeats the captions on every printed page the table runs onto.
    html += QStringLiteral("<table>\n<thead><tr><th class=\"point\">%1</th><th class=\"row\">%2</th>")
                .arg(Html(Tr(QT_TRANSLATE_NOOP("CalReport", "Point"))), Html(rowCaption));
    for (const ReportValue* value : table.rows.front()) {
        // Most captions carry their range already, as the grids show them.
        if (value->column.contains(QLatin1Char('(') + value->range + QLatin1Char(')')))
            html += QStringLiteral("<th>%1</th>").arg(Html(value->column));
        else
            html += QStringLiteral("<th>%1<br/>%2</th>").arg(Html(value->column), Html(value->range));
    }
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (const auto& row : table.rows) {
        const ReportValue& first = *row.front();
        html += QStringLiteral("<tr><td class=\"point\">%1</td><td class=\"row\">%2</td>")
                    .arg(first.point)
                    .arg(Html(sqlFine ? first.band : first.frequency));
        for (const ReportValue* value : row) {
            const QString shown = QStringLiteral("%1 (%2)").arg(Html(value->hex), Html(value->decimal));
            if (value->differs) {
                html += QStringLiteral("<td class=\"differs\">%1<span class=\"ref\">%2 %3 (%4)</span></td>")
                            .arg(shown, Html(Tr(QT_TRANSLATE_NOOP("CalReport", "reference"))),
                                 Html(value->referenceHex), Html(value->referenceDecimal));
            } else {
                html += QStringLiteral("<td>%1</td>").arg(shown);
            }
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</tbody>\n</table>\n");
}

} // namespace

QString ImageModel(const ParamImage& image)
{
    QString model;
    for (const std::uint8_t byte : image.IdBlock()) {
        if (byte < 0x20 || byte > 0x7E || model.size() >= 16)
            break;
        model += QLatin1Char(static_cast<char>(byte));
    }
    return model;
}

std::vector<ReportValue> ReportValues(const ParamImage& image, const AreaBytes& reference,
                                      Table<const PageTable*> pages)
{
    std::vector<ReportValue> values;
    for (const PageTable* page : pages) {
        const QString title = PageTitle(*page);
        ForEachCell(image, *page, [&](const PageCell& cell) {
            if (cell.col == 0)
                return;
            const CellBytes bytes = CellBytesOf(*page, cell.slot, cell.row, cell.col);
            const unsigned value = getField(image.ParamArea(), bytes.address, bytes.width);
            const unsigned referenceValue = getField(reference, bytes.address, bytes.width);
            ReportValue entry;
            entry.page = title;
            entry.band = IsSqlFine(*page) ? cell.rowLabel : cell.band;
            entry.point = cell.row;
            entry.frequency = IsSqlFine(*page) ? QString() : cell.rowLabel;
            entry.column = cell.caption;
            entry.range = RangeText(*page, bytes);
            entry.hex = FormatHex(value);
            entry.decimal = DecimalText(*page, value);
            entry.referenceHex = FormatHex(referenceValue);
            entry.referenceDecimal = DecimalText(*page, referenceValue);
            entry.differs = value != referenceValue;
            values.push_back(std::move(entry));
        });
    }
    return values;
}

QByteArray ReportCsv(const std::vector<ReportValue>& values)
{
    QString csv = QStringLiteral("page,band,point,frequency MHz,column,hex,decimal,reference hex,differs\n");
    for (const ReportValue& v : values) {
        const QStringList fields{v.page, v.band, QString::number(v.point), v.frequency, v.column, v.hex,
                                 v.decimal, v.referenceHex, v.differs ? QStringLiteral("yes") : QStringLiteral("no")};
        QStringList quoted;
        for (const QString& field : fields)
            quoted << CsvField(field);
        csv += quoted.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return csv.toUtf8();
}

QByteArray ReportHtml(const ReportHeader& header, const std::vector<ReportValue>& values)
{
    const QString title = Tr(QT_TRANSLATE_NOOP("CalReport", "Calibration report"));
    QString html = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\"/>\n<title>%1 - %2</title>\n"
                                  "<style>%3</style>\n</head>\n<body>\n<h1>%1</h1>\n<dl class=\"header\">\n")
                       .arg(Html(title), Html(header.source), QLatin1String(kStyle));
    const std::pair<const char*, QString> lines[] = {
        {QT_TRANSLATE_NOOP("CalReport", "Source"), header.source},
        {QT_TRANSLATE_NOOP("CalReport", "Model"), header.model},
        {QT_TRANSLATE_NOOP("CalReport", "Date"), header.date},
        {QT_TRANSLATE_NOOP("CalReport", "Program"), header.version}};
    for (const auto& [label, text] : lines)
        html += QStringLiteral("<dt>%1</dt><dd>%2</dd>\n").arg(Html(Tr(label)), Html(text));
    html += QStringLiteral("</dl>\n");
    QString page;
    for (const ReportTable& table : Tables(values)) {
        if (table.page != page) {
            if (!page.isEmpty())
                html += QStringLiteral("</section>\n");
            page = table.page;
            html += QStringLiteral("<section>\n<h2>%1</h2>\n").arg(Html(page));
        }
        AppendTable(html, table);
    }
    if (!page.isEmpty())
        html += QStringLiteral("</section>\n");
    html += QStringLiteral("</body>\n</html>\n");
    return html.toUtf8();
}

FileResult WriteReport(const QString& path, const ReportHeader& header, const std::vector<ReportValue>& values)
{
    const bool csv = path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    return WriteFileAtomically(path, csv ? ReportCsv(values) : ReportHtml(header, values));
}

} // namespace qmcal
