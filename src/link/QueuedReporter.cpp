#include "link/QueuedReporter.h"

#include <QCoreApplication>
#include <QThread>

namespace qmcal {

QueuedReporter::QueuedReporter(LinkReporter& target) : m_target(target) {}

template <typename F>
void QueuedReporter::Report(F report, Qt::ConnectionType acrossThreads)
{
    if (QThread::currentThread() == m_receiver.thread())
        report();
    else
        QMetaObject::invokeMethod(&m_receiver, std::move(report), acrossThreads);
}

void QueuedReporter::Deliver()
{
    QCoreApplication::sendPostedEvents(&m_receiver);
}

void QueuedReporter::ShowPrompt(const QString& text)
{
    Report([this, text] { m_target.ShowPrompt(text); }, Qt::QueuedConnection);
}

void QueuedReporter::ShowPtt(const QString& text)
{
    Report([this, text] { m_target.ShowPtt(text); }, Qt::QueuedConnection);
}

void QueuedReporter::ShowMessage(const QString& text)
{
    Report([this, text] { m_target.ShowMessage(text); }, Qt::BlockingQueuedConnection);
}

void QueuedReporter::ShowProgress(int done, int total)
{
    Report([this, done, total] { m_target.ShowProgress(done, total); }, Qt::QueuedConnection);
}

} // namespace qmcal
