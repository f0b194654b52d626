#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// The radio's side of the protocol, for tests and for running without hardware. It shares no
// protocol code with the program: it must be able to catch the program's mistakes.

namespace qmcal::sim {

// Bytes as they travel on the line: frames in, replies out.
using WireBytes = std::vector<std::uint8_t>;
using RadioMemory = std::array<std::uint8_t, 65536>;

// The radio's own constants, written out here on purpose rather than taken from the link.
inline constexpr std::array<std::uint8_t, 4> kAckBytes{0x52, 0x00, 0x41, 0x00};
// Header of a Measure reading: anything but the Ack, which would mean "no reading".
inline constexpr std::array<std::uint8_t, 4> kReadingHeader{0x52, 0x00, 0x56, 0x00};
// What --garbage answers to every frame: four bytes that are not the Ack.
inline constexpr std::array<std::uint8_t, 4> kGarbageBytes{0xAD, 0xFF, 0xBE, 0xFF};
constexpr std::uint8_t kFrameStart = 0x57;  // 'W'
constexpr std::size_t kFrameHeaderSize = 4;
constexpr std::uint8_t kMaxFrameData = 10;
constexpr std::uint8_t kStoreCode = 0xFF;
constexpr std::uint8_t kStoreSub = 0x00;
constexpr std::uint8_t kReadBlockSub = 0xFF;
constexpr std::uint8_t kMeasureCode = 0x42;
constexpr std::uint8_t kMeasureSqlSub = 0x21;
constexpr std::uint8_t kMeasureRssiSub = 0x22;
constexpr std::uint8_t kTestSub = 0xFD;
constexpr std::uint8_t kPttSub = 0xFE;
constexpr std::size_t kPageSize = 8;
// Built-in Measure readings wander a little around these.
constexpr std::uint16_t kRssiCentre = 0x1F0;
constexpr std::uint16_t kSqlCentre = 0x2C0;

// How many of the latest frames and odd-frame notes FrameLog() and Violations() hold unless
// told otherwise: a few whole Reads. The observers see every one.
inline constexpr std::size_t kDefaultLogLimit = 4096;

struct Faults {
    int silentAfter = -1;   // stop answering after this many frames (-1: never)
    int hangupAfter = -1;   // the host closes the line after this many frames (-1: never)
    bool garbage = false;   // answer every frame with wrong bytes
    bool shortReplies = false;  // answer every frame with too few bytes
    bool noReading = false;     // Measure answers the Ack alone
    bool forgetStores = false;  // acknowledge every store without keeping its bytes
};

class SimRadio {
public:
    explicit SimRadio(const std::array<std::uint8_t, 65536>& memory);

    // Feeds bytes as they arrive on the line (frames may come a byte at a time; garbage
    // before a 'W' is skipped) and returns the reply bytes to send back.
    WireBytes Receive(const std::uint8_t* data, std::size_t size);
    WireBytes Receive(const WireBytes& data) { return Receive(data.data(), data.size()); }

    Faults& FaultSettings() { return m_faults; }
    const Faults& FaultSettings() const { return m_faults; }
    // Measure readings to return, in order; when empty, a built-in reading is used.
    void QueueReading(std::uint16_t value) { m_readings.push_back(value); }

    const std::array<std::uint8_t, 65536>& Memory() const { return m_memory; }
    std::array<std::uint8_t, 65536>& Memory() { return m_memory; }

    // The latest complete frames received, oldest first: at most LogLimit() of them.
    const std::deque<WireBytes>& FrameLog() const { return m_log; }
    void ClearLog()
    {
        m_log.clear();
        m_framesSinceClear = 0;
    }
    // Frames received since the start or the last ClearLog, kept or not.
    int FramesReceived() const { return static_cast<int>(m_framesSinceClear); }
    // A host that only passes frames and notes on to its observers keeps none (0).
    void SetLogLimit(std::size_t limit);
    std::size_t LogLimit() const { return m_logLimit; }
    // Called with every complete frame as it arrives (answered or not).
    void SetFrameObserver(std::function<void(const WireBytes&)> observer) { m_observer = std::move(observer); }
    // True once hangupAfter frames have arrived; the line is then gone and nothing is answered.
    bool HungUp() const;

    // Frames the radio accepts but a correct program never sends (a store across an 8-byte
    // page, a length above 10...), one line each, oldest first; the latest LogLimit() of them.
    const std::deque<std::string>& Violations() const { return m_violations; }
    void SetViolationObserver(std::function<void(const std::string&)> observer)
    {
        m_violationObserver = std::move(observer);
    }

    // Forgets a frame whose start arrived but whose rest never came.
    void DropPartial() { m_pending.clear(); }
    bool HasPartial() const { return !m_pending.empty(); }

    std::uint8_t PttCode() const { return m_pttCode; }    // code whose PTT is on, 0 if none
    std::uint8_t TestCode() const { return m_testCode; }  // code whose test is on, 0 if none

private:
    WireBytes Answer(const WireBytes& frame);
    WireBytes ReadBlockReply(const WireBytes& frame);
    void StoreData(const WireBytes& frame);
    std::uint16_t NextReading(std::uint8_t sub);
    void Note(std::string text);

    std::array<std::uint8_t, 65536> m_memory{};
    WireBytes m_pending;
    std::deque<WireBytes> m_log;
    std::deque<std::string> m_violations;
    std::size_t m_logLimit = kDefaultLogLimit;
    long m_framesSinceClear = 0;
    std::function<void(const WireBytes&)> m_observer;
    std::function<void(const std::string&)> m_violationObserver;
    std::deque<std::uint16_t> m_readings;
    Faults m_faults;
    long m_frameCount = 0;  // every frame since start; ClearLog does not reset it
    std::uint16_t m_rssiLevel = kRssiCentre;
    std::uint16_t m_sqlLevel = kSqlCentre;
    std::uint32_t m_drift = 0x2545F491;  // state of the readings' small random walk
    std::uint8_t m_pttCode = 0;
    std::uint8_t m_testCode = 0;
};

} // namespace qmcal::sim
