#include "cli/OfflineCommands.h"

#include "data/ExportText.h"
#include "data/FactoryImage.h"
#include "data/FreqWord.h"
#include "data/Layouts.h"
#include "data/LittleEndian.h"
#include "data/ParamFile.h"
#include "data/RepairRanges.h"

#include <QList>

#include <array>
#include <memory>

namespace qmcal {

namespace {

constexpr char kSqlFinePage[] = "sql-fine";

// A page as its grid shows it: column captions in header-format form and whether a 2-byte
// value above its column's maximum shows the marker "0*". Gain columns show their index.
struct ShowPage {
    const char* name;
    const BandLayout* layout;
    const char* header;
    bool marksOutOfRange;
};

constexpr std::array kShowPages{
    ShowPage{"power", &kPowerLayout, "Freq|Low (0-FF)|Mid 2 (0-FF)|Mid 1 (0-FF)|High (0-FF)",
             false},
    ShowPage{"rx-tuning", &kRxTuningLayout, "Freq|Adjust (0-3FF)", true},
    ShowPage{"tx-mod", &kTxModLayout,
             "Freq|MIC Gain db|MOD Gain db|MIC Fine (0-2A73)|MOD Fine (0-2A73)|"
             "Limit Ctrl (0-3FFF)",
             false},
    ShowPage{"signal-mod", &kSignalModLayout,
             "Freq|67.0 (0-3FFF)|91.5 (0-3FFF)|154.1 (0-3FFF)|192.8 (0-3FFF)|254.1 (0-3FFF)|"
             "023N (0-3FFF)|MEV  (0-FF)",
             false},
    ShowPage{"tone-mod", &kToneModLayout, "Freq|DTMF (0-FF)|1750 (0-FF)", false},
    ShowPage{"rx-test", &kRxTestLayout,
             "Freq|DISC Gain db|AUDIO Gain db|DISC FIne (0-2A73)|AUDIO Fine (0-2A73)", true},
    ShowPage{"sql", &kSqlLayout,
             "Freq|W SQL1 (0-3FFF)|W SQL9 (0-3FFF)|N SQL1 (0-3FFF)|N SQL9 (0-3FFF)", true},
    ShowPage{"rssi", &kRssiLayout, "Freq|RSSI1 (0-3FFF)|RSSI9 (0-3FFF)", true},
};

constexpr char kSqlFineHeader[] = "|W SQL|N SQL";
constexpr char kMarker[] = "0*";

using Table = QList<QStringList>;

// Columns padded to their widest cell, two blanks apart.
QString FormatTable(const Table& table)
{
    QList<qsizetype> widths;
    for (const QStringList& row : table) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (widths.size() <= c)
                widths.append(0);
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    QString out;
    for (const QStringList& row : table) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c)
            line += row[c].leftJustified(widths[c] + 2);
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        out += line + QLatin1Char('\n');
    }
    return out;
}

QString PageText(const ParamImage& image, const ShowPage& page)
{
    const BandLayout& layout = *page.layout;
    const QStringList captions = QString::fromLatin1(page.header).split(QLatin1Char('|'));
    QString out = QString::fromLatin1(layout.page) + QLatin1Char('\n');
    for (int slot = 0; slot < layout.SlotCount(); ++slot) {
        if (layout.rowCount[slot] == 0)
            continue;
        Table table{captions};
        for (int row = 1; row <= layout.rowCount[slot]; ++row) {
            QStringList cells{FreqWordToText(getU32le(image.IdBlock(), layout.FreqOffset(slot, row)))};
            for (std::size_t f = 0; f < layout.fieldCount; ++f) {
                const RecordField& field = layout.Field(f);
                const unsigned v = getField(image.ParamArea(), layout.FieldAddress(slot, row, field),
                                            field.width);
                const bool marked = page.marksOutOfRange && field.width == 2 && v > field.maximum;
                cells.append(marked ? QString::fromLatin1(kMarker)
                                    : QString::number(v, 16).toUpper());
            }
            table.append(cells);
        }
        out += QStringLiteral("\n[%1]\n").arg(QLatin1String(layout.slots->names[slot]))
            + FormatTable(table);
    }
    return out;
}

// Signed offsets, one row per band; a byte outside -64..63 shows the marker.
QString SqlFineText(const ParamImage& image)
{
    Table table{QString::fromLatin1(kSqlFineHeader).split(QLatin1Char('|'))};
    for (int row = 1; row <= kSqlFineRows; ++row) {
        QStringList cells{QString::fromLatin1(kSqlFineRowNames[row - 1])};
        for (int column = 1; column <= 2; ++column) {
            const auto v = static_cast<std::int8_t>(getU8(image.ParamArea(), SqlFineAddress(row, column)));
            cells.append(v < kSqlFineMin || v > kSqlFineMax ? QString::fromLatin1(kMarker)
                                                            : QString::number(v));
        }
        table.append(cells);
    }
    return QStringLiteral("Sql Fine\n\n") + FormatTable(table);
}

// New from the default file, then the image file, each followed by the range repair, as the
// program does at start-up and on Open.
bool LoadImage(ParamImage& image, const QString& defaultPath, const QString& imagePath)
{
    LoadDefaultImage(image, defaultPath);
    if (!FileDone(imagePath, OpenImageFile(image, imagePath)))
        return false;
    RepairRanges(image);
    return true;
}

} // namespace

int RunMakeDefault(QStringList args, const CliContext&)
{
    if (HasOption(args) || args.size() != 1)
        return kExitUsage;
    auto image = std::make_unique<ParamImage>();
    FillFactoryImage(*image);
    return FileDone(args.at(0), SaveImageFileAs(*image, args.at(0))) ? kExitOk : kExitFailed;
}

int RunExport(QStringList args, const CliContext& context)
{
    QString defaultPath;
    if (!TakeDefaultArgs(args, context, 2, defaultPath))
        return kExitUsage;
    auto image = std::make_unique<ParamImage>();
    if (!LoadImage(*image, defaultPath, args.at(0)))
        return kExitFailed;
    return FileDone(args.at(1), ExportText(*image, args.at(1))) ? kExitOk : kExitFailed;
}

int RunShow(QStringList args, const CliContext& context)
{
    QString defaultPath;
    if (!TakeDefaultArgs(args, context, 2, defaultPath))
        return kExitUsage;
    const QString& pageName = args.at(1);
    const ShowPage* page = nullptr;
    for (const ShowPage& p : kShowPages) {
        if (pageName == QLatin1String(p.name))
            page = &p;
    }
    if (page == nullptr && pageName != QLatin1String(kSqlFinePage)) {
        PrintError(QStringLiteral("qmcal-cli: unknown page %1 (one of %2)\n")
                       .arg(pageName, QLatin1String(kShowPageNames)));
        return kExitUsage;
    }
    auto image = std::make_unique<ParamImage>();
    if (!LoadImage(*image, defaultPath, args.at(0)))
        return kExitFailed;
    PrintOut(page != nullptr ? PageText(*image, *page) : SqlFineText(*image));
    return kExitOk;
}

} // namespace qmcal
