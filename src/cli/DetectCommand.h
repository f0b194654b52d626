#pragma once

#include "cli/CliCommand.h"

namespace qmcal {

// detect [--port NAME]...: one pass of the port probe; prints the port where the radio answered.
int RunDetect(const QStringList& args, const CliOptions& options, const CliContext& context);

} // namespace qmcal
