#pragma once

#include "cli/CliCommand.h"

namespace qmcal {

// Commands that need no radio.
inline constexpr char kShowPageNames[] =
    "power, rx-tuning, tx-mod, signal-mod, tone-mod, rx-test, sql, rssi, sql-fine";

int RunMakeDefault(QStringList args, const CliContext& context);
int RunExport(QStringList args, const CliContext& context);
int RunShow(QStringList args, const CliContext& context);

} // namespace qmcal
