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

} // namespace

// read PORT OUT.dat: the menu's Read, then Save As to OUT.dat.
int RunRead(QStringList args, const CliContext& context)
{
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

    ClearBeforeSave(*session.image);
    if (!FileDone(outPath, SaveImageFileAs(*session.image, outPath)))
        return kExitFailed;
    PrintOut(session.reporter.Prompt() + QLatin1Char('\n'));
    return kExitOk;
}

// write-rssi IMAGE.dat PORT: Open IMAGE.dat, then the menu's Write Rssi.
int RunWriteRssi(QStringList args, const CliContext& context)
{
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
    return kExitOk;
}

} // namespace qmcal
