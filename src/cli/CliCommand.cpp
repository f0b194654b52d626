#include "cli/CliCommand.h"

#include <QCoreApplication>

#include "data/ParamFile.h"
#include "data/RepairRanges.h"
#include "data/SessionLog.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

namespace qmcal {

QString DefaultPath(const CliOptions& options, const CliContext& context)
{
    return options.IsSet(kOptDefault) ? options.Value(kOptDefault) : FindDefaultFile(context.exeFolder);
}

void LoadDefaultImage(ParamImage& image, const QString& defaultPath)
{
    const FileResult loaded = NewImage(image, defaultPath);
    if (!loaded.ok) {
        // A mistyped --default would otherwise pass unnoticed, with every repair falling to 0.
        const QString what = defaultPath.isEmpty()
            ? QCoreApplication::translate("qmcal-cli", "Default.dat (neither beside qmcal-cli nor in qmcal/ under the data folders)")
            : defaultPath;
        const QString why = loaded.refused ? QStringLiteral(": ") + loaded.messageText : QCoreApplication::translate("qmcal-cli", " cannot be read");
        PrintError(QCoreApplication::translate("qmcal-cli", "qmcal-cli: warning: %1%2; the image starts "
                                                     "from zeros and out-of-range values become 0\n")
                       .arg(what, why));
    } else {
        FileDone(defaultPath, loaded);
    }
    RepairRanges(image);
}

bool LoadImage(ParamImage& image, const QString& defaultPath, const QString& imagePath, QString* why)
{
    LoadDefaultImage(image, defaultPath);
    return OpenLoadedImage(image, imagePath, why);
}

bool OpenLoadedImage(ParamImage& image, const QString& imagePath, QString* why)
{
    const FileResult opened = OpenImageFile(image, imagePath);
    if (!opened.ok && why != nullptr)
        *why = opened.messageText;
    if (!FileDone(imagePath, opened))
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
    if (!result.ok && !result.reason.isEmpty())
        PrintError(QStringLiteral("qmcal-cli: %1: %2 (%3)\n").arg(path, result.messageText, result.reason));
    else if (!result.ok)
        PrintError(QStringLiteral("qmcal-cli: %1: %2\n").arg(path, result.messageText));
    else if (!result.messageText.isEmpty())
        PrintError(QCoreApplication::translate("qmcal-cli", "qmcal-cli: warning: %1: %2\n").arg(path, result.messageText));
    return result.ok;
}

bool NamedTwice(const QString& output, const QStringList& inputs)
{
    struct stat out {};
    if (::stat(QFile::encodeName(output).constData(), &out) != 0)
        return false;  // not there yet, so none of the inputs
    for (const QString& input : inputs) {
        struct stat in {};
        if (::stat(QFile::encodeName(input).constData(), &in) == 0 && in.st_dev == out.st_dev
            && in.st_ino == out.st_ino) {
            PrintError(QCoreApplication::translate("qmcal-cli", "qmcal-cli: %1: the same file as %2, named twice (an "
                                                                  "output cannot be one of the inputs)\n")
                           .arg(output, input));
            return true;
        }
    }
    return false;
}

bool PrintOutput(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::clearerr(stdout);
    errno = 0;
    const bool ok = std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout)
            == static_cast<std::size_t>(bytes.size())
        && std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    if (!ok) {
        const int error = errno == 0 ? EIO : errno;
        std::clearerr(stdout);
        PrintError(QCoreApplication::translate("qmcal-cli", "qmcal-cli: write error: %1\n").arg(QString::fromLocal8Bit(std::strerror(error))));
    }
    return ok;
}

int LogOutcome(const CliContext& context, const QString& port, const QString& file, const QString& result,
               int status)
{
    if (context.log != nullptr)
        context.log->Append({QStringLiteral("qmcal-cli ") + context.command, port, file, result});
    return status;
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
