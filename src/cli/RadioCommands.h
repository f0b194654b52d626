#pragma once

#include "cli/CliCommand.h"

namespace qmcal {

// Commands that talk to the radio over a serial port.
int RunRead(QStringList args, const CliContext& context);
int RunWriteRssi(QStringList args, const CliContext& context);

} // namespace qmcal
