#include "support/LoopbackPort.h"

#include <algorithm>
#include <utility>

namespace qmcal {

LoopbackPort::LoopbackPort(sim::SimRadio& radio, QString name)
    : m_radio(radio), m_name(std::move(name))
{
}

void LoopbackPort::Purge()
{
    ++m_purges;
    m_reply.clear();
}

// A closed port, or a line the radio has hung up, takes nothing.
std::int64_t LoopbackPort::Write(const Bytes& data)
{
    m_writes.push_back(data);
    if (m_closed || m_radio.HungUp())
        return -1;
    const Bytes answer = m_radio.Receive(data);
    m_reply.insert(m_reply.end(), answer.begin(), answer.end());
    return static_cast<std::int64_t>(data.size());
}

void LoopbackPort::HoldAt(int nthRead)
{
    const std::lock_guard<std::mutex> lock(m_holdMutex);
    m_holdAt = m_reads + nthRead;
    m_releasedFlag = false;
}

void LoopbackPort::Release()
{
    {
        const std::lock_guard<std::mutex> lock(m_holdMutex);
        m_releasedFlag = true;
    }
    m_released.notify_all();
}

bool LoopbackPort::Holding() const
{
    const std::lock_guard<std::mutex> lock(m_holdMutex);
    return m_holding > 0;
}

Bytes LoopbackPort::Read(std::size_t n, const ReadStop& stop)
{
    {
        std::unique_lock<std::mutex> lock(m_holdMutex);
        ++m_reads;
        if (m_holdAt > 0 && m_reads >= m_holdAt) {
            const auto limit = std::chrono::steady_clock::now() + kHoldLimit;
            ++m_holding;
            while (!m_releasedFlag && !(stop && stop()) && std::chrono::steady_clock::now() < limit)
                m_released.wait_for(lock, kStopPoll);
            --m_holding;
            if (!m_releasedFlag)
                return {};
        }
    }
    if (m_closed)
        return {};
    const std::size_t count = std::min(n, m_reply.size());
    Bytes out(m_reply.begin(), m_reply.begin() + static_cast<std::ptrdiff_t>(count));
    m_reply.erase(m_reply.begin(), m_reply.begin() + static_cast<std::ptrdiff_t>(count));
    return out;
}

} // namespace qmcal
