#include "cli/RadioCommands.h"

#include <unistd.h>

#include <array>
#include <memory>

#include "cli/CliFormat.h"
#include "cli/CliReporter.h"
#include "data/ImageDiff.h"
#include "data/Layouts.h"
#include "data/ParamFile.h"
#include "data/ReadBackup.h"
#include "data/RepairRanges.h"
#include "data/WriteCheck.h"
#include "link/RadioLink.h"

namespace qmcal {

namespace {

// The image, the link and its reporter for one command, as the program has them after New.
struct RadioSession {
    explicit RadioSession(const QString& defaultPath)
    {
        LoadDefaultImage(*image, defaultPath);
    }

    // The port as the port dialog opens it; false (and said so) when it cannot be opened.
    bool OpenPortNamed(const QString& name)
    {
        std::unique_ptr<SerialPort> port = OpenPort(name, kChosenProfile);
        if (!port) {
            PrintError(QStringLiteral("Open port fail!\n"));
            return false;
        }
        link.SetCurrentPortName(name);
        link.SetPort(std::move(port));
        return true;
    }

    // The outcome the Prompt field would show, on standard error.
    int Fail()
    {
        reporter.EndProgress();
        PrintError(reporter.Prompt() + QLatin1Char('\n'));
        return kExitFailed;
    }

    std::unique_ptr<ParamImage> image = std::make_unique<ParamImage>();
    CommandNameMap names = MakeCommandNameMap();
    CliReporter reporter{isatty(STDERR_FILENO) == 1};
    RadioLink link{*image, names, reporter};
};

// What write-rssi --verify compares.
constexpr std::array<const PageTable*, 1> kRssiPage{&kRssiTable};

// Reads back the blocks that hold the RSSI records and compares what the radio keeps with what
// was stored.
int VerifyStoredRssi(RadioSession& session)
{
    auto stored = std::make_unique<ParamImage>();
    CopyImage(*session.image, *stored);
    for (const auto& [start, end] : BlockRuns(RecordRanges(kRssiLayout))) {
        if (!session.link.ReadAll(static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(end)))
            return session.Fail();
    }
    session.reporter.EndProgress();
    // Only the stored bytes count: the rest of the blocks was never sent.
    int differing = 0;
    for (const auto& [start, end] : RecordRanges(kRssiLayout)) {
        for (int a = start; a < end; ++a) {
            const auto at = static_cast<std::size_t>(a);
            differing += stored->ParamArea()[at] != session.image->ParamArea()[at] ? 1 : 0;
        }
    }
    if (differing == 0)
        return kExitOk;
    const ImageDiff diff = DiffImages(*stored, *session.image, kRssiPage, 0, 0);
    PrintError(QStringLiteral("Verify failed: %1 bytes differ\n").arg(differing) + DiffText(diff));
    return kExitFailed;
}

} // namespace

// read PORT OUT.dat: the menu's Read, then Save As to OUT.dat.
int RunRead(QStringList args, const CliContext& context)
{
    const bool backup = !TakeSwitch(args, QStringLiteral("--no-backup"));
    QString defaultPath;
    if (!TakeDefaultArgs(args, context, 2, defaultPath))
        return kExitUsage;
    const QString& portName = args.at(0);
    const QString& outPath = args.at(1);

    RadioSession session(defaultPath);
    if (!session.OpenPortNamed(portName))
        return kExitFailed;
    if (!session.link.ReadAll(kCalibrationStart, kCalibrationEnd))
        return session.Fail();
    session.reporter.EndProgress();
    RepairRanges(*session.image);
    // Before OUT.dat, so the radio's values are kept even when OUT.dat cannot be written.
    if (backup) {
        if (const FileResult kept = KeepReadBackup(*session.image, context.dataFolder); !kept.ok)
            PrintError(QStringLiteral("qmcal-cli: warning: %1\n").arg(kept.messageText));
    }

    ClearBeforeSave(*session.image);
    if (!FileDone(outPath, SaveImageFileAs(*session.image, outPath)))
        return kExitFailed;
    PrintOut(session.reporter.Prompt() + QLatin1Char('\n'));
    return kExitOk;
}

// write-rssi IMAGE.dat PORT: Open IMAGE.dat, then the menu's Write Rssi.
int RunWriteRssi(QStringList args, const CliContext& context)
{
    const bool verify = TakeSwitch(args, QStringLiteral("--verify"));
    QString defaultPath;
    if (!TakeDefaultArgs(args, context, 2, defaultPath))
        return kExitUsage;
    const QString& imagePath = args.at(0);
    const QString& portName = args.at(1);

    RadioSession session(defaultPath);
    if (!FileDone(imagePath, OpenImageFile(*session.image, imagePath)))
        return kExitFailed;
    RepairRanges(*session.image);

    if (!session.OpenPortNamed(portName))
        return kExitFailed;
    if (session.link.StoreRanges(kRssiLayout, 0, kRssiLayout.SlotCount()) != ExchangeResult::Ok)
        return session.Fail();
    PrintOut(session.reporter.Prompt() + QLatin1Char('\n'));
    return verify ? VerifyStoredRssi(session) : kExitOk;
}

// verify IMAGE.dat PORT: the menu's Read, compared with IMAGE.dat.
int RunVerify(QStringList args, const CliContext& context)
{
    const bool json = TakeSwitch(args, QStringLiteral("--json"));
    QString defaultPath;
    if (!TakeDefaultArgs(args, context, 2, defaultPath))
        return kExitUsage;
    const QString& imagePath = args.at(0);
    const QString& portName = args.at(1);

    RadioSession session(defaultPath);
    auto expected = std::make_unique<ParamImage>();
    CopyImage(*session.image, *expected);
    if (!OpenLoadedImage(*expected, imagePath))
        return kExitTrouble;
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
    PrintOut(json ? DiffJson(diff) : DiffText(diff));
    return diff.Empty() ? kExitOk : kExitFailed;
}

} // namespace qmcal
