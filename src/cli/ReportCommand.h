#pragma once

#include "cli/CliCommand.h"

namespace qmcal {

// report IMAGE [--against REF] [-o FILE]: the calibration report of a parameter file, HTML on
// standard output, or into FILE (CSV when its name ends in ".csv").
inline constexpr const char* kReportUsage = "IMAGE.dat [--against REF.dat] [-o FILE] [--default FILE]";
int RunReport(QStringList args, const CliContext& context);

} // namespace qmcal
