#include "cli/CliCommand.h"

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
        if (a.startsWith(QLatin1String("--")))
            return true;
    }
    return false;
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
