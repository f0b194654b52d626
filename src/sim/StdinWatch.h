#pragma once

namespace qmcal::sim {

// True when standard input can say "stop" by ending: a pipe, a socket or a terminal. /dev/null
// (a background job of a non-interactive shell) and plain files cannot.
bool StdinCanEnd();

// Returns when standard input has ended: a pipe or socket at its end, a terminal at Ctrl-D or
// when it is gone. A terminal is read only while this process group has it in the foreground,
// so that "qmcal-sim &" keeps serving; the caller ignores SIGTTIN and SIGTTOU beforehand.
void WaitForStdinEnd();

} // namespace qmcal::sim
