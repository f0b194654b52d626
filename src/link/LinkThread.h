#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

#include <QEventLoop>
#include <QObject>
#include <QThread>

namespace qmcal {

class QueuedReporter;
class RadioLink;

// The one thread on which the link's calls run, so that the UI thread never waits on the radio.
// It owns the link's port: a QSerialPort must be used on the thread it belongs to, so ports are
// opened here or moved here. Jobs run one at a time, in the order they were posted, and talk to
// the UI thread by queued calls only: the link reports through a QueuedReporter.
class LinkThread final : public QObject {
public:
    using Job = std::function<void(RadioLink&)>;

    // A call that is over within this time is waited for without an event loop, so that
    // nothing else happens meanwhile, as before the link had a thread of its own: a short
    // exchange takes the line 10 to 20 ms. A slower call has the windows painting after it.
    static constexpr std::chrono::milliseconds kPlainWait{20};

    // Made on the UI thread. A port already on the link moves to the new thread. reports is
    // the link's reporter, whose reports Call shows before it returns.
    LinkThread(RadioLink& link, QueuedReporter* reports);
    // Waits for the jobs still queued, with every read stopped and no message waited for: a job
    // never waits for the UI thread while the UI thread waits here. The port goes back to the
    // UI thread.
    ~LinkThread() override;
    LinkThread(const LinkThread&) = delete;
    LinkThread& operator=(const LinkThread&) = delete;

    QThread* Thread() { return &m_thread; }

    // Runs job here after every job posted before it; done, if any, then runs on the UI thread
    // after everything the job reported there. Callable from any thread.
    void Post(Job job, std::function<void()> done = {});
    // Posts job and returns once it has run and its reports have been shown; after kPlainWait
    // the UI thread's events are processed with flags meanwhile. UI thread only.
    void Call(const Job& job, QEventLoop::ProcessEventsFlags flags);
    // Whether the UI thread is inside Call.
    bool Waiting() const { return m_waiting > 0; }

    // The jobs posted so far end their reads at once, as failed reads, and wait no longer for
    // the reply to a PTT or test end (see RadioLink::SetReadStop); a job posted afterwards runs
    // in full. Any thread.
    void StopRead();

private:
    // ran, if any, is called on this thread once job has run and done has been posted.
    void PostJob(Job job, std::function<void()> done, std::function<void()> ran);
    // On this thread: whether the running job was posted before a stop.
    bool ReadStopped() const;

    RadioLink& m_link;
    QueuedReporter* m_reports = nullptr;
    QThread m_thread;
    QObject m_worker;  // lives on m_thread: posted jobs run through it
    // Jobs are numbered as they are posted, from 1; a stop covers the numbers up to m_stopped.
    std::atomic<std::uint64_t> m_posted{0};
    std::atomic<std::uint64_t> m_stopped{0};
    std::atomic<std::uint64_t> m_running{0};  // the number of the job running, 0 between jobs
    int m_waiting = 0;
};

} // namespace qmcal
