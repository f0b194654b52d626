#include "cli/CliCommand.h"

#include "data/ParamFile.h"
#include "data/RepairRanges.h"

#include <cstdio>

namespace qmcal {

bool TakeOption(QStringList& args, const QString& name, QString& value)
{
    const auto at = args.indexOf(name);
    if (at < 0)
        return true;
    if (at + 1 >= args.size())
        return false;
    value = args.at(at + 1);
    args.remove(at, 2);
    return true;
}

bool HasOption(const QStringList& args)
{
    for (const QString& a : args) {
        if (a.size() > 1 && a.startsWith(QLatin1Char('-')))
            return true;
    }
    return false;
}

bool TakeDefaultArgs(QStringList& args, const CliContext& context, int count, QString& defaultPath)
{
    defaultPath = FindDefaultFile(context.exeFolder);
    return TakeOption(args, QStringLiteral("--default"), defaultPath) && !HasOption(args)
        && args.size() == count;
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
    std::fputs(text.toUtf8().constData(), stderr);
}

} // namespace qmcal
