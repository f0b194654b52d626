#pragma once

#include "cli/CliCommand.h"

namespace qmcal {

// Commands that need no radio.

// The pages show knows: "power, rx-tuning, ..., sql-fine".
QString ShowPageNames();

int RunMakeDefault(const QStringList& args, const CliOptions& options, const CliContext& context);
int RunExport(const QStringList& args, const CliOptions& options, const CliContext& context);
int RunShow(const QStringList& args, const CliOptions& options, const CliContext& context);
// Exit 0 when the images are alike, 1 when they differ, 2 on trouble.
int RunDiff(const QStringList& args, const CliOptions& options, const CliContext& context);

} // namespace qmcal
