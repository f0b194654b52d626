#include "cli/CliCommand.h"

#include "data/ParamFile.h"
#include "data/RepairRanges.h"

#include <cstdio>

namespace qmcal {

QString DefaultPath(const CliOptions& options, const CliContext& context)
{
    return options.IsSet(kOptDefault) ? options.Value(kOptDefault) : FindDefaultFile(context.exeFolder);
}

void LoadDefaultImage(ParamImage& image, const QString& defaultPath)
{
    if (!NewImage(image, defaultPath)) {
        // A mistyped --default would otherwise pass unnoticed, with every repair falling to 0.
        const QString what = defaultPath.isEmpty()
            ? QStringLiteral("Default.dat (neither beside qmcal-cli nor in qmcal/ under the data folders)")
            : defaultPath;
        PrintError(QStringLiteral("qmcal-cli: warning: %1 cannot be read; the image starts "
                                  "from zeros and out-of-range values become 0\n")
                       .arg(what));
    }
    RepairRanges(image);
}

bool LoadImage(ParamImage& image, const QString& defaultPath, const QString& imagePath)
{
    LoadDefaultImage(image, defaultPath);
    return OpenLoadedImage(image, imagePath);
}

bool OpenLoadedImage(ParamImage& image, const QString& imagePath)
{
    if (!FileDone(imagePath, OpenImageFile(image, imagePath)))
        return false;
    RepairRanges(image);
    return true;
}

void CopyImage(const ParamImage& from, ParamImage& to)
{
    to.IdBlock() = from.IdBlock();
    to.ParamArea() = from.ParamArea();
    to.ReferenceArea() = from.ReferenceArea();
}

bool FileDone(const QString& path, const FileResult& result)
{
    if (!result.ok)
        PrintError(QStringLiteral("qmcal-cli: %1: %2\n").arg(path, result.messageText));
    return result.ok;
}

void PrintOut(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

void PrintError(const QString& text)
{
    // What went to standard output before comes first, also when both go to one pipe.
    std::fflush(stdout);
    std::fputs(text.toUtf8().constData(), stderr);
}

} // namespace qmcal
