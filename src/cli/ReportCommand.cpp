#include "cli/ReportCommand.h"

#include "data/CalReport.h"
#include "data/SessionLog.h"
#include "qmcal/Version.h"

#include <QDate>
#include <QFileInfo>

#include <memory>

namespace qmcal {

int RunReport(const QStringList& args, const CliOptions& options, const CliContext& context)
{
    const QString against = options.Value(kOptAgainst);
    const QString outPath = options.Value(kOptOutput);
    const QString defaultPath = DefaultPath(options, context);
    if (!outPath.isEmpty() && NamedTwice(outPath, {args.at(0), against, defaultPath}))
        return kExitUsage;
    // Only a report written to a file is logged: on standard output it acts on nothing, as show.
    const auto failed = [&](const QString& file, const QString& why) {
        return outPath.isEmpty() ? kExitFailed : LogOutcome(context, {}, file, why, kExitFailed);
    };
    auto image = std::make_unique<ParamImage>();
    QString why;
    if (!LoadImage(*image, defaultPath, args.at(0), &why))
        return failed(args.at(0), why);
    // Without --against, Default.dat as it was loaded, before the range repair.
    auto reference = std::make_unique<ParamImage>();
    if (against.isEmpty())
        reference->ParamArea() = image->ReferenceArea();
    else if (!LoadImage(*reference, defaultPath, against, &why))
        return failed(against, why);

    const ReportHeader header{QFileInfo(args.at(0)).absoluteFilePath(), ImageModel(*image),
                              QDate::currentDate().toString(Qt::ISODate),
                              QStringLiteral("qmcal-cli %1").arg(QLatin1String(kVersion))};
    const std::vector<ReportValue> values = ReportValues(*image, reference->ParamArea());
    if (outPath.isEmpty()) {
        return PrintOutput(QString::fromUtf8(ReportHtml(header, values))) ? kExitOk : kExitFailed;
    }
    const FileResult written = WriteReport(outPath, header, values);
    return LogOutcome(context, {}, outPath, SessionResultText(written),
                      FileDone(outPath, written) ? kExitOk : kExitFailed);
}

} // namespace qmcal
