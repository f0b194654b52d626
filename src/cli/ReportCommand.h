#pragma once

#include "cli/CliCommand.h"

namespace qmcal {

// report IMAGE [--against REF] [-o FILE]: the calibration report of a parameter file, HTML on
// standard output, or into FILE (CSV when its name ends in ".csv").
int RunReport(const QStringList& args, const CliOptions& options, const CliContext& context);

} // namespace qmcal
