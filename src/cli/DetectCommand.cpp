#include "cli/DetectCommand.h"

#include <QCoreApplication>

#include "link/PortDetector.h"
#include "link/PortFailure.h"

namespace qmcal {

int RunDetect(const QStringList&, const CliOptions& options, const CliContext&)
{
    const QStringList names = ListPorts(options.Values(kOptPort));
    ProbeResult found = ProbePass(names, &OpenPort, [] { return false; });
    if (!found.port) {
        PrintError(names.isEmpty() ? QCoreApplication::translate("qmcal-cli", "No serial port to probe.\n")
                                   : QCoreApplication::translate("qmcal-cli", "The radio answered on none of: %1\n")
                                         .arg(names.join(QLatin1String(", "))));
        // Each port with what kept the radio from answering there.
        for (const QString& name : names) {
            const QString why = found.unopened.contains(name) ? DiagnosePort(name).reason
                                                              : QCoreApplication::translate("qmcal-cli", "no answer");
            PrintError(QStringLiteral("%1: %2\n").arg(name, why));
        }
        return kExitFailed;
    }
    found.port->Close();
    return PrintOutput(found.name + QLatin1Char('\n')) ? kExitOk : kExitFailed;
}

} // namespace qmcal
