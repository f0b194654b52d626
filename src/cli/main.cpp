// qmcal-cli: the data layer (and, through the link, the radio) for scripted work.

#include "shell/AppPaths.h"
#include "shell/Translations.h"
#include "cli/CliCommand.h"
#include "cli/DetectCommand.h"
#include "cli/OfflineCommands.h"
#include "cli/RadioCommands.h"
#include "cli/ReportCommand.h"
#include "data/ReadBackup.h"
#include "data/SessionLog.h"
#include "qmcal/Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QList>
#include <QPair>

#include <algorithm>
#include <array>

namespace {

using namespace qmcal;

// One line per command: its plain arguments and its options.
constexpr std::array kCommands{
    CliCommand{"make-default", "OUT.dat", 0, &RunMakeDefault},
    CliCommand{"export", "IMAGE.dat OUT.txt", kOptDefault, &RunExport},
    CliCommand{"show", "IMAGE.dat PAGE", kOptJson | kOptDefault, &RunShow},
    CliCommand{"diff", "A.dat B.dat", kOptJson | kOptDefault, &RunDiff},
    CliCommand{"detect", "", kOptPort, &RunDetect},
    CliCommand{"read", "PORT OUT.dat", kOptNoBackup | kOptDefault, &RunRead},
    CliCommand{"verify", "IMAGE.dat PORT", kOptJson | kOptDefault, &RunVerify},
    CliCommand{"write-rssi", "IMAGE.dat PORT", kOptVerify | kOptDefault, &RunWriteRssi},
    CliCommand{"report", "IMAGE.dat", kOptAgainst | kOptOutput | kOptDefault, &RunReport},
};

QString CommandUsage(const CliCommand& command)
{
    return (QLatin1String(command.arguments) + OptionsUsage(command.options | kCommonOptions)).trimmed();
}

QString UsageLine(const CliCommand& command)
{
    return QCoreApplication::translate("qmcal-cli", "usage: qmcal-cli %1 %2\n")
        .arg(QLatin1String(command.name), CommandUsage(command));
}

// Two columns, which help2man also keeps apart in the man page.
QString Columns(const QList<QPair<QString, QString>>& rows)
{
    qsizetype width = 0;
    for (const auto& row : rows)
        width = std::max(width, row.first.size());
    QString text;
    for (const auto& [left, right] : rows)
        text += QStringLiteral("  %1  %2\n").arg(left.leftJustified(width), right);
    return text;
}

QString UsageText()
{
    QList<QPair<QString, QString>> commands;
    for (const CliCommand& c : kCommands)
        commands.append({QLatin1String(c.name), CommandUsage(c)});
    QList<QPair<QString, QString>> options;
    for (const CliOptionRow& row : kCliOptions) {
        QStringList takers;
        if ((kCommonOptions & row.flag) != 0)
            takers << QCoreApplication::translate("qmcal-cli", "every command");
        for (const CliCommand& c : kCommands) {
            if ((kCommonOptions & row.flag) == 0 && (c.options & row.flag) != 0)
                takers << QLatin1String(c.name);
        }
        QString option = OptionWord(row);
        if (row.valueName != nullptr)
            option += QLatin1Char(' ') + QLatin1String(row.valueName);
        options.append({option, QStringLiteral("%1 (%2)").arg(QCoreApplication::translate("qmcal-cli", row.description),
                                                                takers.join(QStringLiteral(", ")))});
    }
    options.append({QStringLiteral("-h, --help"), QCoreApplication::translate("qmcal-cli", "show this help; after a command, its own")});
    options.append({QStringLiteral("--version"), QCoreApplication::translate("qmcal-cli", "show the version")});
    return QCoreApplication::translate("qmcal-cli", "usage: qmcal-cli COMMAND ARGS...\n"
                                                    "       qmcal-cli --help | --version\n\ncommands:\n")
        + Columns(commands) + QCoreApplication::translate("qmcal-cli", "\noptions:\n") + Columns(options)
        + QCoreApplication::translate(
              "qmcal-cli",
              "\nPAGE is one of %1.\n"
              "--default FILE names the Default.dat to load (default: the one beside qmcal-cli,\n"
              "else qmcal/Default.dat in $XDG_DATA_HOME or $XDG_DATA_DIRS, such as /usr/share).\n"
              "read also keeps a copy of the image in backup/ in the data folder (DATA beside\n"
              "qmcal-cli, or ~/Documents/qmcal once installed; the newest %2 are kept).\n"
              "make-default, export, read, verify and write-rssi add a line each to the session\n"
              "log, log/qmcal-YYYYMMDD.log in the data folder ($QMCAL_DATA_DIR when set).\n"
              "-- ends the options: every word after it is a file or port name.\n"
              "An option's value may also follow it after \"=\", as in --default=FILE.\n"
              "Exit status: 0 done, 1 failed, 2 usage error; diff and verify: 0 alike,\n"
              "1 different, 2 a file that cannot be read, a failed Read or a usage error.\n")
              .arg(ShowPageNames())
              .arg(kBackupsKept);
}

// The command's usage line, then the options as Qt lists them (its own first line names the
// executable without the command, so it is left out).
QString CommandHelp(const CliCommand& command, const QCommandLineParser& parser)
{
    const QString qtHelp = parser.helpText();
    return UsageLine(command) + qtHelp.mid(qtHelp.indexOf(QLatin1Char('\n')) + 1);
}

qsizetype ArgumentCount(const CliCommand& command)
{
    return QString::fromLatin1(command.arguments).split(QLatin1Char(' '), Qt::SkipEmptyParts).size();
}

// The words after the command's name through the command's own parser.
int RunCommand(const CliCommand& command, const QStringList& words, const QCommandLineParser& beforeCommand,
               Translations& translations)
{
    QCommandLineParser parser;
    PrepareParser(parser, command.options | kCommonOptions);
    // Help wins over any mistake beside it, as it always did.
    const bool parsed = parser.parse(QCoreApplication::arguments().first(1) + words);
    if (parsed)
        translations.Use(CliOptions(parser, beforeCommand).Value(kOptLang));
    if (parser.isSet(kHelpOption)) {
        PrintOut(CommandHelp(command, parser));
        return kExitOk;
    }
    if (!parsed) {
        PrintError(QStringLiteral("qmcal-cli: %1\n").arg(parser.errorText()) + UsageLine(command));
        return kExitUsage;
    }
    const QStringList args = parser.positionalArguments();
    if (args.size() != ArgumentCount(command)) {
        PrintError(UsageLine(command));
        return kExitUsage;
    }
    const QString exeFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    // The same DATA folder as the window's, decided the same way.
    const QString dataFolder = ResolveLocations(exeFolder).dataFolder;
    // A log that cannot be written costs no command.
    SessionLog log([](const QString& text) {
        PrintError(QCoreApplication::translate("qmcal-cli", "qmcal-cli: warning: %1\n").arg(text));
    });
    log.SetDataFolder(dataFolder);
    const CliContext context{exeFolder, dataFolder, &log, QLatin1String(command.name)};
    const int status = command.handler(args, CliOptions(parser, beforeCommand), context);
    if (status == kExitUsage)
        PrintError(UsageLine(command));
    return status == kExitTrouble ? kExitUsage : status;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Up to the command's name: --help, --version and the options every command takes; the
    // name and every word after it are the command's.
    QCommandLineParser parser;
    PrepareParser(parser, kCommonOptions);
    const QCommandLineOption version(QStringLiteral("version"), QCoreApplication::translate("qmcal-cli", "show the version"));
    parser.addOption(version);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(QCoreApplication::arguments())) {
        PrintError(QStringLiteral("qmcal-cli: %1\n\n").arg(parser.errorText()) + UsageText());
        return kExitUsage;
    }
    Translations translations;
    translations.Use(CliOptions(parser, parser).Value(kOptLang));
    if (parser.isSet(version)) {
        PrintOut(QStringLiteral("qmcal-cli %1\n").arg(QLatin1String(kVersion)));
        return kExitOk;
    }
    if (parser.isSet(kHelpOption)) {
        PrintOut(UsageText());
        return kExitOk;
    }
    QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        PrintError(UsageText());
        return kExitUsage;
    }
    const QString name = words.takeFirst();
    for (const CliCommand& command : kCommands) {
        if (name == QLatin1String(command.name))
            return RunCommand(command, words, parser, translations);
    }
    PrintError(QCoreApplication::translate("qmcal-cli", "qmcal-cli: unknown command %1\n\n").arg(name) + UsageText());
    return kExitUsage;
}
