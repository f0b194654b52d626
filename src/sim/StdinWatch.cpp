#include "sim/StdinWatch.h"

#include <cerrno>
#include <chrono>
#include <thread>

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qmcal::sim {

namespace {

constexpr int kLookMs = 200;

// Another process group owns the terminal. A terminal that is not ours to control (no job
// control applies) counts as foreground, as does one that has gone away, so that its end is seen.
bool InBackground()
{
    const pid_t foreground = ::tcgetpgrp(STDIN_FILENO);
    return foreground >= 0 && foreground != ::getpgrp();
}

// Drains what is there; false once the input has ended.
bool ReadSome()
{
    char buffer[256];
    const auto got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got > 0)
        return true;
    if (got == 0)
        return false;
    // EIO: moved to the background between the look and the read.
    return errno == EINTR || (errno == EIO && InBackground());
}

} // namespace

bool StdinCanEnd()
{
    struct stat st {};
    if (::fstat(STDIN_FILENO, &st) != 0)
        return false;
    return S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode) || ::isatty(STDIN_FILENO);
}

void WaitForStdinEnd()
{
    if (!::isatty(STDIN_FILENO)) {
        while (ReadSome()) {
        }
        return;
    }
    while (true) {
        if (InBackground()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kLookMs));
            continue;
        }
        pollfd in{STDIN_FILENO, POLLIN, 0};
        if (::poll(&in, 1, kLookMs) <= 0 || InBackground())
            continue;
        if (!ReadSome())
            return;
    }
}

} // namespace qmcal::sim
