#include "cli/DetectCommand.h"

#include "link/PortDetector.h"

namespace qmcal {

int RunDetect(const QStringList&, const CliOptions& options, const CliContext&)
{
    const QStringList names = ListPorts(options.Values(kOptPort));
    ProbeResult found = ProbePass(names, &OpenPort, [] { return false; });
    if (!found.port) {
        PrintError(names.isEmpty() ? QStringLiteral("No serial port to probe.\n")
                                   : QStringLiteral("The radio answered on none of: %1\n")
                                         .arg(names.join(QLatin1String(", "))));
        return kExitFailed;
    }
    found.port->Close();
    return PrintOutput(found.name + QLatin1Char('\n')) ? kExitOk : kExitFailed;
}

} // namespace qmcal
