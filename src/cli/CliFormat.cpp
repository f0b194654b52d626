#include "cli/CliFormat.h"

#include <initializer_list>
#include <utility>

namespace qmcal {

namespace {

using JsonField = std::pair<const char*, QString>;  // the value already in JSON

// Fields in the order given, which QJsonObject would sort.
QString JsonObject(std::initializer_list<JsonField> fields)
{
    QStringList parts;
    for (const JsonField& field : fields)
        parts << JsonString(QString::fromLatin1(field.first)) + QStringLiteral(": ") + field.second;
    return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

QString JsonArray(const QStringList& items)
{
    return QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']');
}

QString JsonStrings(const QStringList& texts)
{
    QStringList items;
    for (const QString& text : texts)
        items << JsonString(text);
    return JsonArray(items);
}

// Items one a line, indented, so that a script can also take the output line by line.
QString JsonLines(const QStringList& items, const QString& indent)
{
    if (items.isEmpty())
        return QStringLiteral("[]");
    return QStringLiteral("[\n") + indent + items.join(QStringLiteral(",\n") + indent) + QLatin1Char('\n')
        + indent.left(indent.size() - 2) + QLatin1Char(']');
}

} // namespace

QString JsonString(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

QString DiffJson(const ImageDiff& diff, const QString& nameA, const QString& nameB)
{
    const auto number = [](std::optional<unsigned> value) {
        return value ? QString::number(*value) : QStringLiteral("null");
    };
    QStringList items;
    for (const CellChange& cell : diff.cells) {
        items << JsonObject({{"page", JsonString(cell.page)}, {"band", JsonString(cell.band)},
                             {"row", JsonString(cell.row)}, {"column", JsonString(cell.column)},
                             {"a", JsonString(cell.a)}, {"a_value", number(cell.valueA)},
                             {"b", JsonString(cell.b)}, {"b_value", number(cell.valueB)}});
    }
    for (const ByteChange& byte : diff.bytes) {
        items << JsonObject({{"address", JsonString(AddressText(byte.address))},
                             {"address_value", QString::number(byte.address)},
                             {"a", JsonString(ByteText(byte.a))}, {"a_value", QString::number(byte.a)},
                             {"b", JsonString(ByteText(byte.b))}, {"b_value", QString::number(byte.b)}});
    }
    QStringList counts;
    for (const auto& [page, count] : CountDiffs(diff))
        counts << JsonString(page) + QStringLiteral(": ") + QString::number(count);
    return QStringLiteral("{\n  \"a\": %1,\n  \"b\": %2,\n  \"total\": %3,\n  \"counts\": {%4},\n"
                          "  \"differences\": %5\n}\n")
        .arg(JsonString(nameA), JsonString(nameB))
        .arg(diff.cells.size() + diff.bytes.size())
        .arg(counts.join(QStringLiteral(", ")), JsonLines(items, QStringLiteral("    ")));
}

QString PageJson(const ParamImage& image, const PageTable& page)
{
    QStringList bands;
    QStringList rows;
    QStringList row;
    QString band;
    const auto endRow = [&] {
        if (!row.isEmpty())
            rows << JsonStrings(row);
        row.clear();
    };
    const auto endBand = [&] {
        endRow();
        if (!rows.isEmpty())
            bands << JsonObject({{"band", JsonString(band)}, {"rows", JsonLines(rows, QStringLiteral("      "))}});
        rows.clear();
    };
    ForEachCell(image, page, [&](const PageCell& cell) {
        if (cell.col == 0) {
            endRow();
            if (cell.row == 1) {
                endBand();
                band = cell.band;
            }
        }
        row << cell.text;
    });
    endBand();
    return QStringLiteral("{\n  \"page\": %1,\n  \"columns\": %2,\n  \"bands\": %3\n}\n")
        .arg(JsonString(PageTitle(page)), JsonStrings(ColumnCaptions(page)), JsonLines(bands, QStringLiteral("    ")));
}

} // namespace qmcal
