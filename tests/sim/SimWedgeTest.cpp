// Nothing a user or a client does leaves the simulator unusable: not running it as a background
// job of an interactive shell, not a client that dies while it holds the line exclusively.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include "HexBytes.h"
#include "PtyClient.h"
#include "sim/PtyHost.h"

namespace qmcal::sim {
namespace {

using test::Hex;
using test::PtyClient;
using test::ToHex;
using Clock = std::chrono::steady_clock;

template <typename Condition>
bool Eventually(Condition condition, std::chrono::seconds limit = std::chrono::seconds(10))
{
    const auto deadline = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

bool Answers(const std::string& path)
{
    PtyClient client(path);
    return client.IsOpen() && client.Write(Hex("57 00 00 00")) && ToHex(client.Read(4)) == "52 00 41 00";
}

// qmcal-sim started with "&" from an interactive shell: its standard input is the controlling
// terminal of a session whose foreground belongs to another process group (the shell's).
class BackgroundJob {
public:
    BackgroundJob()
    {
        std::string sim = std::string(QMCAL_BIN_DIR) + "/qmcal-sim";
        char* argv[] = {sim.data(), nullptr};
        m_terminal = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        char name[128] = {};
        if (m_terminal < 0 || ::grantpt(m_terminal) != 0 || ::unlockpt(m_terminal) != 0 ||
            ::ptsname_r(m_terminal, name, sizeof name) != 0)
            return;
        int out[2], pid[2], fg[2];
        if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(pid, O_CLOEXEC) != 0 || ::pipe2(fg, O_CLOEXEC) != 0)
            return;
        // The "shell": a session leader owning the terminal, in the foreground itself.
        m_shell = ::fork();
        if (m_shell == 0) {
            ::setsid();
            const int tty = ::open(name, O_RDWR | O_CLOEXEC);
            ::ioctl(tty, TIOCSCTTY, 0);
            const pid_t job = ::fork();
            if (job == 0) {
                ::setpgid(0, 0);
                ::dup2(tty, STDIN_FILENO);
                ::dup2(out[1], STDOUT_FILENO);
                ::execv(argv[0], argv);
                ::_exit(127);
            }
            ::setpgid(job, job);
            [[maybe_unused]] auto told = ::write(pid[1], &job, sizeof job);
            char go = 0;
            if (::read(fg[0], &go, 1) == 1)
                ::tcsetpgrp(tty, job);  // "fg"
            int status = 0;
            ::waitpid(job, &status, 0);
            ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128);
        }
        ::close(out[1]);
        ::close(pid[1]);
        ::close(fg[0]);
        m_out = out[0];
        m_toForeground = fg[1];
        if (::read(pid[0], &m_job, sizeof m_job) != sizeof m_job)
            m_job = -1;
        ::close(pid[0]);
    }
    ~BackgroundJob()
    {
        if (m_job > 0)
            ::kill(m_job, SIGKILL);
        if (m_shell > 0) {
            ::kill(m_shell, SIGKILL);
            ::waitpid(m_shell, nullptr, 0);
        }
        for (int fd : {m_terminal, m_out, m_toForeground})
            if (fd >= 0)
                ::close(fd);
    }

    std::string FirstLine()
    {
        std::string line;
        char c = 0;
        pollfd p{m_out, POLLIN, 0};
        while (::poll(&p, 1, 10000) > 0 && ::read(m_out, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }
    void Type(const std::string& text)
    {
        [[maybe_unused]] auto written = ::write(m_terminal, text.data(), text.size());
    }
    void BringToForeground()
    {
        [[maybe_unused]] auto written = ::write(m_toForeground, "f", 1);
    }
    // The job's exit status once it has ended within the limit, else -1.
    int Ended()
    {
        int status = 0;
        if (!Eventually([&] { return ::waitpid(m_shell, &status, WNOHANG) == m_shell; }))
            return -1;
        m_shell = -1;
        m_job = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    int m_terminal = -1;
    int m_out = -1;
    int m_toForeground = -1;
    pid_t m_shell = -1;
    pid_t m_job = -1;
};

TEST(SimWedge, BackgroundJobKeepsServingAndEndsOnCtrlDOnceInTheForeground)
{
    BackgroundJob job;
    const std::string path = job.FirstLine();
    ASSERT_FALSE(path.empty());
    job.Type("typed for the shell\n");
    // A job that read its terminal from the background would be stopped by now.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(Answers(path)) << "the background job does not answer";
    job.BringToForeground();
    job.Type("\x04");
    EXPECT_EQ(job.Ended(), 0) << "Ctrl-D in the foreground did not end it";
}

// Whether the next client would be turned away: EBUSY for a normal user; root passes the lock,
// so ask the terminal itself.
bool ExclusiveNow(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno == EBUSY;
    int exclusive = 0;
    ::ioctl(fd, TIOCGEXCL, &exclusive);
    ::close(fd);
    return exclusive != 0;
}

TEST(SimWedge, AClientThatDiesHoldingTheLineDoesNotLockOutTheNext)
{
    PtyHost host{SimRadio(RadioMemory{})};
    std::string error;
    ASSERT_TRUE(host.Start(&error)) << error;
    const std::string path = host.SlavePath();

    int holder = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::ioctl(holder, TIOCEXCL), 0);
    // Others opening and closing meanwhile must not lift the holder's lock.
    EXPECT_TRUE(ExclusiveNow(path));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(ExclusiveNow(path)) << "the lock was lifted while its holder lives";
    // Closing without clearing the flag is what a killed client leaves behind.
    ::close(holder);
    EXPECT_TRUE(Eventually([&] { return !ExclusiveNow(path); })) << "the line stays locked";
    EXPECT_TRUE(Answers(path));
}

} // namespace
} // namespace qmcal::sim
