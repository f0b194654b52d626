#include "cli/OfflineCommands.h"

#include <QCoreApplication>

#include "cli/CliFormat.h"

#include "data/ExportText.h"
#include "data/FactoryImage.h"
#include "data/ImageDiff.h"
#include "data/PageTable.h"
#include "data/ParamFile.h"
#include "data/RepairRanges.h"
#include "data/SessionLog.h"

#include <QList>

#include <memory>

namespace qmcal {

namespace {

// The title, then each band with points as a table of captions and cells.
QString PageText(const ParamImage& image, const PageTable& page)
{
    QString out = PageTitle(page) + QLatin1Char('\n');
    TextTable table;
    QString band;
    const auto flush = [&] {
        if (table.isEmpty())
            return;
        out += QLatin1Char('\n');
        if (!band.isEmpty())
            out += QStringLiteral("[%1]\n").arg(band);
        out += FormatTable(table);
    };
    ForEachCell(image, page, [&](const PageCell& cell) {
        if (cell.row == 1 && cell.col == 0) {
            flush();
            band = cell.band;
            table = {ColumnCaptions(page)};
        }
        if (cell.col == 0)
            table.append(QStringList());
        table.last().append(cell.text);
    });
    flush();
    return out;
}

} // namespace

QString ShowPageNames()
{
    QStringList names;
    for (const PageTable* page : kPageTables)
        names << QString::fromUtf8(page->name);
    return names.join(QStringLiteral(", "));
}

int RunMakeDefault(const QStringList& args, const CliOptions&, const CliContext& context)
{
    auto image = std::make_unique<ParamImage>();
    FillFactoryImage(*image);
    const FileResult saved = SaveImageFileAs(*image, args.at(0));
    return LogOutcome(context, {}, args.at(0), SessionResultText(saved),
                      FileDone(args.at(0), saved) ? kExitOk : kExitFailed);
}

int RunExport(const QStringList& args, const CliOptions& options, const CliContext& context)
{
    const QString defaultPath = DefaultPath(options, context);
    if (NamedTwice(args.at(1), {args.at(0), defaultPath}))
        return kExitUsage;
    auto image = std::make_unique<ParamImage>();
    QString why;
    if (!LoadImage(*image, defaultPath, args.at(0), &why))
        return LogOutcome(context, {}, args.at(0), why, kExitFailed);
    const FileResult exported = ExportText(*image, args.at(1));
    return LogOutcome(context, {}, args.at(1), SessionResultText(exported),
                      FileDone(args.at(1), exported) ? kExitOk : kExitFailed);
}

int RunShow(const QStringList& args, const CliOptions& options, const CliContext& context)
{
    const bool json = options.IsSet(kOptJson);
    const QString defaultPath = DefaultPath(options, context);
    const QString& pageName = args.at(1);
    const PageTable* page = nullptr;
    for (const PageTable* p : kPageTables) {
        if (pageName == QLatin1String(p->name))
            page = p;
    }
    if (page == nullptr) {
        PrintError(QCoreApplication::translate("qmcal-cli", "qmcal-cli: unknown page %1 (one of %2)\n").arg(pageName, ShowPageNames()));
        return kExitUsage;
    }
    auto image = std::make_unique<ParamImage>();
    if (!LoadImage(*image, defaultPath, args.at(0)))
        return kExitFailed;
    return PrintOutput(json ? PageJson(*image, *page) : PageText(*image, *page)) ? kExitOk : kExitFailed;
}

int RunDiff(const QStringList& args, const CliOptions& options, const CliContext& context)
{
    const bool json = options.IsSet(kOptJson);
    const QString defaultPath = DefaultPath(options, context);
    // The default is read, and a warning about it said, once for both.
    auto a = std::make_unique<ParamImage>();
    auto b = std::make_unique<ParamImage>();
    LoadDefaultImage(*a, defaultPath);
    CopyImage(*a, *b);
    if (!OpenLoadedImage(*a, args.at(0)) || !OpenLoadedImage(*b, args.at(1)))
        return kExitTrouble;
    const ImageDiff diff = DiffImages(*a, *b);
    const QString& nameA = args.at(0);
    const QString& nameB = args.at(1);
    if (!PrintOutput(json ? DiffJson(diff, nameA, nameB) : DiffReport(diff, nameA, nameB)))
        return kExitTrouble;
    return diff.Empty() ? kExitOk : kExitFailed;
}

} // namespace qmcal
