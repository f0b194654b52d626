#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include <QString>

#include "link/SerialPort.h"
#include "sim/SimRadio.h"

namespace qmcal {

// A SerialPort wired straight to a simulator engine, for fast tests: Write feeds the radio,
// Read hands back what it answered, at once and without waiting for time-outs.
class LoopbackPort : public SerialPort {
public:
    explicit LoopbackPort(sim::SimRadio& radio, QString name = QStringLiteral("LOOPBACK"));

    void SetProfile(const TimeoutProfile& profile) override { m_profile = profile; }
    void Purge() override;
    std::int64_t Write(const Bytes& data) override;
    using SerialPort::Read;
    Bytes Read(std::size_t n, const ReadStop& stop) override;
    void Close() override { m_closed = true; }
    QString Name() const override { return m_name; }

    // What the tests look at.
    const TimeoutProfile& Profile() const { return m_profile; }
    const std::vector<Bytes>& Writes() const { return m_writes; }  // one entry per Write call
    int PurgeCount() const { return m_purges; }
    bool Closed() const { return m_closed; }
    std::size_t PendingReply() const { return m_reply.size(); }

    // A radio that keeps the program waiting: the nth Read from now (1 the next) and those after
    // it wait until Release() is called, from any thread. One that waits longer than kHoldLimit,
    // or whose stop says so, gets nothing, as from a silent radio.
    static constexpr std::chrono::seconds kHoldLimit{10};
    void HoldAt(int nthRead);
    void Release();
    // Whether a Read waits on the hold now.
    bool Holding() const;

private:
    sim::SimRadio& m_radio;
    QString m_name;
    TimeoutProfile m_profile = kChosenProfile;
    Bytes m_reply;
    std::vector<Bytes> m_writes;
    int m_purges = 0;
    bool m_closed = false;
    mutable std::mutex m_holdMutex;  // guards the hold and the counts of reads
    int m_reads = 0;
    int m_holding = 0;  // reads waiting on the hold
    std::condition_variable m_released;
    int m_holdAt = 0;  // 0: no hold
    bool m_releasedFlag = false;
};

} // namespace qmcal
