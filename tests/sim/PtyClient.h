#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace qmcal::sim::test {

// The program's side of a pseudo-terminal, opened the plain POSIX way.
class PtyClient {
public:
    explicit PtyClient(const std::string& path)
    {
        m_fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
        if (m_fd < 0)
            return;
        termios tio{};
        ::tcgetattr(m_fd, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_fd, TCSANOW, &tio);
    }
    ~PtyClient()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool IsOpen() const { return m_fd >= 0; }

    bool Write(const std::vector<std::uint8_t>& bytes)
    {
        return ::write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // Up to n bytes, giving up after the time-out or when the line is gone.
    std::vector<std::uint8_t> Read(std::size_t n,
                                   std::chrono::milliseconds timeout = std::chrono::seconds(3))
    {
        std::vector<std::uint8_t> got;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        m_lineGone = false;
        while (got.size() < n) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            pollfd in{m_fd, POLLIN, 0};
            if (::poll(&in, 1, static_cast<int>(left.count())) <= 0)
                break;
            std::uint8_t buffer[64];
            const auto count = ::read(m_fd, buffer, std::min(sizeof buffer, n - got.size()));
            if (count <= 0) {
                m_lineGone = true;
                break;
            }
            got.insert(got.end(), buffer, buffer + count);
        }
        return got;
    }
    // The last Read ended because the other side closed the line.
    bool LineGone() const { return m_lineGone; }

private:
    int m_fd = -1;
    bool m_lineGone = false;
};

} // namespace qmcal::sim::test
