#pragma once

#include "cli/CliCommand.h"

namespace qmcal {

// Commands that talk to the radio over a serial port.
int RunRead(const QStringList& args, const CliOptions& options, const CliContext& context);
int RunWriteRssi(const QStringList& args, const CliOptions& options, const CliContext& context);
// Exit 0 when the radio holds IMAGE's calibration region, 1 when it differs, 2 on trouble.
int RunVerify(const QStringList& args, const CliOptions& options, const CliContext& context);

} // namespace qmcal
