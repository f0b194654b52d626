#include "sim/PtyHost.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <poll.h>
#include <sys/ioctl.h>
#ifdef __linux__
#include <sys/inotify.h>
#endif
#include <termios.h>
#include <unistd.h>

namespace qmcal::sim {

namespace {

constexpr int kPollMs = 200;
// A frame whose rest does not come within this time is dropped, as the radio's own
// receiver would give up on it.
constexpr std::chrono::seconds kPartialFrameTimeout{1};
// A client that does not read its replies for this long loses the rest of them.
constexpr std::chrono::seconds kSendTimeout{1};

std::string SystemError(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

void CloseFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool SetFlags(int fd, bool nonBlocking)
{
    const int fdFlags = ::fcntl(fd, F_GETFD);
    if (fdFlags < 0 || ::fcntl(fd, F_SETFD, fdFlags | FD_CLOEXEC) < 0)
        return false;
    if (!nonBlocking)
        return true;
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) >= 0;
}

// Raw 9600 8N1: bytes pass unchanged in both directions, and nothing is echoed back to us.
bool MakeRaw(int fd)
{
    termios tio{};
    if (::tcgetattr(fd, &tio) < 0)
        return false;
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

} // namespace

PtyHost::PtyHost(SimRadio radio, bool pace) : m_radio(std::move(radio)), m_pace(pace) {}

PtyHost::~PtyHost()
{
    Stop();
}

bool PtyHost::Start(std::string* error)
{
    if (Running())
        return true;
    std::string why;
    auto fail = [&](std::string text) {
        why = std::move(text);
        CloseFds();
        if (error)
            *error = why;
        return false;
    };

    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail(SystemError("posix_openpt"));
    if (::grantpt(m_master) < 0)
        return fail(SystemError("grantpt"));
    if (::unlockpt(m_master) < 0)
        return fail(SystemError("unlockpt"));
#ifdef __linux__
    char name[256] = {};
    if (::ptsname_r(m_master, name, sizeof name) != 0)
        return fail(SystemError("ptsname_r"));
    m_slavePath = name;
#else
    const char* name = ::ptsname(m_master);
    if (name == nullptr)
        return fail(SystemError("ptsname"));
    m_slavePath = name;
#endif
    if (!SetFlags(m_master, true))
        return fail(SystemError("fcntl"));
    m_slave = ::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0)
        return fail(SystemError(m_slavePath.c_str()));
    if (!MakeRaw(m_slave))
        return fail(SystemError("tcsetattr"));
#ifdef __linux__
    // Without the watch the line still serves; only a crashed client's lock would outlive it.
    m_watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_watch >= 0 && ::inotify_add_watch(m_watch, m_slavePath.c_str(), IN_OPEN | IN_CLOSE) < 0)
        CloseFd(m_watch);
#endif
    int wake[2] = {-1, -1};
    if (::pipe(wake) < 0)
        return fail(SystemError("pipe"));
    m_wakeRead = wake[0];
    m_wakeWrite = wake[1];
    if (!SetFlags(m_wakeRead, true) || !SetFlags(m_wakeWrite, true))
        return fail(SystemError("fcntl"));

    m_stop = false;
    m_hungUp = false;
    if (m_radio.HungUp())  // hangupAfter 0: the line is gone before anyone can use it
        HangUp();
    m_thread = std::thread(&PtyHost::Serve, this);
    return true;
}

void PtyHost::Stop()
{
    if (m_thread.joinable()) {
        m_stop = true;
        const std::uint8_t wake = 1;
        [[maybe_unused]] const auto written = ::write(m_wakeWrite, &wake, 1);
        m_thread.join();
    }
    CloseFds();
}

void PtyHost::CloseFds()
{
    CloseFd(m_master);
    CloseFd(m_slave);
    CloseFd(m_wakeRead);
    CloseFd(m_wakeWrite);
    CloseFd(m_watch);
}

// After a close, a lock left set with nobody else holding the line belonged to a client that
// is gone. (Counting opens and closes does not work: inotify merges repeated events.)
void PtyHost::WatchClients()
{
#ifdef __linux__
    alignas(inotify_event) char buffer[4096];
    bool closed = false;
    while (true) {
        const auto got = ::read(m_watch, buffer, sizeof buffer);
        if (got <= 0)
            break;
        for (auto at = buffer; at < buffer + got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            at += sizeof(inotify_event) + event->len;
            closed = closed || (event->mask & (IN_CLOSE | IN_Q_OVERFLOW)) != 0;
            if (event->mask & IN_IGNORED) {
                CloseFd(m_watch);
                return;
            }
        }
    }
    int exclusive = 0;
    if (closed && m_slave >= 0 && ::ioctl(m_slave, TIOCGEXCL, &exclusive) == 0 && exclusive != 0 &&
        !OthersHoldSlave())
        ::ioctl(m_slave, TIOCNXCL);
#endif
}

// Whether any open file but our own handle is on the slave terminal, in this process or another.
bool PtyHost::OthersHoldSlave() const
{
    namespace fs = std::filesystem;
    struct stat slave {};
    if (::fstat(m_slave, &slave) != 0)
        return true;
    const std::string self = std::to_string(::getpid());
    const std::string ownHandle = std::to_string(m_slave);
    // Processes come and go during the walk: errors skip an entry and never throw.
    std::error_code ec;
    for (fs::directory_iterator process("/proc", ec), end; !ec && process != end; process.increment(ec)) {
        const std::string pid = process->path().filename();
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::error_code fdError;
        for (fs::directory_iterator fd(process->path() / "fd", fdError); !fdError && fd != end;
             fd.increment(fdError)) {
            if (pid == self && fd->path().filename() == ownHandle)
                continue;
            struct stat st {};
            if (::stat(fd->path().c_str(), &st) == 0 && S_ISCHR(st.st_mode) && st.st_rdev == slave.st_rdev)
                return true;
        }
    }
    return false;
}

void PtyHost::Serve()
{
    std::uint8_t buffer[4096];
    while (!m_stop) {
        pollfd fds[3] = {{m_wakeRead, POLLIN, 0}, {m_master, POLLIN, 0}, {m_watch, POLLIN, 0}};
        const int ready = ::poll(fds, 3, kPollMs);
        if (ready < 0 && errno != EINTR)
            break;
        if (fds[0].revents & POLLIN) {
            while (::read(m_wakeRead, buffer, sizeof buffer) > 0) {
            }
            continue;
        }
        if (fds[2].revents & POLLIN)
            WatchClients();
        if (m_master < 0)
            continue;
        if (fds[1].revents & POLLIN) {
            const auto got = ::read(m_master, buffer, sizeof buffer);
            if (got > 0) {
                m_lastInput = Clock::now();
                Handle(buffer, static_cast<std::size_t>(got));
                continue;
            }
        }
        if (fds[1].revents & (POLLHUP | POLLERR)) {
            // No client end open: nothing to do until one opens; do not spin meanwhile.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        bool gone = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_radio.HasPartial() && Clock::now() - m_lastInput > kPartialFrameTimeout)
                m_radio.DropPartial();
            gone = m_radio.HungUp();
        }
        if (gone && m_master >= 0)  // faults changed while serving
            HangUp();
    }
}

void PtyHost::Handle(const std::uint8_t* data, std::size_t size)
{
    if (!m_pace) {
        WireBytes reply;
        bool gone = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            reply = m_radio.Receive(data, size);
            gone = m_radio.HungUp();
        }
        Send(reply.data(), reply.size());
        if (gone)
            HangUp();
        return;
    }
    // Paced: each byte takes its line time to arrive, and the reply cannot start before the
    // frame's last byte is in.
    const auto readAt = Clock::now();
    for (std::size_t i = 0; i < size && !m_stop; ++i) {
        m_rxClock = std::max(m_rxClock, readAt) + kByteTime;
        WireBytes reply;
        bool gone = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            reply = m_radio.Receive(data + i, 1);
            gone = m_radio.HungUp();
        }
        SendPaced(reply);
        if (gone) {
            HangUp();
            return;
        }
    }
}

void PtyHost::SendPaced(const WireBytes& reply)
{
    if (reply.empty())
        return;
    m_txClock = std::max(m_txClock, m_rxClock);
    for (const std::uint8_t byte : reply) {
        m_txClock += kByteTime;
        std::this_thread::sleep_until(m_txClock);
        Send(&byte, 1);
    }
}

void PtyHost::Send(const std::uint8_t* data, std::size_t size)
{
    auto deadline = Clock::now() + kSendTimeout;
    while (size > 0 && m_master >= 0 && !m_stop) {
        const auto written = ::write(m_master, data, size);
        if (written > 0) {
            data += written;
            size -= static_cast<std::size_t>(written);
            deadline = Clock::now() + kSendTimeout;
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR)
            return;
        if (Clock::now() > deadline)
            return;  // the client is not reading: the rest is lost, as on a real line
        pollfd out{m_master, POLLOUT, 0};
        ::poll(&out, 1, 50);
    }
}

// The client's reads then fail or time out, as when a cable is pulled. Closing the master
// throws away what the client has not read yet, so the last reply is given time to be read.
void PtyHost::HangUp()
{
    if (m_slave >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        const auto deadline = Clock::now() + kSendTimeout;
        int unread = 0;
        while (!m_stop && Clock::now() < deadline && ::ioctl(m_slave, FIONREAD, &unread) == 0 &&
               unread > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    m_hungUp = true;  // before the close, so that whoever sees the line gone sees this too
    CloseFd(m_watch);
    CloseFd(m_master);
    CloseFd(m_slave);
}

RadioMemory PtyHost::Memory() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_radio.Memory();
}

std::vector<WireBytes> PtyHost::FrameLog() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto& log = m_radio.FrameLog();
    return {log.begin(), log.end()};
}

int PtyHost::FramesReceived() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_radio.FramesReceived();
}

std::uint8_t PtyHost::PttCode() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_radio.PttCode();
}

std::uint8_t PtyHost::TestCode() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_radio.TestCode();
}

Faults PtyHost::FaultSettings() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_radio.FaultSettings();
}

void PtyHost::SetFaults(const Faults& faults)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_radio.FaultSettings() = faults;
}

void PtyHost::QueueReading(std::uint16_t value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_radio.QueueReading(value);
}

} // namespace qmcal::sim
