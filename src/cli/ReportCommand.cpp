#include "cli/ReportCommand.h"

#include "data/CalReport.h"
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
    auto image = std::make_unique<ParamImage>();
    if (!LoadImage(*image, defaultPath, args.at(0)))
        return kExitFailed;
    // Without --against, Default.dat as it was loaded, before the range repair.
    auto reference = std::make_unique<ParamImage>();
    if (against.isEmpty())
        reference->ParamArea() = image->ReferenceArea();
    else if (!LoadImage(*reference, defaultPath, against))
        return kExitFailed;

    const ReportHeader header{QFileInfo(args.at(0)).absoluteFilePath(), ImageModel(*image),
                              QDate::currentDate().toString(Qt::ISODate),
                              QStringLiteral("qmcal-cli %1").arg(QLatin1String(kVersion))};
    const std::vector<ReportValue> values = ReportValues(*image, reference->ParamArea());
    if (outPath.isEmpty()) {
        return PrintOutput(QString::fromUtf8(ReportHtml(header, values))) ? kExitOk : kExitFailed;
    }
    return FileDone(outPath, WriteReport(outPath, header, values)) ? kExitOk : kExitFailed;
}

} // namespace qmcal
