#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/SimRadio.h"

namespace qmcal::sim {

// One byte on the line: start bit, 8 data bits, stop bit at 9600 baud.
constexpr std::chrono::nanoseconds kByteTime{10'000'000'000LL / 9600};

// Serves a SimRadio on the master side of a pseudo-terminal, on a thread of its own. Clients
// open SlavePath() like a serial port, as often as they like.
class PtyHost {
public:
    explicit PtyHost(SimRadio radio, bool pace = false);
    ~PtyHost();
    PtyHost(const PtyHost&) = delete;
    PtyHost& operator=(const PtyHost&) = delete;

    // Opens the pseudo-terminal and starts serving. On failure returns false and, when error is
    // given, says why.
    bool Start(std::string* error = nullptr);
    // Stops serving and closes the line; safe to call more than once.
    void Stop();

    const std::string& SlavePath() const { return m_slavePath; }
    bool Running() const { return m_thread.joinable(); }
    // True once the radio's hang-up fault has closed the line.
    bool HungUp() const { return m_hungUp; }

    // The engine is shared with the serving thread: every access goes through the lock. The
    // engine's observers run on the serving thread with the lock held, so they must not call
    // back into the host.
    template <typename F>
    auto WithRadio(F&& f)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return f(m_radio);
    }
    RadioMemory Memory() const;
    std::vector<WireBytes> FrameLog() const;
    int FramesReceived() const;
    std::uint8_t PttCode() const;
    std::uint8_t TestCode() const;
    Faults FaultSettings() const;
    void SetFaults(const Faults& faults);
    void QueueReading(std::uint16_t value);

private:
    using Clock = std::chrono::steady_clock;

    void Serve();
    void Handle(const std::uint8_t* data, std::size_t size);
    void SendPaced(const WireBytes& reply);
    void Send(const std::uint8_t* data, std::size_t size);
    void HangUp();
    void CloseFds();
    void WatchClients();
    bool OthersHoldSlave() const;

    mutable std::mutex m_mutex;
    SimRadio m_radio;
    bool m_pace = false;
    std::string m_slavePath;
    int m_master = -1;
    int m_slave = -1;  // kept open so that clients may close and reopen the port
    // Closes of the slave path: a client that dies without clearing its exclusive flag would
    // otherwise lock every later client out, since our own handle keeps the terminal alive.
    int m_watch = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_hungUp{false};
    Clock::time_point m_rxClock{};  // when the last received byte ends on the paced line
    Clock::time_point m_txClock{};  // when the last sent byte ends on the paced line
    Clock::time_point m_lastInput{};
    std::thread m_thread;
};

} // namespace qmcal::sim
