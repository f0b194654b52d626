#include "data/PageTable.h"

#include <QCoreApplication>

#include <array>

#include "data/FreqWord.h"
#include "data/LittleEndian.h"

namespace qmcal {

namespace {

const QString kMarker = QStringLiteral("0*");

// The band names for the translators; the tabs and rows take them from the layouts.
[[maybe_unused]] constexpr std::array kBandNames{
    //: A band's name on the radio: keep it as it is.
    QT_TRANSLATE_NOOP("PageTable", "30M"),
    //: A band's name on the radio: keep it as it is.
    QT_TRANSLATE_NOOP("PageTable", "50M"),
    //: A band's name on the radio: keep it as it is.
    QT_TRANSLATE_NOOP("PageTable", "66M"),
    //: A band's name on the radio: keep it as it is.
    QT_TRANSLATE_NOOP("PageTable", "AM"),
    //: A band's name on the radio: keep it as it is.
    QT_TRANSLATE_NOOP("PageTable", "150M"),
    //: A band's name on the radio: keep it as it is.
    QT_TRANSLATE_NOOP("PageTable", "150M L"),
    //: A band's name on the radio: keep it as it is.
    QT_TRANSLATE_NOOP("PageTable", "150M R"),
    //: A band's name on the radio: keep it as it is.
    QT_TRANSLATE_NOOP("PageTable", "250M"),
    //: A band's name on the radio: keep it as it is.
    QT_TRANSLATE_NOOP("PageTable", "350M"),
    //: A band's name on the radio: keep it as it is.
    QT_TRANSLATE_NOOP("PageTable", "450M"),
    //: A band's name on the radio: keep it as it is.
    QT_TRANSLATE_NOOP("PageTable", "450M L"),
    //: A band's name on the radio: keep it as it is.
    QT_TRANSLATE_NOOP("PageTable", "450M R"),
    //: A band's name on the radio: keep it as it is.
    QT_TRANSLATE_NOOP("PageTable", "850M"),
};


bool IsSqlFine(const PageTable& page)
{
    return page.layout == nullptr;
}

const PageColumn& Column(const PageTable& page, int col)
{
    return page.columns[static_cast<std::size_t>(col)];
}

// The Sql Fine table keeps one byte per cell; a page's value column c is field c - 1.
struct Place {
    std::uint16_t address = 0;
    int width = 1;
    std::uint16_t maximum = 0;
};

Place PlaceOf(const PageTable& page, int slot, int row, int col)
{
    if (IsSqlFine(page))
        return {SqlFineAddress(row, col), 1, 0xFF};
    const RecordField& field = page.layout->Field(static_cast<std::size_t>(col - 1));
    return {page.layout->FieldAddress(slot, row, field), field.width, field.maximum};
}

} // namespace

int FirstItemStartingWith(const Table<const char*>& items, const QString& text)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (QString::fromUtf8(items[i]).startsWith(text, Qt::CaseInsensitive))
            return static_cast<int>(i);
    }
    return -1;
}

QString PageTitle(const PageTable& page)
{
    return QString::fromUtf8(IsSqlFine(page) ? "Sql Fine" : page.layout->page);
}

QString ShownText(const char* text)
{
    return QCoreApplication::translate("PageTable", text);
}

QStringList ShownColumnCaptions(const PageTable& page)
{
    QStringList captions;
    for (const PageColumn& column : page.columns)
        captions << ShownText(column.caption);
    return captions;
}

QStringList ColumnCaptions(const PageTable& page)
{
    QStringList captions;
    for (const PageColumn& column : page.columns)
        captions << QString::fromUtf8(column.caption);
    return captions;
}

int BandCount(const PageTable& page)
{
    return IsSqlFine(page) ? 1 : page.layout->SlotCount();
}

int RowCount(const PageTable& page, int slot)
{
    if (slot < 0 || slot >= BandCount(page))
        return 0;
    return IsSqlFine(page) ? kSqlFineRows : page.layout->rowCount[static_cast<std::size_t>(slot)];
}

QString BandName(const PageTable& page, int slot)
{
    return IsSqlFine(page) ? QString() : QString::fromUtf8(page.layout->slots->names[static_cast<std::size_t>(slot)]);
}

QString CellText(const ParamImage& image, const PageTable& page, int slot, int row, int col)
{
    const PageColumn& column = Column(page, col);
    if (column.format == CellFormat::Frequency)
        return FreqWordToText(getU32le(image.IdBlock(), page.layout->FreqOffset(slot, row)));
    if (column.format == CellFormat::RowName)
        return QString::fromUtf8(kSqlFineRowNames[static_cast<std::size_t>(row - 1)]);
    const Place place = PlaceOf(page, slot, row, col);
    const unsigned value = getField(image.ParamArea(), place.address, place.width);
    if (column.format == CellFormat::Item)
        return QString::fromUtf8(column.items[value < column.items.size() ? value : 0]);
    if (column.format == CellFormat::SignedByte) {
        const auto offset = static_cast<std::int8_t>(value);
        return column.marked && (offset < kSqlFineMin || offset > kSqlFineMax) ? kMarker : QString::number(offset);
    }
    return column.marked && value > place.maximum ? kMarker : FormatHex(value);
}

CellBytes CellBytesOf(const PageTable& page, int slot, int row, int col)
{
    if (col == 0)
        return {};
    const Place place = PlaceOf(page, slot, row, col);
    return {place.address, place.width, place.maximum};
}

void PutCellText(ParamImage& image, const PageTable& page, int slot, int row, int col, const QString& text)
{
    const PageColumn& column = Column(page, col);
    if (column.format == CellFormat::Frequency) {
        if (const auto word = FreqTextToWord(text))
            putU32le(image.IdBlock(), page.layout->FreqOffset(slot, row), *word);
        return;
    }
    if (column.format == CellFormat::RowName)
        return;
    const Place place = PlaceOf(page, slot, row, col);
    std::optional<std::uint32_t> value;
    if (column.format == CellFormat::Item) {
        if (const int index = FirstItemStartingWith(column.items, text); index >= 0)
            value = static_cast<std::uint32_t>(index);
    } else if (column.format == CellFormat::SignedByte) {
        if (const auto number = ScanDecimal(text))
            value = static_cast<std::uint32_t>(*number);
    } else {
        value = ScanHex(text);
    }
    if (value)
        putField(image.ParamArea(), place.address, place.width, *value);
}

void ForEachCell(const ParamImage& image, const PageTable& page, const std::function<void(const PageCell&)>& visit)
{
    const int cols = static_cast<int>(page.columns.size());
    for (int slot = 0; slot < BandCount(page); ++slot) {
        PageCell cell;
        cell.slot = slot;
        cell.band = BandName(page, slot);
        for (int row = 1; row <= RowCount(page, slot); ++row) {
            cell.row = row;
            cell.rowLabel = CellText(image, page, slot, row, 0);
            for (int col = 0; col < cols; ++col) {
                cell.col = col;
                cell.caption = QString::fromUtf8(Column(page, col).caption);
                cell.text = col == 0 ? cell.rowLabel : CellText(image, page, slot, row, col);
                visit(cell);
            }
        }
    }
}

} // namespace qmcal
