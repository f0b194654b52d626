// qmcal-cli: the data layer (and, through the link, the radio) for scripted work.

#include "cli/CliCommand.h"
#include "cli/DetectCommand.h"
#include "cli/OfflineCommands.h"
#include "cli/RadioCommands.h"

#include <QCoreApplication>

#include <array>

namespace {

using namespace qmcal;

// One line per command.
constexpr std::array kCommands{
    CliCommand{"make-default", "OUT.dat", &RunMakeDefault},
    CliCommand{"export", "IMAGE.dat OUT.txt [--default FILE]", &RunExport},
    CliCommand{"show", "IMAGE.dat PAGE [--default FILE]", &RunShow},
    CliCommand{"detect", "[--port NAME]...", &RunDetect},
    CliCommand{"read", "PORT OUT.dat [--default FILE]", &RunRead},
    CliCommand{"write-rssi", "IMAGE.dat PORT [--default FILE]", &RunWriteRssi},
};

QString UsageLine(const CliCommand& command)
{
    return QStringLiteral("usage: qmcal-cli %1 %2\n")
        .arg(QLatin1String(command.name), QLatin1String(command.usage));
}

QString UsageText()
{
    QString text = QStringLiteral("usage: qmcal-cli COMMAND ARGS...\n\ncommands:\n");
    for (const CliCommand& c : kCommands)
        text += QStringLiteral("  %1 %2\n").arg(QLatin1String(c.name), QLatin1String(c.usage));
    text += QStringLiteral(
        "\nPAGE is one of %1.\n"
        "--default FILE names the Default.dat to load (default: the one beside qmcal-cli).\n"
        "Exit status: 0 done, 1 failed, 2 usage error.\n")
                .arg(ShowPageNames());
    return text;
}

bool IsHelp(const QString& word)
{
    return word == QLatin1String("--help") || word == QLatin1String("-h");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        PrintError(UsageText());
        return kExitUsage;
    }
    if (IsHelp(args.first())) {
        PrintOut(UsageText());
        return kExitOk;
    }
    const QString name = args.takeFirst();
    for (const CliCommand& command : kCommands) {
        if (name != QLatin1String(command.name))
            continue;
        for (const QString& a : args) {
            if (IsHelp(a)) {
                PrintOut(UsageLine(command));
                return kExitOk;
            }
        }
        const CliContext context{QCoreApplication::applicationDirPath() + QLatin1Char('/')};
        const int status = command.handler(args, context);
        if (status == kExitUsage)
            PrintError(UsageLine(command));
        return status;
    }
    PrintError(QStringLiteral("qmcal-cli: unknown command %1\n\n").arg(name) + UsageText());
    return kExitUsage;
}
