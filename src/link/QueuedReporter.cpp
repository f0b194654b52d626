#include "link/QueuedReporter.h"

#include <QCoreApplication>
#include <QThread>

#include "link/QueuedCall.h"
namespace qmcal {

QueuedReporter::QueuedReporter(LinkReporter& target) : m_target(target) {}

template <typename F>
void QueuedReporter::Report(F report)
{
    if (QThread::currentThread() == m_receiver.thread())
        report();
    else
        QueueCall(&m_receiver, std::move(report));
}

void QueuedReporter::Deliver()
{
    QCoreApplication::sendPostedEvents(&m_receiver);
}

void QueuedReporter::ShowPrompt(const QString& text)
{
    Report([this, text] { m_target.ShowPrompt(text); });
}

void QueuedReporter::ShowPtt(const QString& text)
{
    Report([this, text] { m_target.ShowPtt(text); });
}

void QueuedReporter::StopWaiting()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopWaiting = true;
    }
    m_shown.notify_all();
}

void QueuedReporter::ShowMessage(const QString& text)
{
    if (QThread::currentThread() == m_receiver.thread()) {
        m_target.ShowMessage(text);
        return;
    }
    // Not a blocking queued call: that wait could not be given up.
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_stopWaiting)
        return;
    const std::uint64_t number = ++m_messagesPosted;
    QueueCall(&m_receiver, [this, text, number] {
        m_target.ShowMessage(text);
        {
            const std::lock_guard<std::mutex> shownLock(m_mutex);
            m_messagesShown = number;
        }
        m_shown.notify_all();
    });
    m_shown.wait(lock, [this, number] { return m_messagesShown >= number || m_stopWaiting; });
}

void QueuedReporter::ShowProgress(int done, int total)
{
    Report([this, done, total] { m_target.ShowProgress(done, total); });
}

} // namespace qmcal
