#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/SerialPort.h"
#include "sim/HexBytes.h"

namespace qmcal::test {

using sim::test::Hex;
using sim::test::ToHex;

// A scripted radio: every write is logged and answered by the responder; a purge drops
// what is still unread, as the driver's would. Every call is time-stamped, for the pauses.
class FakePort final : public SerialPort {
public:
    using Responder = std::function<Bytes(const Bytes& frame)>;

    explicit FakePort(Responder responder) : m_responder(std::move(responder)) {}

    void SetProfile(const TimeoutProfile&) override {}
    void Purge() override
    {
        m_pending.clear();
        Note("purge");
    }
    std::int64_t Write(const Bytes& data) override
    {
        m_writes.push_back(data);
        Note("write");
        const Bytes reply = m_responder(data);
        m_pending.insert(m_pending.end(), reply.begin(), reply.end());
        return static_cast<std::int64_t>(data.size());
    }
    using SerialPort::Read;
    Bytes Read(std::size_t n, const ReadStop&) override
    {
        const std::size_t k = std::min(n, m_pending.size());
        Bytes out(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(k));
        m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(k));
        Note("read");
        return out;
    }
    void Close() override { m_closed = true; }
    QString Name() const override { return QStringLiteral("fake"); }

    const std::vector<Bytes>& Writes() const { return m_writes; }
    const std::vector<std::string>& Events() const { return m_events; }
    // When each event happened, index for index with Events().
    const std::vector<std::chrono::steady_clock::time_point>& Times() const { return m_times; }
    bool Closed() const { return m_closed; }

private:
    void Note(const char* event)
    {
        m_events.push_back(event);
        m_times.push_back(std::chrono::steady_clock::now());
    }

    Responder m_responder;
    Bytes m_pending;
    std::vector<Bytes> m_writes;
    std::vector<std::string> m_events;
    std::vector<std::chrono::steady_clock::time_point> m_times;
    bool m_closed = false;
};

} // namespace qmcal::test
