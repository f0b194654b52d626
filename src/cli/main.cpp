// qmcal-cli: the data layer (and, through the link, the radio) for scripted work.

#include "shell/AppPaths.h"
#include "cli/CliCommand.h"
#include "cli/DetectCommand.h"
#include "cli/OfflineCommands.h"
#include "cli/RadioCommands.h"
#include "cli/ReportCommand.h"
#include "data/ReadBackup.h"
#include "qmcal/Version.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

using namespace qmcal;

// One line per command.
constexpr std::array kCommands{
    CliCommand{"make-default", "OUT.dat", &RunMakeDefault},
    CliCommand{"export", "IMAGE.dat OUT.txt [--default FILE]", &RunExport},
    CliCommand{"show", "IMAGE.dat PAGE [--json] [--default FILE]", &RunShow},
    CliCommand{"diff", "A.dat B.dat [--json] [--default FILE]", &RunDiff},
    CliCommand{"detect", "[--port NAME]...", &RunDetect},
    CliCommand{"read", "PORT OUT.dat [--no-backup] [--default FILE]", &RunRead},
    CliCommand{"verify", "IMAGE.dat PORT [--json] [--default FILE]", &RunVerify},
    CliCommand{"write-rssi", "IMAGE.dat PORT [--verify] [--default FILE]", &RunWriteRssi},
    CliCommand{"report", kReportUsage, &RunReport},
};

QString UsageLine(const CliCommand& command)
{
    return QStringLiteral("usage: qmcal-cli %1 %2\n")
        .arg(QLatin1String(command.name), QLatin1String(command.usage));
}

QString UsageText()
{
    QString text = QStringLiteral("usage: qmcal-cli COMMAND ARGS...\n"
                                  "       qmcal-cli --help | --version\n\ncommands:\n");
    // Names and arguments in two columns, which help2man also keeps apart in the man page.
    qsizetype width = 0;
    for (const CliCommand& c : kCommands)
        width = std::max(width, qsizetype(std::strlen(c.name)));
    for (const CliCommand& c : kCommands) {
        text += QStringLiteral("  %1  %2\n")
                    .arg(QString::fromLatin1(c.name).leftJustified(width), QLatin1String(c.usage));
    }
    text += QStringLiteral(
        "\nPAGE is one of %1.\n"
        "--default FILE names the Default.dat to load (default: the one beside qmcal-cli,\n"
        "else qmcal/Default.dat in $XDG_DATA_HOME or $XDG_DATA_DIRS, such as /usr/share).\n"
        "read also keeps a copy of the image in backup/ in the data folder (DATA beside\n"
        "qmcal-cli, or ~/Documents/qmcal once installed; the newest %2 are kept).\n"
        "-- ends the options: every word after it is a file or port name.\n"
        "Exit status: 0 done, 1 failed, 2 usage error; diff and verify: 0 alike,\n"
        "1 different, 2 a file that cannot be read, a failed Read or a usage error.\n")
                .arg(ShowPageNames())
                .arg(kBackupsKept);
    return text;
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
    if (args.first() == QLatin1String("--version")) {
        PrintOut(QStringLiteral("qmcal-cli %1\n").arg(QLatin1String(kVersion)));
        return kExitOk;
    }
    if (AsksForHelp(args.first(1))) {
        PrintOut(UsageText());
        return kExitOk;
    }
    const QString name = args.takeFirst();
    for (const CliCommand& command : kCommands) {
        if (name != QLatin1String(command.name))
            continue;
        if (AsksForHelp(args)) {
            PrintOut(UsageLine(command));
            return kExitOk;
        }
        const QString exeFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
        // The same DATA folder as the window's, decided the same way.
        const CliContext context{exeFolder, ResolveLocations(exeFolder).dataFolder};
        const int status = command.handler(args, context);
        if (status == kExitUsage)
            PrintError(UsageLine(command));
        return status == kExitTrouble ? kExitUsage : status;
    }
    PrintError(QStringLiteral("qmcal-cli: unknown command %1\n\n").arg(name) + UsageText());
    return kExitUsage;
}
