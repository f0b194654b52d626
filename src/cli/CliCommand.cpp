#include "cli/CliCommand.h"

#include "data/ParamFile.h"
#include "data/RepairRanges.h"
#include "data/SessionLog.h"

#include <cstdio>

namespace qmcal {

namespace {

const QString kEndOfOptions = QStringLiteral("--");

// Options stand before the first "--"; every word after it is a plain argument.
qsizetype OptionsEnd(const QStringList& args)
{
    const auto end = args.indexOf(kEndOfOptions);
    return end < 0 ? args.size() : end;
}

} // namespace

bool TakeOption(QStringList& args, const QString& name, QString& value)
{
    const auto at = args.indexOf(name);
    const auto end = OptionsEnd(args);
    if (at < 0 || at >= end)
        return true;
    if (at + 1 >= end)
        return false;
    value = args.at(at + 1);
    args.remove(at, 2);
    return true;
}

bool TakeOptions(QStringList& args, const QString& name, QStringList& values)
{
    for (auto at = args.indexOf(name); at >= 0 && at < OptionsEnd(args); at = args.indexOf(name)) {
        QString value;
        if (!TakeOption(args, name, value))
            return false;
        values.append(value);
    }
    return true;
}

bool TakeSwitch(QStringList& args, const QString& name)
{
    const auto at = args.indexOf(name);
    if (at < 0 || at >= OptionsEnd(args))
        return false;
    args.removeAt(at);
    return true;
}

bool HasOption(const QStringList& args)
{
    const auto end = OptionsEnd(args);
    for (qsizetype i = 0; i < end; ++i) {
        const QString& a = args.at(i);
        if (a.size() > 1 && a.startsWith(QLatin1Char('-')))
            return true;
    }
    return false;
}

bool TakePlainArgs(QStringList& args, int count)
{
    if (HasOption(args))
        return false;
    if (const auto end = OptionsEnd(args); end < args.size())
        args.removeAt(end);
    return args.size() == count;
}

bool TakeDefaultArgs(QStringList& args, const CliContext& context, int count, QString& defaultPath)
{
    defaultPath = FindDefaultFile(context.exeFolder);
    return TakeOption(args, QStringLiteral("--default"), defaultPath) && TakePlainArgs(args, count);
}

bool AsksForHelp(const QStringList& args)
{
    const auto end = OptionsEnd(args);
    for (qsizetype i = 0; i < end; ++i) {
        if (args.at(i) == QLatin1String("--help") || args.at(i) == QLatin1String("-h"))
            return true;
    }
    return false;
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
    if (!result.ok)
        PrintError(QStringLiteral("qmcal-cli: %1: %2\n").arg(path, result.messageText));
    return result.ok;
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
