#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include <QObject>

#include "link/LinkReporter.h"

namespace qmcal {

// Hands what the link reports on its own thread to the thread this was made on (the UI thread),
// in the order it was reported. A message box is shown before the link goes on, as the busy
// refusal must be seen before anything else happens, unless the UI thread is going away
// (StopWaiting). Reports made on the UI thread itself pass straight through.
class QueuedReporter final : public LinkReporter {
public:
    explicit QueuedReporter(LinkReporter& target);

    void ShowPrompt(const QString& text) override;
    void ShowPtt(const QString& text) override;
    void ShowMessage(const QString& text) override;
    void ShowProgress(int done, int total) override;

    // Shows at once what has been reported so far and not yet shown. UI thread only.
    void Deliver();
    // From now on no report waits for the UI thread, which is about to wait for the link's
    // thread; a message still waiting returns at once. Any thread.
    void StopWaiting();

private:
    template <typename F>
    void Report(F report);

    LinkReporter& m_target;
    QObject m_receiver;  // lives on the UI thread
    std::mutex m_mutex;  // guards the four below
    std::condition_variable m_shown;
    std::uint64_t m_messagesPosted = 0;  // messages are numbered, and shown in that order
    std::uint64_t m_messagesShown = 0;
    bool m_stopWaiting = false;
};

} // namespace qmcal
