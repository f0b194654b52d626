#include "link/LinkThread.h"

#include <condition_variable>
#include <memory>
#include <mutex>

#include <QCoreApplication>

#include "link/QueuedCall.h"
#include "link/QueuedReporter.h"
#include "link/RadioLink.h"

namespace qmcal {

namespace {

// Tells a waiting UI thread, without its event loop, that a job has run.
struct RanSignal {
    void Set()
    {
        // Notified under the lock: once the waiter sees ran, Set is done with the signal.
        const std::lock_guard<std::mutex> lock(mutex);
        ran = true;
        changed.notify_all();
    }
    bool WaitFor(std::chrono::milliseconds time)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, time, [this] { return ran; });
    }

    std::mutex mutex;
    std::condition_variable changed;
    bool ran = false;
};

} // namespace

LinkThread::LinkThread(RadioLink& link, QueuedReporter* reports) : m_link(link), m_reports(reports)
{
    m_thread.setObjectName(QStringLiteral("LinkThread"));
    m_worker.moveToThread(&m_thread);
    if (SerialPort* port = m_link.Port())
        port->MoveToThread(&m_thread);
    m_link.SetReadStop([this] { return ReadStopped(); });
    m_thread.start();
}

LinkThread::~LinkThread()
{
    // A job waiting for a message box to be shown would wait for good.
    if (m_reports != nullptr)
        m_reports->StopWaiting();
    StopRead();
    // After whatever is still queued, the port goes back to the thread of the link, which
    // closes it when it goes.
    QThread* home = thread();
    QueueCall(&m_worker, [this, home] {
        if (SerialPort* port = m_link.Port())
            port->MoveToThread(home);
        m_thread.quit();
        HandOffSent();
    });
    m_thread.wait();
    // QThread::wait orders the thread's last job before what follows; said for ThreadSanitizer.
    HandOffReceived();
    m_link.SetReadStop({});
}

void LinkThread::StopRead()
{
    const std::uint64_t posted = m_posted.load();
    std::uint64_t stopped = m_stopped.load();
    while (stopped < posted && !m_stopped.compare_exchange_weak(stopped, posted)) {
    }
}

bool LinkThread::ReadStopped() const
{
    const std::uint64_t running = m_running.load();
    return running != 0 && running <= m_stopped.load();
}

void LinkThread::PostJob(Job job, std::function<void()> done, std::function<void()> ran)
{
    const std::uint64_t number = ++m_posted;
    QueueCall(&m_worker, [this, number, job = std::move(job), done = std::move(done), ran = std::move(ran)] {
        m_running = number;
        job(m_link);
        m_running = 0;
        if (done)
            QueueCall(this, done);
        if (ran)
            ran();
    });
}

void LinkThread::Post(Job job, std::function<void()> done)
{
    PostJob(std::move(job), std::move(done), {});
}

void LinkThread::Call(const Job& job, QEventLoop::ProcessEventsFlags flags)
{
    QEventLoop loop;
    bool finished = false;
    const auto signal = std::make_shared<RanSignal>();
    ++m_waiting;
    PostJob(
        job,
        [&finished, &loop] {
            finished = true;
            loop.quit();
        },
        [signal] { signal->Set(); });
    if (signal->WaitFor(kPlainWait)) {
        // What the job reported, then its done, which were posted in that order.
        if (m_reports != nullptr)
            m_reports->Deliver();
        QCoreApplication::sendPostedEvents(this);
    }
    if (!finished)
        loop.exec(flags);
    // An event loop returns at once while the application is quitting; the job still writes
    // into this frame, so the wait goes on without one.
    while (!finished)
        QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
    // done was posted just before ran was called, so this is a moment at most; it orders the
    // job's last touch of the signal before the signal goes, in terms ThreadSanitizer sees.
    signal->WaitFor(kPlainWait);
    --m_waiting;
}

} // namespace qmcal
