#pragma once

#include "cli/CliOptions.h"
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

// args are the plain arguments, as many as the command's usage names; --help already handled.
using CliHandler = int (*)(const QStringList& args, const CliOptions& options, const CliContext& context);

struct CliCommand {
    const char* name;
    const char* arguments;  // the plain arguments after the name, as the usage line shows them
    unsigned options;       // sum of CliOptionFlag
    CliHandler handler;
};

// --default FILE; when absent, the Default.dat beside the executable, else the one in the data
// folders.
QString DefaultPath(const CliOptions& options, const CliContext& context);

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

// Says on standard error why a file operation on path failed, or the note a success carries
// (a longer file's rest ignored); returns whether it succeeded.
bool FileDone(const QString& path, const FileResult& result);

// True, and said, when output is the very file of one of inputs, also through links: writing
// it would destroy what the command reads. A usage error (the same file named twice), checked
// before anything is written.
bool NamedTwice(const QString& output, const QStringList& inputs);

// A command's result on standard output. False, and "qmcal-cli: write error: REASON" said, when
// it did not all get there (a full disk, a closed output): a result nobody received is no
// success.
bool PrintOutput(const QString& text);

// The session log's line of the command's outcome: the port and file it worked on and the text
// it showed. Returns status, so that a command can end with it.
int LogOutcome(const CliContext& context, const QString& port, const QString& file, const QString& result,
               int status);

void PrintOut(const QString& text);
void PrintError(const QString& text);

} // namespace qmcal
