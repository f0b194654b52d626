#pragma once

#include "data/FileResult.h"
#include "data/ParamImage.h"

#include <QString>
#include <QStringList>

namespace qmcal {

class SessionLog;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // the work failed; the reason is on standard error
constexpr int kExitUsage = 2;   // bad arguments; main prints the command's usage
// diff and verify end with 2 on trouble too (a file that cannot be read, a failed Read), as
// diff and cmp do; the command has said why, so main adds no usage line.
constexpr int kExitTrouble = -2;

struct CliContext {
    QString exeFolder;   // with its trailing separator
    QString dataFolder;  // the window's DATA folder; read keeps its backups there
    SessionLog* log = nullptr;  // where each command's outcome goes
    QString command;            // the command's name, for the log
};

// args are the words after the command name, --help already handled.
using CliHandler = int (*)(QStringList args, const CliContext& context);

struct CliCommand {
    const char* name;
    const char* usage;  // the arguments after the name
    CliHandler handler;
};

// Options stand before the first "--"; every word after it is a plain argument, so that a
// file named "-x.dat" can be given.

// Removes "--name VALUE" from args and stores VALUE. False when the option has no value.
bool TakeOption(QStringList& args, const QString& name, QString& value);

// Removes every "--name VALUE" from args and appends the values. False when one has no value.
bool TakeOptions(QStringList& args, const QString& name, QStringList& values);

// Removes "--name" from args; whether it was there.
bool TakeSwitch(QStringList& args, const QString& name);

// True when args still hold a word that looks like an option ("-x" or "--name").
bool HasOption(const QStringList& args);

// Once every option is taken: false when a word that looks like an option is left, otherwise
// removes the "--" and checks that exactly count plain arguments remain.
bool TakePlainArgs(QStringList& args, int count);

// Takes "--default FILE" (when absent, the Default.dat beside the executable, else the one in
// the data folders), then the plain arguments as TakePlainArgs does.
bool TakeDefaultArgs(QStringList& args, const CliContext& context, int count, QString& defaultPath);

// True when "--help" or "-h" stands among the options.
bool AsksForHelp(const QStringList& args);

// New from the default image, then the range repair, as the program starts. A default image
// that cannot be read leaves zeros, as in the program, but is said on standard error.
void LoadDefaultImage(ParamImage& image, const QString& defaultPath);

// New from the default image, then the image file, each followed by the range repair, as the
// program does at start-up and on Open. False (and said so, and the reason in why if given)
// when the file cannot be opened.
bool LoadImage(ParamImage& image, const QString& defaultPath, const QString& imagePath, QString* why = nullptr);

// Open of the image file into an image New has filled, then the range repair.
bool OpenLoadedImage(ParamImage& image, const QString& imagePath, QString* why = nullptr);

// All three buffers.
void CopyImage(const ParamImage& from, ParamImage& to);

// Says on standard error why a file operation on path failed; returns whether it succeeded.
bool FileDone(const QString& path, const FileResult& result);

// The session log's line of the command's outcome: the port and file it worked on and the text
// it showed. Returns status, so that a command can end with it.
int LogOutcome(const CliContext& context, const QString& port, const QString& file, const QString& result,
               int status);

void PrintOut(const QString& text);
void PrintError(const QString& text);

} // namespace qmcal
