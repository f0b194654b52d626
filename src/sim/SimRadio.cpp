#include "sim/SimRadio.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace qmcal::sim {

namespace {

constexpr int kDriftSpan = 24;  // readings wander at most this far from their centre

WireBytes AckReply()
{
    return WireBytes(kAckBytes.begin(), kAckBytes.end());
}

std::uint16_t AddressOf(const WireBytes& frame)
{
    return static_cast<std::uint16_t>(frame[4] | (frame[5] << 8));
}

// Appends item and drops the oldest beyond limit.
template <typename T, typename U>
void KeepLatest(std::deque<T>& log, U&& item, std::size_t limit)
{
    if (limit == 0)
        return;
    while (log.size() >= limit)
        log.pop_front();
    log.push_back(std::forward<U>(item));
}

} // namespace

void SimRadio::SetLogLimit(std::size_t limit)
{
    m_logLimit = limit;
    while (m_log.size() > limit)
        m_log.pop_front();
    while (m_violations.size() > limit)
        m_violations.pop_front();
}

SimRadio::SimRadio(const std::array<std::uint8_t, 65536>& memory) : m_memory(memory) {}

bool SimRadio::HungUp() const
{
    return m_faults.hangupAfter >= 0 && m_frameCount >= m_faults.hangupAfter;
}

WireBytes SimRadio::Receive(const std::uint8_t* data, std::size_t size)
{
    WireBytes reply;
    for (std::size_t i = 0; i < size; ++i) {
        if (m_pending.empty() && data[i] != kFrameStart)
            continue;
        m_pending.push_back(data[i]);
        if (m_pending.size() < kFrameHeaderSize)
            continue;
        const std::uint8_t length = m_pending[3];
        if (length > kMaxFrameData) {
            char text[64];
            std::snprintf(text, sizeof text, "frame length %u above %u", unsigned{length},
                          unsigned{kMaxFrameData});
            Note(text);
            // Not a frame after all: look for the next 'W' among the bytes already taken.
            const auto next = std::find(m_pending.begin() + 1, m_pending.end(), kFrameStart);
            m_pending.erase(m_pending.begin(), next);
            continue;
        }
        if (m_pending.size() < kFrameHeaderSize + length)
            continue;
        WireBytes frame;
        frame.swap(m_pending);
        const WireBytes answer = Answer(frame);
        reply.insert(reply.end(), answer.begin(), answer.end());
    }
    return reply;
}

WireBytes SimRadio::Answer(const WireBytes& frame)
{
    const bool lineGone = HungUp();
    KeepLatest(m_log, frame, m_logLimit);
    ++m_framesSinceClear;
    ++m_frameCount;
    if (m_observer)
        m_observer(frame);
    if (lineGone || (m_faults.silentAfter >= 0 && m_frameCount > m_faults.silentAfter))
        return {};

    const std::uint8_t code = frame[1];
    const std::uint8_t sub = frame[2];
    const std::uint8_t length = frame[3];
    WireBytes reply = AckReply();
    if (code == kStoreCode && sub == kReadBlockSub) {
        reply = ReadBlockReply(frame);
    } else if (code == kStoreCode && sub == kStoreSub) {
        StoreData(frame);
    } else if (code == kMeasureCode && (sub == kMeasureSqlSub || sub == kMeasureRssiSub) &&
               length == 0) {
        if (!m_faults.noReading) {
            const std::uint16_t value = NextReading(sub);
            reply.assign(kReadingHeader.begin(), kReadingHeader.end());
            reply.push_back(static_cast<std::uint8_t>(value & 0xFF));
            reply.push_back(static_cast<std::uint8_t>(value >> 8));
        }
    } else if ((sub == kPttSub || sub == kTestSub) && length >= 1 && code != kStoreCode) {
        std::uint8_t& state = sub == kPttSub ? m_pttCode : m_testCode;
        if (frame[4] == 0x00)
            state = code;
        else if (frame[4] == 0xFF)
            state = 0;
    }

    // The faults spoil the reply, not what the radio did with the frame.
    if (m_faults.garbage)
        reply.assign(kGarbageBytes.begin(), kGarbageBytes.end());
    else if (m_faults.shortReplies && !reply.empty())
        reply.pop_back();
    return reply;
}

WireBytes SimRadio::ReadBlockReply(const WireBytes& frame)
{
    WireBytes reply = AckReply();
    if (frame[3] != 3) {
        Note("read block with " + std::to_string(frame[3]) + " data bytes instead of 3");
        return reply;
    }
    const std::uint16_t address = AddressOf(frame);
    const std::uint8_t count = frame[6];
    if (count != kPageSize)
        Note("read block of " + std::to_string(count) + " bytes instead of 8");
    for (std::uint8_t i = 0; i < count; ++i)
        reply.push_back(m_memory[static_cast<std::uint16_t>(address + i)]);
    return reply;
}

// The memory is written in 8-byte pages, as an EEPROM does: a store that runs past the end of
// its page wraps round to the page's start. The program must never send one.
void SimRadio::StoreData(const WireBytes& frame)
{
    if (frame[3] < 3) {
        Note("store with " + std::to_string(frame[3]) + " data bytes, no value to write");
        return;
    }
    const std::uint16_t address = AddressOf(frame);
    const std::size_t count = frame[3] - 2u;
    const std::size_t offset = address % kPageSize;
    if (offset + count > kPageSize) {
        char text[80];
        std::snprintf(text, sizeof text, "store of %zu bytes at %04X crosses an 8-byte page",
                      count, unsigned{address});
        Note(text);
    }
    if (m_faults.forgetStores)
        return;
    const std::size_t page = address - offset;
    for (std::size_t i = 0; i < count; ++i)
        m_memory[page + (offset + i) % kPageSize] = frame[6 + i];
}

std::uint16_t SimRadio::NextReading(std::uint8_t sub)
{
    if (!m_readings.empty()) {
        const std::uint16_t value = m_readings.front();
        m_readings.pop_front();
        return value;
    }
    // xorshift32: enough to make successive readings differ a little, and repeatable.
    m_drift ^= m_drift << 13;
    m_drift ^= m_drift >> 17;
    m_drift ^= m_drift << 5;
    const int step = static_cast<int>(m_drift % 5) - 2;
    const bool rssi = sub == kMeasureRssiSub;
    std::uint16_t& level = rssi ? m_rssiLevel : m_sqlLevel;
    const int centre = rssi ? kRssiCentre : kSqlCentre;
    level = static_cast<std::uint16_t>(std::clamp(level + step, centre - kDriftSpan, centre + kDriftSpan));
    return level;
}

void SimRadio::Note(std::string text)
{
    if (m_violationObserver)
        m_violationObserver(text);
    KeepLatest(m_violations, std::move(text), m_logLimit);
}

} // namespace qmcal::sim
