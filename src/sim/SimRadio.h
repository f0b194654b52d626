#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// The radio's side of the protocol, for tests and for running without hardware. It shares no
// protocol code with the program: it must be able to catch the program's mistakes.

namespace qmcal::sim {

using Bytes = std::vector<std::uint8_t>;

struct Faults {
    int silentAfter = -1;   // stop answering after this many frames (-1: never)
    int hangupAfter = -1;   // the host closes the line after this many frames (-1: never)
    bool garbage = false;   // answer every frame with wrong bytes
    bool shortReplies = false;  // answer every frame with too few bytes
    bool noReading = false;     // Measure answers the Ack alone
};

class SimRadio {
public:
    explicit SimRadio(const std::array<std::uint8_t, 65536>& memory);

    // Feeds bytes as they arrive on the line (frames may come a byte at a time; garbage
    // before a 'W' is skipped) and returns the reply bytes to send back.
    Bytes Receive(const std::uint8_t* data, std::size_t size);
    Bytes Receive(const Bytes& data) { return Receive(data.data(), data.size()); }

    Faults& FaultSettings() { return m_faults; }
    // Measure readings to return, in order; when empty, a built-in reading is used.
    void QueueReading(std::uint16_t value) { m_readings.push_back(value); }

    const std::array<std::uint8_t, 65536>& Memory() const { return m_memory; }
    std::array<std::uint8_t, 65536>& Memory() { return m_memory; }

    // Every complete frame received, oldest first.
    const std::vector<Bytes>& FrameLog() const { return m_log; }
    void ClearLog() { m_log.clear(); }
    int FramesReceived() const { return static_cast<int>(m_log.size()); }
    bool HungUp() const;

    std::uint8_t PttCode() const { return m_pttCode; }    // code whose PTT is on, 0 if none
    std::uint8_t TestCode() const { return m_testCode; }  // code whose test is on, 0 if none

private:
    Bytes Answer(const Bytes& frame);

    std::array<std::uint8_t, 65536> m_memory{};
    Bytes m_pending;
    std::vector<Bytes> m_log;
    std::deque<std::uint16_t> m_readings;
    Faults m_faults;
    std::uint8_t m_pttCode = 0;
    std::uint8_t m_testCode = 0;
};

} // namespace qmcal::sim
