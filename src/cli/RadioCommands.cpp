#include "cli/RadioCommands.h"

#include <QCoreApplication>

#include <unistd.h>

#include <array>
#include <memory>

#include <QDateTime>

#include "cli/CliFormat.h"
#include "cli/CliReporter.h"
#include "data/ImageDiff.h"
#include "data/Layouts.h"
#include "data/ParamFile.h"
#include "data/ReadBackup.h"
#include "data/RepairRanges.h"
#include "data/SessionLog.h"
#include "data/WriteCheck.h"
#include "link/PortFailure.h"
#include "link/RadioLink.h"

namespace qmcal {

namespace {

// The image, the link and its reporter for one command, as the program has them after New.
// file is the one the command works on, for the session log.
struct RadioSession {
    RadioSession(const CliContext& commandContext, const QString& defaultPath, const QString& commandFile)
        : context(commandContext), file(commandFile)
    {
        LoadDefaultImage(*image, defaultPath);
        link.SetSessionLog(context.log);
    }

    // The port as the port dialog opens it; false (and said so) when it cannot be opened.
    bool OpenPortNamed(const QString& name)
    {
        std::unique_ptr<SerialPort> port = OpenPort(name, kChosenProfile);
        if (!port) {
            const QString text = OpenFailedText(QCoreApplication::translate("qmcal-cli", "Open port fail!"), name, DiagnosePort(name));
            PrintError(text + QLatin1Char('\n'));
            LogOutcome(context, name, file, text, kExitFailed);
            return false;
        }
        link.SetCurrentPortName(name);
        link.LogPortOpened(*port);
        link.SetPort(std::move(port));
        return true;
    }

    // The outcome the Prompt field would show, on standard error.
    int Fail()
    {
        reporter.EndProgress();
        PrintError(reporter.Prompt() + QLatin1Char('\n'));
        return Log(reporter.Prompt(), kExitFailed);
    }

    // The session log's line of the outcome.
    int Log(const QString& result, int status) const
    {
        return LogOutcome(context, link.CurrentPortName(), file, result, status);
    }

    const CliContext& context;
    QString file;
    std::unique_ptr<ParamImage> image = std::make_unique<ParamImage>();
    CommandNameMap names = MakeCommandNameMap();
    CliReporter reporter{isatty(STDERR_FILENO) == 1};
    RadioLink link{*image, names, reporter};
};

// What write-rssi --verify compares.
constexpr std::array<const PageTable*, 1> kRssiPage{&kRssiTable};

// Reads back the blocks that hold the RSSI records and compares what the radio keeps with what
// was stored, in the window's words. Says nothing when all was kept.
int VerifyStoredRssi(RadioSession& session)
{
    auto stored = std::make_unique<ParamImage>();
    CopyImage(*session.image, *stored);
    const AddressRanges ranges = RecordRanges(kRssiLayout);
    for (const auto& [start, end] : BlockRuns(ranges)) {
        if (!session.link.ReadAll(static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(end))) {
            session.reporter.EndProgress();
            const QString text = VerifyNotReadText(session.reporter.Prompt());
            PrintError(text);
            return session.Log(text.trimmed(), kExitFailed);
        }
    }
    session.reporter.EndProgress();
    // Only the stored bytes count: the rest of the blocks was never sent.
    const RangeDiff check = DiffRanges(*stored, session.image->ParamArea(), ranges, kRssiPage);
    if (check.bytes == 0)
        return kExitOk;
    const QString text = VerifyFailedText(check);
    PrintError(text);
    return session.Log(text.section(QLatin1Char('\n'), 0, 0), kExitFailed);
}

} // namespace

// read PORT OUT.dat: the menu's Read, then Save As to OUT.dat.
int RunRead(const QStringList& args, const CliOptions& options, const CliContext& context)
{
    const bool backup = !options.IsSet(kOptNoBackup);
    const QString defaultPath = DefaultPath(options, context);
    const QString& portName = args.at(0);
    const QString& outPath = args.at(1);
    if (NamedTwice(outPath, {portName, defaultPath}))
        return kExitUsage;

    RadioSession session(context, defaultPath, outPath);
    if (!session.OpenPortNamed(portName))
        return kExitFailed;
    if (!session.link.ReadAll(kCalibrationStart, kCalibrationEnd))
        return session.Fail();
    session.reporter.EndProgress();
    RepairRanges(*session.image);
    // Before OUT.dat, so the radio's values are kept even when OUT.dat cannot be written.
    if (backup) {
        QString keptPath;
        const FileResult kept = KeepReadBackup(*session.image, context.dataFolder, QDateTime::currentDateTime(),
                                               kBackupsKept, &keptPath);
        LogOutcome(context, portName, BackupFolder(context.dataFolder),
                   kept.ok ? QStringLiteral("backup written") : kept.messageText, kExitOk);
        // Standard output stays the Prompt's text alone.
        if (kept.ok)
            PrintError(QCoreApplication::translate("qmcal-cli", "Backup: %1\n").arg(keptPath));
        else
            PrintError(QCoreApplication::translate("qmcal-cli", "qmcal-cli: warning: %1\n").arg(kept.messageText));
    }

    ClearBeforeSave(*session.image);
    const FileResult saved = SaveImageFileAs(*session.image, outPath);
    if (!FileDone(outPath, saved))
        return session.Log(saved.messageText, kExitFailed);
    if (!PrintOutput(session.reporter.Prompt() + QLatin1Char('\n')))
        return kExitFailed;
    return session.Log(session.reporter.Prompt(), kExitOk);
}

// write-rssi IMAGE.dat PORT: Open IMAGE.dat, then the menu's Write Rssi.
int RunWriteRssi(const QStringList& args, const CliOptions& options, const CliContext& context)
{
    const bool verify = options.IsSet(kOptVerify);
    const QString defaultPath = DefaultPath(options, context);
    const QString& imagePath = args.at(0);
    const QString& portName = args.at(1);

    RadioSession session(context, defaultPath, imagePath);
    const FileResult opened = OpenImageFile(*session.image, imagePath);
    if (!FileDone(imagePath, opened))
        return LogOutcome(context, portName, imagePath, opened.messageText, kExitFailed);
    RepairRanges(*session.image);

    if (!session.OpenPortNamed(portName))
        return kExitFailed;
    if (session.link.StoreRanges(kRssiLayout, 0, kRssiLayout.SlotCount()) != ExchangeResult::Ok)
        return session.Fail();
    // The store's own text, kept before the read-back replaces the Prompt's.
    const QString done = session.reporter.Prompt();
    // A store the radio did not keep is no "Complete".
    if (verify && VerifyStoredRssi(session) != kExitOk)
        return kExitFailed;
    if (!PrintOutput(done + QLatin1Char('\n')))
        return kExitFailed;
    return session.Log(done, kExitOk);
}

// verify IMAGE.dat PORT: the menu's Read, compared with IMAGE.dat.
int RunVerify(const QStringList& args, const CliOptions& options, const CliContext& context)
{
    const bool json = options.IsSet(kOptJson);
    const QString defaultPath = DefaultPath(options, context);
    const QString& imagePath = args.at(0);
    const QString& portName = args.at(1);

    RadioSession session(context, defaultPath, imagePath);
    auto expected = std::make_unique<ParamImage>();
    CopyImage(*session.image, *expected);
    QString why;
    if (!OpenLoadedImage(*expected, imagePath, &why))
        return LogOutcome(context, portName, imagePath, why, kExitTrouble);
    // The radio's region goes over IMAGE's own bytes: the rows carry IMAGE's frequencies, and
    // nothing outside the region can differ.
    CopyImage(*expected, *session.image);
    if (!session.OpenPortNamed(portName))
        return kExitTrouble;
    if (!session.link.ReadAll(kCalibrationStart, kCalibrationEnd)) {
        session.Fail();
        return kExitTrouble;
    }
    session.reporter.EndProgress();
    // No range repair of the radio's bytes: a value out of range in the radio must show, not
    // be covered by the default's.
    const ImageDiff diff = DiffImages(*expected, *session.image);
    const QString radio = QStringLiteral("radio on %1").arg(portName);
    const QString matches = QStringLiteral("The radio matches %1 (%2 values compared)").arg(imagePath).arg(diff.compared);
    QString shown = DiffReport(diff, imagePath, radio);
    if (json)
        shown = DiffJson(diff, imagePath, radio);
    else if (diff.Empty())
        shown = matches + QLatin1Char('\n');
    if (!PrintOutput(shown))
        return kExitTrouble;
    if (diff.Empty())
        return session.Log(matches, kExitOk);
    return session.Log(QStringLiteral("Verify failed: %1 values differ").arg(diff.cells.size() + diff.bytes.size()),
                       kExitFailed);
}

} // namespace qmcal
