#pragma once

#include <array>
#include <cstddef>
#include <functional>

#include <QString>
#include <QtGlobal>
#include <QStringList>

#include "data/Layouts.h"
#include "data/ParamImage.h"

// What every page's grid shows, written once for the window and for qmcal-cli: the columns of
// each page, how a cell's text comes from the image and how it goes back.

namespace qmcal {

// A view of a constexpr array, so that tables of different sizes share one type.
template <typename T>
struct Table {
    const T* items = nullptr;
    std::size_t count = 0;

    constexpr Table() = default;
    template <std::size_t N>
    constexpr Table(const std::array<T, N>& array) : items(array.data()), count(N) {}

    constexpr std::size_t size() const { return count; }
    constexpr const T* begin() const { return items; }
    constexpr const T* end() const { return items + count; }
    constexpr const T& operator[](std::size_t i) const { return items[i]; }
};

// The gain steps of the transmit and receive audio paths, in dB. A field stores the index of its
// item.
inline constexpr std::array<const char*, 8> kGainSteps{"0", "3.2", "6.4", "9.6", "12.8", "16.0", "19.2", "22.4"};
inline constexpr std::array<const char*, 8> kAttenuationSteps{QT_TRANSLATE_NOOP("PageTable", "mute"), "-19.2", "-16.0", "-12.8", "-9.6", "-6.4", "-3.2", "0"};

enum class CellFormat {
    Frequency,   // the point's FreqWord: "145.00000"
    Hex,         // "%X" of the field
    Item,        // the item whose index the field stores; an index past the list shows the first
    SignedByte,  // "%d" of a signed byte; a marked column's range is the Sql Fine offsets
    RowName,     // the row's band name, not stored
};

struct PageColumn {
    const char* caption = "";
    CellFormat format = CellFormat::Hex;
    Table<const char*> items{};  // CellFormat::Item, in index order
    bool marked = false;         // a stored value outside the column's range shows "0*"
};

// A page's grid: a layout's points, band by band; or, without a layout, the Sql Fine bytes in
// one table of eleven rows, one per band.
struct PageTable {
    const char* name = "";  // qmcal-cli's word for the page
    const BandLayout* layout = nullptr;
    Table<PageColumn> columns{};
};

// Column 0 of every page.
inline constexpr PageColumn kFrequencyColumn{.caption = QT_TRANSLATE_NOOP("PageTable", "Freq"),
                                             .format = CellFormat::Frequency};

constexpr PageColumn HexColumn(const char* caption)
{
    return {.caption = caption};
}

constexpr PageColumn MarkedColumn(const char* caption)
{
    return {.caption = caption, .marked = true};
}

constexpr PageColumn ListColumn(const char* caption, Table<const char*> items)
{
    return {.caption = caption, .format = CellFormat::Item, .items = items};
}

// Captions go to the translators with their ranges; those that are a tone's frequency or a code
// are shown as written.
inline constexpr std::array kPowerColumns{
    kFrequencyColumn,
    HexColumn(QT_TRANSLATE_NOOP("PageTable", "Low (0-FF)")),
    HexColumn(QT_TRANSLATE_NOOP("PageTable", "Mid 2 (0-FF)")),
    HexColumn(QT_TRANSLATE_NOOP("PageTable", "Mid 1 (0-FF)")),
    HexColumn(QT_TRANSLATE_NOOP("PageTable", "High (0-FF)"))};
inline constexpr std::array kRxTuningColumns{
    kFrequencyColumn,
    MarkedColumn(QT_TRANSLATE_NOOP("PageTable", "Adjust (0-3FF)"))};
inline constexpr std::array kTxModColumns{
    kFrequencyColumn,
    ListColumn(QT_TRANSLATE_NOOP("PageTable", "MIC Gain db"), kGainSteps),
    ListColumn(QT_TRANSLATE_NOOP("PageTable", "MOD Gain db"), kAttenuationSteps),
    HexColumn(QT_TRANSLATE_NOOP("PageTable", "MIC Fine (0-2A73)")),
    HexColumn(QT_TRANSLATE_NOOP("PageTable", "MOD Fine (0-2A73)")),
    HexColumn(QT_TRANSLATE_NOOP("PageTable", "Limit Ctrl (0-3FFF)"))};
inline constexpr std::array kSignalModColumns{
    kFrequencyColumn,
    HexColumn("67.0 (0-3FFF)"),
    HexColumn("91.5 (0-3FFF)"),
    HexColumn("154.1 (0-3FFF)"),
    HexColumn("192.8 (0-3FFF)"),
    HexColumn("254.1 (0-3FFF)"),
    HexColumn("023N (0-3FFF)"),
    HexColumn("MEV  (0-FF)")};
inline constexpr std::array kToneModColumns{
    kFrequencyColumn,
    HexColumn(QT_TRANSLATE_NOOP("PageTable", "DTMF (0-FF)")),
    HexColumn("1750 (0-FF)")};
inline constexpr std::array kRxTestColumns{
    kFrequencyColumn,
    ListColumn(QT_TRANSLATE_NOOP("PageTable", "DISC Gain db"), kGainSteps),
    ListColumn(QT_TRANSLATE_NOOP("PageTable", "AUDIO Gain db"), kAttenuationSteps),
    MarkedColumn(QT_TRANSLATE_NOOP("PageTable", "DISC FIne (0-2A73)")),
    MarkedColumn(QT_TRANSLATE_NOOP("PageTable", "AUDIO Fine (0-2A73)"))};
inline constexpr std::array kSqlColumns{
    kFrequencyColumn,
    MarkedColumn(QT_TRANSLATE_NOOP("PageTable", "W SQL1 (0-3FFF)")),
    MarkedColumn(QT_TRANSLATE_NOOP("PageTable", "W SQL9 (0-3FFF)")),
    MarkedColumn(QT_TRANSLATE_NOOP("PageTable", "N SQL1 (0-3FFF)")),
    MarkedColumn(QT_TRANSLATE_NOOP("PageTable", "N SQL9 (0-3FFF)"))};
inline constexpr std::array kRssiColumns{
    kFrequencyColumn,
    MarkedColumn(QT_TRANSLATE_NOOP("PageTable", "RSSI1 (0-3FFF)")),
    MarkedColumn(QT_TRANSLATE_NOOP("PageTable", "RSSI9 (0-3FFF)"))};
// The band's name, then byte column c of SqlFineAddress as a signed offset; "0*" outside -64..63.
inline constexpr std::array kSqlFineColumns{
    PageColumn{.format = CellFormat::RowName},
    PageColumn{.caption = QT_TRANSLATE_NOOP("PageTable", "W SQL"), .format = CellFormat::SignedByte,
               .marked = true},
    PageColumn{.caption = QT_TRANSLATE_NOOP("PageTable", "N SQL"), .format = CellFormat::SignedByte,
               .marked = true}};

inline constexpr PageTable kPowerTable{"power", &kPowerLayout, kPowerColumns};
inline constexpr PageTable kRxTuningTable{"rx-tuning", &kRxTuningLayout, kRxTuningColumns};
inline constexpr PageTable kTxModTable{"tx-mod", &kTxModLayout, kTxModColumns};
inline constexpr PageTable kSignalModTable{"signal-mod", &kSignalModLayout, kSignalModColumns};
inline constexpr PageTable kToneModTable{"tone-mod", &kToneModLayout, kToneModColumns};
inline constexpr PageTable kRxTestTable{"rx-test", &kRxTestLayout, kRxTestColumns};
inline constexpr PageTable kSqlTable{"sql", &kSqlLayout, kSqlColumns};
inline constexpr PageTable kRssiTable{"rssi", &kRssiLayout, kRssiColumns};
inline constexpr PageTable kSqlFineTable{"sql-fine", nullptr, kSqlFineColumns};

// The eight pages in MainDialog's slot order, then the Sql Fine dialog.
inline constexpr std::array<const PageTable*, 9> kPageTables{
    &kPowerTable, &kRxTuningTable, &kTxModTable, &kSignalModTable, &kToneModTable,
    &kRxTestTable, &kSqlTable, &kRssiTable, &kSqlFineTable};

// "Power" ... "RSSI", "Sql Fine".
QString PageTitle(const PageTable& page);

// The captions of the columns, in order, as written: the CLI, the files and the log keep them.
QStringList ColumnCaptions(const PageTable& page);

// A caption, list item or band name of these tables in the language installed, for the window.
QString ShownText(const char* text);
QStringList ShownColumnCaptions(const PageTable& page);

// Band slots of the page (the Sql Fine table has one, without a name), and the data rows of one.
int BandCount(const PageTable& page);
int RowCount(const PageTable& page, int slot);
QString BandName(const PageTable& page, int slot);

// The first item that text begins (letter case aside), as a list editor takes a typed text; -1
// for none.
int FirstItemStartingWith(const Table<const char*>& items, const QString& text);

// The text of grid cell (row >= 1, col) of a slot, as the grid shows it.
QString CellText(const ParamImage& image, const PageTable& page, int slot, int row, int col);

// The cell's text back into the image. Text that names no item or holds no number leaves the
// stored bytes as they are; "0*" reads as 0.
void PutCellText(ParamImage& image, const PageTable& page, int slot, int row, int col, const QString& text);

// The ParamArea bytes a value cell keeps; width 0 for column 0, which keeps none there.
struct CellBytes {
    std::uint16_t address = 0;
    int width = 0;
    std::uint16_t maximum = 0;  // top of the value's range, as stored
};
CellBytes CellBytesOf(const PageTable& page, int slot, int row, int col);

// One cell as the grid shows it, with what names it.
struct PageCell {
    int slot = 0;
    int row = 1;  // grid row, 1-based
    int col = 0;
    QString band;      // the band tab's text; empty in the Sql Fine table
    QString rowLabel;  // column 0 of the row: the point's frequency or the band's name
    QString caption;
    QString text;
};

// Every cell of every band of a page with points, row by row, column 0 first.
void ForEachCell(const ParamImage& image, const PageTable& page, const std::function<void(const PageCell&)>& visit);

} // namespace qmcal
