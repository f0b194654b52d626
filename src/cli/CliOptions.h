#pragma once

#include <array>

#include <QCommandLineParser>
#include <QtGlobal>
#include <QString>
#include <QStringList>

#include "shell/Translations.h"

namespace qmcal {

// The options of every command, one bit each; a command's set is their sum.
enum CliOptionFlag : unsigned {
    kOptJson = 1U << 0,
    kOptNoBackup = 1U << 1,
    kOptVerify = 1U << 2,
    kOptPort = 1U << 3,
    kOptDefault = 1U << 4,
    kOptAgainst = 1U << 5,
    kOptOutput = 1U << 6,
    kOptLang = 1U << 7,
};

struct CliOptionRow {
    CliOptionFlag flag = kOptJson;
    const char* name = "";
    const char* valueName = nullptr;  // none for a switch
    bool repeats = false;             // may be given again, each value kept
    const char* description = "";
};

// In the order usage lines show them.
inline constexpr std::array kCliOptions{
    CliOptionRow{.flag = kOptJson, .name = "json",
                  .description = QT_TRANSLATE_NOOP("qmcal-cli", "print the result as JSON")},
    CliOptionRow{.flag = kOptNoBackup, .name = "no-backup",
                  .description = QT_TRANSLATE_NOOP("qmcal-cli", "keep no copy of the image in backup/")},
    CliOptionRow{.flag = kOptVerify, .name = "verify",
                  .description = QT_TRANSLATE_NOOP("qmcal-cli", "read the stored values back and compare them")},
    CliOptionRow{.flag = kOptPort, .name = "port", .valueName = "NAME", .repeats = true,
                  .description = QT_TRANSLATE_NOOP("qmcal-cli",
                                                   "probe NAME first, then the system's ports; may be repeated")},
    CliOptionRow{.flag = kOptAgainst, .name = "against", .valueName = "REF.dat",
                  .description = QT_TRANSLATE_NOOP("qmcal-cli",
                                                   "compare with REF.dat instead of the Default.dat loaded")},
    // One letter, so written "-o" as every tool writes it.
    CliOptionRow{.flag = kOptOutput, .name = "o", .valueName = "FILE",
                  .description = QT_TRANSLATE_NOOP(
                      "qmcal-cli", "write to FILE (CSV when it ends in .csv) instead of standard output")},
    CliOptionRow{.flag = kOptDefault, .name = "default", .valueName = "FILE",
                  .description = QT_TRANSLATE_NOOP("qmcal-cli", "the Default.dat to load")},
    CliOptionRow{.flag = kOptLang, .name = "lang", .valueName = "CODE",
                  .description = kLangDescription},
};

// Options every command takes, before its name or after it.
inline constexpr unsigned kCommonOptions = kOptLang;

// -h and --help, on every parser.
inline constexpr QLatin1String kHelpOption{"help"};

// A parser for the given options and --help. Single-dash words are long options ("-x.dat" is
// one unknown option, not five), as only -h is short.
void PrepareParser(QCommandLineParser& parser, unsigned options);

// "--json", or "-o" for a one-letter name.
QString OptionWord(const CliOptionRow& row);

// " [--json] [--default FILE]": the options as a usage line shows them.
QString OptionsUsage(unsigned options);

// The values a command line gave one command: its own options from the words after its name;
// the common ones from both sides of the name, the later winning.
class CliOptions {
public:
    CliOptions(const QCommandLineParser& command, const QCommandLineParser& beforeCommand)
        : m_command(command), m_beforeCommand(beforeCommand)
    {
    }

    bool IsSet(CliOptionFlag flag) const { return !Values(flag).isEmpty(); }
    // The last value given, empty when none.
    QString Value(CliOptionFlag flag) const;
    QStringList Values(CliOptionFlag flag) const;

private:
    const QCommandLineParser& m_command;
    const QCommandLineParser& m_beforeCommand;
};

} // namespace qmcal
