#pragma once

#include <QObject>

#include "link/LinkReporter.h"

namespace qmcal {

// Hands what the link reports on its own thread to the thread this was made on (the UI thread),
// in the order it was reported. A message box is shown before the link goes on, as the busy
// refusal must be seen before anything else happens. Reports made on the UI thread itself pass
// straight through.
class QueuedReporter final : public LinkReporter {
public:
    explicit QueuedReporter(LinkReporter& target);

    void ShowPrompt(const QString& text) override;
    void ShowPtt(const QString& text) override;
    void ShowMessage(const QString& text) override;
    void ShowProgress(int done, int total) override;

    // Shows at once what has been reported so far and not yet shown. UI thread only.
    void Deliver();

private:
    template <typename F>
    void Report(F report, Qt::ConnectionType acrossThreads);

    LinkReporter& m_target;
    QObject m_receiver;  // lives on the UI thread
};

} // namespace qmcal
