#pragma once

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "link/SerialPort.h"

namespace qmcal::test {

// "57 FF 00 0A" -> bytes.
inline Bytes Hex(const std::string& text)
{
    Bytes out;
    std::istringstream in(text);
    std::string byte;
    while (in >> byte)
        out.push_back(static_cast<std::uint8_t>(std::stoul(byte, nullptr, 16)));
    return out;
}

inline std::string ToHex(const Bytes& bytes)
{
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t b : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[b >> 4];
        out += digits[b & 0x0F];
    }
    return out;
}

// A scripted radio: every write is logged and answered by the responder; a purge drops
// what is still unread, as the driver's would.
class FakePort final : public SerialPort {
public:
    using Responder = std::function<Bytes(const Bytes& frame)>;

    explicit FakePort(Responder responder) : m_responder(std::move(responder)) {}

    void SetProfile(const TimeoutProfile&) override {}
    void Purge() override
    {
        m_pending.clear();
        m_events.push_back("purge");
    }
    std::int64_t Write(const Bytes& data) override
    {
        m_writes.push_back(data);
        m_events.push_back("write");
        const Bytes reply = m_responder(data);
        m_pending.insert(m_pending.end(), reply.begin(), reply.end());
        return static_cast<std::int64_t>(data.size());
    }
    Bytes Read(std::size_t n) override
    {
        const std::size_t k = std::min(n, m_pending.size());
        Bytes out(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(k));
        m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(k));
        m_events.push_back("read");
        return out;
    }
    void Close() override { m_closed = true; }
    QString Name() const override { return QStringLiteral("fake"); }

    const std::vector<Bytes>& Writes() const { return m_writes; }
    const std::vector<std::string>& Events() const { return m_events; }
    bool Closed() const { return m_closed; }

private:
    Responder m_responder;
    Bytes m_pending;
    std::vector<Bytes> m_writes;
    std::vector<std::string> m_events;
    bool m_closed = false;
};

} // namespace qmcal::test
