#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <type_traits>

#include "link/LinkThread.h"
#include "link/RadioLink.h"

namespace qmcal {

struct BandLayout;

// The link as the windows use it. With a LinkThread every call runs there while the UI thread
// waits in an event loop that keeps the windows painting (see BusyWait for what happens to the
// user's input meanwhile); without one (tests, or before the thread exists) calls run right
// here. Only one call is ever in flight: the calls are made by what the user does, which waits
// while a call runs, and by the Auto timer, whose tick is skipped while another call runs.
class RadioRunner {
public:
    enum class Wait {
        Transfer,  // a whole transfer or store loop: input made meanwhile is dropped
        Exchange,  // one short exchange: input made meanwhile acts afterwards, in order
        Tick,      // a timer's call: skipped while another call is in flight
    };

    explicit RadioRunner(RadioLink& link, LinkThread* thread = nullptr);
    void SetThread(LinkThread* thread) { m_thread = thread; }

    // The end of a PTT or test sent as the window closes waits this long at most for its Ack:
    // a silent radio must not hold the close up.
    static constexpr std::chrono::milliseconds kCloseReplyWait{200};

    // Runs call(link) and returns its result; nothing when it was dropped because another call
    // is in flight, which every caller counts as a failure.
    template <typename F>
    std::optional<std::invoke_result_t<F&, RadioLink&>> Run(Wait wait, F call) const
    {
        std::optional<std::invoke_result_t<F&, RadioLink&>> result;
        Execute(wait, [&result, &call](RadioLink& link) { result = call(link); });
        return result;
    }

    // The link's operations, each as one call.
    ExchangeResult SetFrequency(std::uint8_t code, std::uint16_t idBlockOffset) const;
    ExchangeResult SetParam(std::uint8_t code, std::uint8_t sub, int width, std::uint16_t address) const;
    ExchangeResult SetGlobal(std::uint8_t code, std::uint8_t sub, int width, std::uint16_t idBlockOffset) const;
    ExchangeResult SetFlag(std::uint8_t code, std::uint8_t value) const;
    ExchangeResult SetMode(std::uint8_t code, std::uint8_t value) const;
    ExchangeResult TestStart(std::uint8_t code) const;
    ExchangeResult TestEnd(std::uint8_t code) const;
    ExchangeResult PttStart(std::uint8_t code) const;
    ExchangeResult PttEnd(std::uint8_t code) const;
    ExchangeResult EndActiveCommand() const;
    // EndActiveCommand as the window closes: the frame goes out, the Ack is waited for no
    // longer than kCloseReplyWait.
    ExchangeResult EndActiveCommandOnClose() const;
    ExchangeResult RefuseBusy() const;
    ExchangeResult StoreRanges(const BandLayout& layout, int firstSlot, int slotCount) const;
    ExchangeResult StoreFields(const BandLayout& layout, int firstSlot, int slotCount, int width) const;
    ExchangeResult StoreBytes(std::uint16_t start, std::uint16_t end) const;
    std::optional<std::uint16_t> Measure(std::uint8_t code, std::uint8_t sub, std::uint16_t fallback) const;
    bool ReadAll(std::uint16_t start, std::uint16_t end) const;
    bool WriteAll(std::uint16_t start, std::uint16_t end) const;
    bool ReadSqlFine() const;

    // What the link keeps, read between calls.
    std::uint8_t ActiveCommand() const { return m_link.ActiveCommand(); }
    ExchangeResult LastExchangeResult() const { return m_link.LastExchangeResult(); }
    QString CurrentPortName() const { return m_link.CurrentPortName(); }
    // The session log's line of a command that has ended, with what the link showed last.
    void LogOutcome(const QString& command, const QString& file = {}) const { m_link.LogOutcome(command, file); }

private:
    // Whether call ran. With stopAfter, a call still running after that long is stopped.
    bool Execute(Wait wait, const LinkThread::Job& call,
                 std::optional<std::chrono::milliseconds> stopAfter = std::nullopt) const;
    ExchangeResult Send(Wait wait, const std::function<ExchangeResult(RadioLink&)>& call) const;

    RadioLink& m_link;
    LinkThread* m_thread = nullptr;
};

} // namespace qmcal
