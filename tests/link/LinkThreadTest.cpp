// The link's own thread: which jobs a stop reaches, and a teardown that never waits for good.

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include <QCoreApplication>
#include <QTest>

#include "RecordingReporter.h"
#include "link/LinkThread.h"
#include "link/QueuedReporter.h"
#include "link/RadioLink.h"
#include "support/SimPorts.h"
#include "support/Watchdog.h"

namespace qmcal::test {
namespace {

using namespace std::chrono_literals;

// The link on its thread, on a loopback port to a simulated radio; reports reach the recorder
// only through the UI thread's events.
struct ThreadHarness {
    ThreadHarness()
    {
        auto loopback = std::make_unique<LoopbackPort>(radio);
        port = loopback.get();
        link.SetPort(std::move(loopback));
        thread = std::make_unique<LinkThread>(link, &queued);
    }

    // Posts a Read of two blocks; read takes its result on the UI thread once it has run.
    void PostRead(std::optional<bool>& read)
    {
        auto result = std::make_shared<bool>(false);
        thread->Post([result](RadioLink& l) { *result = l.ReadAll(0xF400, 0xF410); },
                     [result, &read] { read = *result; });
    }

    sim::SimRadio radio{MarkedMemory(0x5A)};
    ParamImage image;
    CommandNameMap names = MakeCommandNameMap();
    RecordingReporter reporter;
    QueuedReporter queued{reporter};
    RadioLink link{image, names, queued};
    LoopbackPort* port = nullptr;
    std::unique_ptr<LinkThread> thread;
};

// Waits, with the UI thread's events, until every job posted so far has run.
void Drain(LinkThread& thread)
{
    bool drained = false;
    thread.Post([](RadioLink&) {}, [&drained] { drained = true; });
    ASSERT_TRUE(QTest::qWaitFor([&drained] { return drained; }, 5000));
}

TEST(LinkThread, AStopReachesTheJobsPostedBeforeItAndNoneAfter)
{
    ThreadHarness h;

    // A stop asked while an earlier job runs still reaches the Read queued behind that job.
    std::atomic<bool> go{false};
    std::atomic<bool> running{false};
    h.thread->Post([&](RadioLink&) {
        running = true;
        while (!go)
            std::this_thread::sleep_for(1ms);
    });
    std::optional<bool> queuedBefore;
    h.PostRead(queuedBefore);
    ASSERT_TRUE(QTest::qWaitFor([&running] { return running.load(); }, 5000));
    h.thread->StopRead();
    std::optional<bool> postedAfter;
    h.PostRead(postedAfter);
    go = true;
    Drain(*h.thread);
    EXPECT_EQ(queuedBefore, false);
    EXPECT_EQ(postedAfter, true) << "a stop reached a job posted after it";
    EXPECT_EQ(h.radio.FrameLog().size(), 2u) << "the stopped Read sent a block";

    // A Read waiting for its reply ends at once, without the reply; the next one works.
    h.radio.ClearLog();
    h.port->HoldAt(1);
    std::optional<bool> waiting;
    h.PostRead(waiting);
    ASSERT_TRUE(QTest::qWaitFor([&h] { return h.port->Holding(); }, 5000));
    h.thread->StopRead();
    // Well before the port's own hold runs out: only the stop can have ended it.
    EXPECT_TRUE(QTest::qWaitFor([&waiting] { return waiting.has_value(); }, 5000));
    h.port->Release();
    Drain(*h.thread);
    EXPECT_EQ(waiting, false);
    EXPECT_EQ(h.reporter.prompt, QStringLiteral("Read fail!"));
    std::optional<bool> next;
    h.PostRead(next);
    Drain(*h.thread);
    EXPECT_EQ(next, true);
    EXPECT_EQ(h.reporter.prompt, QStringLiteral("Read success!"));
    EXPECT_EQ(h.image.ParamArea()[0xF400], 0x5A);
}

// The UI thread does not run its events while the thread goes: a job that waits for it must
// give up, or both wait for good.
TEST(LinkThread, GoesAtOnceWhileAJobWaitsForTheUiThreadOrTheRadio)
{
    const struct {
        const char* name;
        std::function<void(ThreadHarness&)> pending;
    } cases[] = {
        {"a job showing a message",
         [](ThreadHarness& h) {
             h.link.PttStart(0x40);
             h.thread->Post([](RadioLink& l) { l.SetParam(0x41, 0x01, 1, 0xF400); });  // refused as busy
         }},
        {"a Read waiting for a radio that went silent",
         [](ThreadHarness& h) {
             h.port->HoldAt(1);
             h.thread->Post([](RadioLink& l) { l.ReadAll(0xF400, 0xF410); });
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto h = std::make_unique<ThreadHarness>();
        c.pending(*h);
        FinishWithin(5s, c.name, [&h] { h->thread.reset(); });
        QCoreApplication::processEvents();
    }
}

} // namespace
} // namespace qmcal::test
