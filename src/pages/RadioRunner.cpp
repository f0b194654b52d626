#include "pages/RadioRunner.h"

#include <QTimer>
#include <QtGlobal>

#include "widgets/BusyWait.h"

namespace qmcal {

RadioRunner::RadioRunner(RadioLink& link, LinkThread* thread) : m_link(link), m_thread(thread) {}

bool RadioRunner::Execute(Wait wait, const LinkThread::Job& call,
                          std::optional<std::chrono::milliseconds> stopAfter) const
{
    if (m_thread == nullptr) {
        call(m_link);
        return true;
    }
    if (m_thread->Waiting()) {
        // Timers still fire during a wait; anything else here would nest one call in another.
        if (wait != Wait::Tick)
            qWarning("qmcal: a radio call made while another was in flight was dropped");
        return false;
    }
    LinkThread* thread = m_thread;
    const BusyWait busy(wait == Wait::Transfer ? BusyWait::Input::Drop : BusyWait::Input::Defer,
                        [thread] { thread->StopRead(); });
    QTimer stopper;
    if (stopAfter) {
        stopper.setSingleShot(true);
        QObject::connect(&stopper, &QTimer::timeout, &stopper, [thread] { thread->StopRead(); });
        stopper.start(*stopAfter);
    }
    m_thread->Call(call, busy.LoopFlags());
    return true;
}

ExchangeResult RadioRunner::Send(Wait wait, const std::function<ExchangeResult(RadioLink&)>& call) const
{
    // Nothing was sent: as far as the caller goes, the link was busy.
    return Run(wait, call).value_or(ExchangeResult::Busy);
}

ExchangeResult RadioRunner::SetFrequency(std::uint8_t code, std::uint16_t idBlockOffset) const
{
    return Send(Wait::Exchange, [=](RadioLink& link) { return link.SetFrequency(code, idBlockOffset); });
}

ExchangeResult RadioRunner::SetParam(std::uint8_t code, std::uint8_t sub, int width, std::uint16_t address) const
{
    return Send(Wait::Exchange, [=](RadioLink& link) { return link.SetParam(code, sub, width, address); });
}

ExchangeResult RadioRunner::SetGlobal(std::uint8_t code, std::uint8_t sub, int width,
                                      std::uint16_t idBlockOffset) const
{
    return Send(Wait::Exchange, [=](RadioLink& link) { return link.SetGlobal(code, sub, width, idBlockOffset); });
}

ExchangeResult RadioRunner::SetFlag(std::uint8_t code, std::uint8_t value) const
{
    return Send(Wait::Exchange, [=](RadioLink& link) { return link.SetFlag(code, value); });
}

ExchangeResult RadioRunner::SetMode(std::uint8_t code, std::uint8_t value) const
{
    return Send(Wait::Exchange, [=](RadioLink& link) { return link.SetMode(code, value); });
}

ExchangeResult RadioRunner::TestStart(std::uint8_t code) const
{
    return Send(Wait::Exchange, [=](RadioLink& link) { return link.TestStart(code); });
}

ExchangeResult RadioRunner::TestEnd(std::uint8_t code) const
{
    return Send(Wait::Exchange, [=](RadioLink& link) { return link.TestEnd(code); });
}

ExchangeResult RadioRunner::PttStart(std::uint8_t code) const
{
    return Send(Wait::Exchange, [=](RadioLink& link) { return link.PttStart(code); });
}

ExchangeResult RadioRunner::PttEnd(std::uint8_t code) const
{
    return Send(Wait::Exchange, [=](RadioLink& link) { return link.PttEnd(code); });
}

ExchangeResult RadioRunner::EndActiveCommand() const
{
    return Send(Wait::Exchange, [](RadioLink& link) { return link.EndActiveCommand(); });
}

ExchangeResult RadioRunner::EndActiveCommandOnClose() const
{
    ExchangeResult result = ExchangeResult::Busy;
    Execute(Wait::Exchange, [&result](RadioLink& link) { result = link.EndActiveCommand(); }, kCloseReplyWait);
    return result;
}

ExchangeResult RadioRunner::RefuseBusy() const
{
    return Send(Wait::Exchange, [](RadioLink& link) { return link.RefuseBusy(); });
}

ExchangeResult RadioRunner::StoreRanges(const BandLayout& layout, int firstSlot, int slotCount) const
{
    return Send(Wait::Transfer, [&layout, firstSlot, slotCount](RadioLink& link) {
        return link.StoreRanges(layout, firstSlot, slotCount);
    });
}

ExchangeResult RadioRunner::StoreFields(const BandLayout& layout, int firstSlot, int slotCount, int width) const
{
    return Send(Wait::Transfer, [&layout, firstSlot, slotCount, width](RadioLink& link) {
        return link.StoreFields(layout, firstSlot, slotCount, width);
    });
}

ExchangeResult RadioRunner::StoreBytes(std::uint16_t start, std::uint16_t end) const
{
    // One byte at a time, for the Sql Fine dialog's Enter: a short exchange.
    return Send(Wait::Exchange, [=](RadioLink& link) { return link.StoreBytes(start, end); });
}

std::optional<std::uint16_t> RadioRunner::Measure(std::uint8_t code, std::uint8_t sub, std::uint16_t fallback) const
{
    return Run(Wait::Tick, [=](RadioLink& link) { return link.Measure(code, sub, fallback); })
        .value_or(std::nullopt);
}

bool RadioRunner::ReadAll(std::uint16_t start, std::uint16_t end) const
{
    return Run(Wait::Transfer, [=](RadioLink& link) { return link.ReadAll(start, end); }).value_or(false);
}

bool RadioRunner::WriteAll(std::uint16_t start, std::uint16_t end) const
{
    return Run(Wait::Transfer, [=](RadioLink& link) { return link.WriteAll(start, end); }).value_or(false);
}

bool RadioRunner::ReadSqlFine() const
{
    return Run(Wait::Transfer, [](RadioLink& link) { return link.ReadSqlFine(); }).value_or(false);
}

} // namespace qmcal
