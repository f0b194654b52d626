#pragma once

#include "cli/CliCommand.h"

namespace qmcal {

// detect [--port NAME]...: one pass of the port probe; prints the port where the radio answered.
int RunDetect(QStringList args, const CliContext& context);

} // namespace qmcal
