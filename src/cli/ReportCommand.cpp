#include "cli/ReportCommand.h"

#include "data/CalReport.h"
#include "qmcal/Version.h"

#include <QDate>
#include <QFileInfo>

#include <memory>

namespace qmcal {

int RunReport(QStringList args, const CliContext& context)
{
    QString against;
    QString outPath;
    QString defaultPath;
    if (!TakeOption(args, QStringLiteral("--against"), against) || !TakeOption(args, QStringLiteral("-o"), outPath)
        || !TakeDefaultArgs(args, context, 1, defaultPath))
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
        PrintOut(QString::fromUtf8(ReportHtml(header, values)));
        return kExitOk;
    }
    return FileDone(outPath, WriteReport(outPath, header, values)) ? kExitOk : kExitFailed;
}

} // namespace qmcal
