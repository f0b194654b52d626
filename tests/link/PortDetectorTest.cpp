// The search for the radio: the probe on the wire, and the detector thread on real
// pseudo-terminals.

#include <atomic>
#include <future>
#include <mutex>
#include <thread>

#include <sys/time.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "RecordingReporter.h"
#include "data/SessionLog.h"
#include "link/LinkThread.h"
#include "link/PortDetector.h"
#include "link/RadioLink.h"
#include "link/SystemPortList.h"
#include "support/SimPorts.h"
#include "support/Watchdog.h"

namespace qmcal::test {
namespace {

using namespace std::chrono_literals;

// A loopback port that writes down what the probe does with it.
class TracedPort final : public SerialPort {
public:
    TracedPort(std::unique_ptr<SerialPort> inner, QStringList& trace) : m_inner(std::move(inner)), m_trace(trace) {}

    void SetProfile(const TimeoutProfile& profile) override
    {
        m_trace << (&profile == &kFoundProfile ? QStringLiteral("found profile") : QStringLiteral("other profile"));
        m_inner->SetProfile(profile);
    }
    void Purge() override
    {
        m_trace << QStringLiteral("purge");
        m_inner->Purge();
    }
    std::int64_t Write(const Bytes& data) override
    {
        m_trace << QStringLiteral("write ") + QByteArray(reinterpret_cast<const char*>(data.data()),
                                                          static_cast<qsizetype>(data.size())).toHex(' ');
        return m_inner->Write(data);
    }
    using SerialPort::Read;
    Bytes Read(std::size_t n, const ReadStop& stop) override
    {
        m_trace << QStringLiteral("read %1").arg(n);
        return m_inner->Read(n, stop);
    }
    void Close() override
    {
        m_trace << QStringLiteral("close");
        m_inner->Close();
    }
    QString Name() const override { return m_inner->Name(); }

private:
    std::unique_ptr<SerialPort> m_inner;
    QStringList& m_trace;
};

// A link over a fresh image, and ports by name on simulated radios.
struct LinkHarness {
    ParamImage image;
    CommandNameMap names = MakeCommandNameMap();
    RecordingReporter reporter;
    RadioLink link{image, names, reporter};
    FakePorts ports;
};

const QStringList kOneTry{"purge", "write 57", "write 00", "write 00", "write 00", "read 4"};

QStringList Concat(std::initializer_list<QStringList> parts)
{
    QStringList all;
    for (const QStringList& p : parts)
        all += p;
    return all;
}

TEST(ProbePass, ProbesAsTheRadioExpectsAndSkipsBusyPortsWithoutLookingAtTheStop)
{
    // busy: cannot be opened; silent: opens, never answers; radio: answers.
    const struct {
        const char* name;
        QStringList ports;
        bool stopAfterFirstLook;
        QStringList trace;
        const char* found;
    } cases[] = {
        {"busy ports are skipped at once", {"busy1", "busy2", "radio"}, true,
         Concat({{"open radio", "profile probing"}, kOneTry, {"found profile"}}), "radio"},
        {"a silent port is tried twice, closed, then the stop is looked at", {"silent", "radio"}, false,
         Concat({{"open silent", "profile probing"}, kOneTry, kOneTry, {"close", "stop?"},
                 {"open radio", "profile probing"}, kOneTry, {"found profile"}}),
         "radio"},
        {"a stop seen after a silent port ends the pass", {"silent", "radio"}, true,
         Concat({{"open silent", "profile probing"}, kOneTry, kOneTry, {"close", "stop?"}}), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePorts ports;
        sim::SimRadio& silent = ports.Add(QStringLiteral("silent"), MarkedMemory(0));
        silent.FaultSettings().silentAfter = 0;
        ports.Add(QStringLiteral("radio"), MarkedMemory(0));
        QStringList trace;
        const PortOpener open = [&](const QString& name, const TimeoutProfile& profile) -> std::unique_ptr<SerialPort> {
            std::unique_ptr<SerialPort> port = ports.Open(name, profile);
            if (!port)
                return nullptr;
            trace << QStringLiteral("open ") + name
                  << (&profile == &kProbingProfile ? QStringLiteral("profile probing") : QStringLiteral("profile other"));
            return std::make_unique<TracedPort>(std::move(port), trace);
        };
        const ProbeResult result = ProbePass(c.ports, open, [&] {
            trace << QStringLiteral("stop?");
            return c.stopAfterFirstLook;
        });
        EXPECT_EQ(trace, c.trace) << trace.join(QLatin1String(" | ")).toStdString();
        EXPECT_EQ(result.name, QLatin1String(c.found));
        EXPECT_EQ(result.port != nullptr, *c.found != '\0');
        EXPECT_TRUE(result.probedAny);
    }
}

// Runs StopPortDetection with a guard: a detector that cannot be stopped fails the test
// instead of hanging it.
void StopWithin(PortDetector& detector, std::chrono::seconds limit)
{
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> stopped = done->get_future();
    std::thread([&detector, done] {
        detector.StopPortDetection();
        done->set_value();
    }).detach();
    if (stopped.wait_for(limit) != std::future_status::ready) {
        ADD_FAILURE() << "StopPortDetection did not return";
        std::abort();
    }
}

TEST(PortDetector, FindsTheRadioOnTheThirdPortAfterTryingTheSilentOnesTwice)
{
    LinkHarness h;
    std::vector<std::unique_ptr<sim::PtyHost>> hosts;
    hosts.push_back(StartHost(true));
    hosts.push_back(StartHost(true));
    hosts.push_back(StartHost(false));
    QStringList names;
    for (const auto& host : hosts)
        names << QString::fromStdString(host->SlavePath());

    PortDetector detector(h.link, [names] { return names; });
    QSignalSpy found(&detector, &PortDetector::PortFound);
    detector.StartPortDetection();
    ASSERT_TRUE(found.wait(20000));

    EXPECT_EQ(found.takeFirst().at(0).toString(), names[2]);
    EXPECT_EQ(h.link.CurrentPortName(), names[2]);
    EXPECT_EQ(hosts[0]->FramesReceived(), 2);
    EXPECT_EQ(hosts[1]->FramesReceived(), 2);
    EXPECT_EQ(hosts[2]->FramesReceived(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !detector.Running(); }, 5000));

    // Exchanges now go to the third port, from the UI thread.
    EXPECT_EQ(h.link.SetFlag(0x41, 1), ExchangeResult::Ok);
    const std::vector<sim::WireBytes> log = hosts[2]->FrameLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1], (sim::WireBytes{0x57, 0x41, 0x0E, 0x01, 0x01}));
    EXPECT_EQ(hosts[0]->FramesReceived(), 2);
}

TEST(PortDetector, StopsWhileScanningASilentPort)
{
    LinkHarness h;
    const std::unique_ptr<sim::PtyHost> silent = StartHost(true);
    const QString name = QString::fromStdString(silent->SlavePath());
    PortDetector detector(h.link, [name] { return QStringList{name}; });
    detector.StartPortDetection();
    ASSERT_TRUE(QTest::qWaitFor([&] { return silent->FramesReceived() >= 1; }, 10000));

    StopWithin(detector, 10s);

    EXPECT_FALSE(detector.Running());
    EXPECT_FALSE(h.link.HasPort());
    EXPECT_TRUE(h.link.CurrentPortName().isEmpty());
    // Stopped for good: starting again does nothing.
    detector.StartPortDetection();
    EXPECT_FALSE(detector.Running());
}

TEST(PortDetector, StopsWithNoPortsListedAndWithOnlyBusyOnes)
{
    const struct {
        const char* name;
        QStringList ports;
    } cases[] = {
        {"no ports", {}},
        {"only busy ports", {"busy1", "busy2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LinkHarness h;
        std::atomic<int> passes{0};
        const QStringList listed = c.ports;
        PortDetector detector(h.link, [&passes, listed] {
            ++passes;
            return listed;
        }, h.ports.Opener());
        detector.StartPortDetection();
        ASSERT_TRUE(QTest::qWaitFor([&] { return passes >= 2; }, 10000));

        StopWithin(detector, 10s);

        EXPECT_FALSE(detector.Running());
        EXPECT_FALSE(h.link.HasPort());
    }
}

// What the detector says on stderr, caught on its way there (Qt's handler is a plain function).
struct SaidOnStderr {
    static QStringList& Lines()
    {
        static QStringList lines;
        return lines;
    }
    static std::mutex& Mutex()
    {
        static std::mutex mutex;
        return mutex;
    }
    static void Catch(QtMsgType, const QMessageLogContext& context, const QString& text)
    {
        const std::lock_guard<std::mutex> lock(Mutex());
        if (QLatin1String(context.category) == QLatin1String("qmcal.link"))
            Lines() << text;
    }
    SaidOnStderr() { m_previous = qInstallMessageHandler(&Catch); }
    ~SaidOnStderr()
    {
        qInstallMessageHandler(m_previous);
        Lines().clear();
    }
    QStringList Taken()
    {
        const std::lock_guard<std::mutex> lock(Mutex());
        return Lines();
    }
    QtMessageHandler m_previous = nullptr;
};

// The background search runs several passes a second: a port's reason is said once, and again
// only when it changes.
TEST(PortDetector, SaysOncePerPortAndReasonWhyAPortCouldNotBeOpened)
{
    LinkHarness h;
    QTemporaryDir data;
    SessionLog log;
    log.SetDataFolder(data.path());
    h.link.SetSessionLog(&log);
    SaidOnStderr said;
    std::atomic<int> diagnosed{0};
    PortDetector detector(
        h.link, [] { return QStringList{"ttyUSB0", "ttyUSB1"}; }, h.ports.Opener(), nullptr,
        [&diagnosed](const QString& name) {
            const bool unplugged = name == QLatin1String("ttyUSB1") && ++diagnosed > 6;
            return unplugged ? PortFailure{PortFailure::Kind::NoDevice, QStringLiteral("no such device")}
                             : PortFailure{PortFailure::Kind::Busy, QStringLiteral("busy (in use by another program)")};
        });
    detector.StartPortDetection();
    ASSERT_TRUE(QTest::qWaitFor([&] { return diagnosed >= 10; }, 20000));
    StopWithin(detector, 10s);

    EXPECT_EQ(said.Taken().join(QLatin1Char('\n')).toStdString(),
              "ttyUSB0: busy (in use by another program)\n"
              "ttyUSB1: busy (in use by another program)\n"
              "ttyUSB1: no such device");
    // The same lines in the session log: time, command, port, file, result.
    QFile logged(SessionLogFolder(data.path()) + QLatin1Char('/') + SessionLogFileName(QDateTime::currentDateTime()));
    ASSERT_TRUE(logged.open(QIODevice::ReadOnly));
    QStringList lines;
    for (const QString& line : QString::fromUtf8(logged.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        lines << line.section(QLatin1Char('\t'), 1);
    EXPECT_EQ(lines.join(QLatin1Char('\n')).toStdString(),
              "Detect\tttyUSB0\t\tbusy (in use by another program)\n"
              "Detect\tttyUSB1\t\tbusy (in use by another program)\n"
              "Detect\tttyUSB1\t\tno such device");
}

// The radio answered and the detector's thread has ended, but the UI thread has not yet run
// its events: the port it found is the link's, on the link's thread, once the stop returns.
TEST(PortDetector, APortFoundJustBeforeTheStopIsHandedOverAtOnce)
{
    LinkHarness h;
    h.ports.Add(QStringLiteral("radio"), MarkedMemory(0x21));
    LinkThread linkThread(h.link, nullptr);
    PortDetector detector(h.link, [] { return QStringList{QStringLiteral("radio")}; }, h.ports.Opener(),
                          &linkThread);
    QSignalSpy found(&detector, &PortDetector::PortFound);
    detector.StartPortDetection();
    for (int i = 0; i < 1000 && detector.Running(); ++i)
        std::this_thread::sleep_for(10ms);
    ASSERT_FALSE(detector.Running());

    FinishWithin(10s, "StopPortDetection", [&detector] { detector.StopPortDetection(); });

    EXPECT_TRUE(h.link.PortIsOpen());
    EXPECT_EQ(h.link.CurrentPortName(), QStringLiteral("radio"));
    ASSERT_EQ(found.count(), 1);
    EXPECT_EQ(found.at(0).at(0).toString(), QStringLiteral("radio"));
}

// Sets a folder's modification time, as a device node coming or going does to /dev.
void SetModified(const QString& folder, long seconds)
{
    const timeval times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimes(QFile::encodeName(folder).constData(), times), 0);
}

TEST(SystemPortList, ListsAgainOnlyWhenTheDeviceFolderChangedOrTheListIsOld)
{
    QTemporaryDir dev;
    int listings = 0;
    QStringList system{"ttyS0"};
    const SystemPortList::Enumerate enumerate = [&] {
        ++listings;
        return system;
    };

    SystemPortList cached(enumerate, dev.path(), std::chrono::hours(1));
    SetModified(dev.path(), 1000);
    EXPECT_EQ(cached.Ports(), QStringList{"ttyS0"});
    system << QStringLiteral("ttyUSB0");
    EXPECT_EQ(cached.Ports(), QStringList{"ttyS0"});
    EXPECT_EQ(listings, 1);
    SetModified(dev.path(), 2000);  // the adapter's node appeared
    EXPECT_EQ(cached.Ports(), QStringList({"ttyS0", "ttyUSB0"}));
    EXPECT_EQ(listings, 2);

    SystemPortList old(enumerate, dev.path(), std::chrono::milliseconds(0));
    old.Ports();
    old.Ports();
    EXPECT_EQ(listings, 4) << "a list past its refresh period is taken again";

    SystemPortList noFolder(enumerate, dev.filePath(QStringLiteral("missing")), std::chrono::hours(1));
    noFolder.Ports();
    noFolder.Ports();
    EXPECT_EQ(listings, 6) << "without a folder to watch, every pass lists";

    // The command line's ports come first, and a system port named there, by its name or by its
    // device path, is not probed twice.
    EXPECT_EQ(ListPorts({"/dev/pts/3", "ttyUSB0"}, cached), QStringList({"/dev/pts/3", "ttyUSB0", "ttyS0"}));
    EXPECT_EQ(ListPorts({"/dev/ttyS0", "/dev/pts/3", "/dev/pts/3"}, cached),
              QStringList({"/dev/ttyS0", "/dev/pts/3", "ttyUSB0"}));
}

} // namespace
} // namespace qmcal::test
