#include "cli/RadioCommands.h"

#include <unistd.h>

#include <memory>

#include "cli/CliReporter.h"
#include "data/Layouts.h"
#include "data/ParamFile.h"
#include "data/RepairRanges.h"
#include "link/RadioLink.h"

namespace qmcal {

namespace {

// The image, the link and its reporter for one command, as the program has them after New.
struct RadioSession {
    explicit RadioSession(const QString& defaultPath)
    {
        NewImage(*image, defaultPath);
        RepairRanges(*image);
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

bool TakeDefault(QStringList& args, const CliContext& context, int count, QString& defaultPath)
{
    defaultPath = DefaultFilePath(context.exeFolder);
    return TakeOption(args, QStringLiteral("--default"), defaultPath) && !HasOption(args)
        && args.size() == count;
}

} // namespace

// read PORT OUT.dat: the menu's Read, then Save As to OUT.dat.
int RunRead(QStringList args, const CliContext& context)
{
    QString defaultPath;
    if (!TakeDefault(args, context, 2, defaultPath))
        return kExitUsage;
    const QString& portName = args.at(0);
    const QString& outPath = args.at(1);

    RadioSession session(defaultPath);
    if (!session.OpenPortNamed(portName))
        return kExitFailed;
    if (session.link.ReadAll(kCalibrationStart, kCalibrationEnd) != 1)
        return session.Fail();
    session.reporter.EndProgress();
    RepairRanges(*session.image);

    ClearBeforeSave(*session.image);
    const FileResult saved = SaveImageFileAs(*session.image, outPath);
    if (!saved.ok) {
        PrintError(QStringLiteral("qmcal-cli: %1: %2\n").arg(outPath, saved.messageText));
        return kExitFailed;
    }
    PrintOut(session.reporter.Prompt() + QLatin1Char('\n'));
    return kExitOk;
}

// write-rssi IMAGE.dat PORT: Open IMAGE.dat, then the menu's Write Rssi.
int RunWriteRssi(QStringList args, const CliContext& context)
{
    QString defaultPath;
    if (!TakeDefault(args, context, 2, defaultPath))
        return kExitUsage;
    const QString& imagePath = args.at(0);
    const QString& portName = args.at(1);

    RadioSession session(defaultPath);
    const FileResult opened = OpenImageFile(*session.image, imagePath);
    if (!opened.ok) {
        PrintError(QStringLiteral("qmcal-cli: %1: %2\n").arg(imagePath, opened.messageText));
        return kExitFailed;
    }
    RepairRanges(*session.image);

    if (!session.OpenPortNamed(portName))
        return kExitFailed;
    if (session.link.StoreRanges(kRssiLayout, 0, kRssiLayout.SlotCount()) != ExchangeResult::Ok)
        return session.Fail();
    PrintOut(session.reporter.Prompt() + QLatin1Char('\n'));
    return kExitOk;
}

} // namespace qmcal
