// ui_stall: the longest gap between the ticks of a 10 ms timer on the UI thread while the main
// window waits for the radio. Cases:
//   read         a whole Read from the simulator at the line's speed (9600 baud, paced)
//   silent-read  a Read from a radio that never answers
//   auto         5 s of Auto measurement on the RSSI page while the radio stays silent
//   write        Program > Write answered with OK, with its read-back, at the line's speed
// Usage: ui_stall [--runs N] [--sync] [CASE...]   (all cases, 5 runs, by default)
// --sync runs every call on the UI thread, as the program did before it had a link thread.

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include "app/AppContext.h"
#include "app/HeaderReporter.h"
#include "shell/IniSettings.h"
#include "app/MainDialog.h"
#include "app/ShellState.h"
#include "app/UserDialogs.h"
#include "data/FactoryImage.h"
#include "data/ParamFile.h"
#include "link/LinkThread.h"
#include "link/QueuedReporter.h"
#include "pages/AutoMeasurePage.h"
#include "sim/PtyHost.h"

namespace {

using namespace qmcal;
using Clock = QElapsedTimer;

constexpr int kTickMs = 10;
constexpr int kAutoMs = 5000;
constexpr int kRssiSlot = 7;
constexpr double kReadLineSeconds = 286.0 * (7 + 12) * 10 / 9600;
// 290 Store frames of 14 bytes and their 4-byte Acks, then 286 blocks read back.
constexpr double kWriteLineSeconds = (290.0 * (14 + 4) + 286.0 * (7 + 12)) * 10 / 9600;

// Nothing here asks the user anything.
class NoDialogs final : public UserDialogs {
public:
    QString OpenFileName(QWidget*, const FileDialogOptions&) override { return {}; }
    QString SaveFileName(QWidget*, const FileDialogOptions&) override { return {}; }
    void Message(QWidget*, const QString& text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool Ask(QWidget*, const QString&) override { return true; }
    int RunModal(QDialog&) override { return 0; }
};

// The longest time between two ticks of a 10 ms timer, from Start to Stop.
class GapMeter {
public:
    GapMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kTickMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
        m_clock.start();
        m_timer.start();
    }
    void Start()
    {
        m_last = m_clock.elapsed();
        m_longest = 0;
        m_on = true;
    }
    qint64 Stop()
    {
        Tick();
        m_on = false;
        return m_longest;
    }

private:
    void Tick()
    {
        if (!m_on)
            return;
        const qint64 now = m_clock.elapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }

    QTimer m_timer;
    Clock m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    bool m_on = false;
};

void Spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// What CalApp owns, with a simulated radio on a pseudo-terminal as the link's port.
struct Rig {
    Rig(bool threaded, bool silent) : host(sim::SimRadio(FactoryMemory()), true)
    {
        std::string error;
        if (!host.Start(&error)) {
            std::fprintf(stderr, "ui_stall: cannot start the simulator: %s\n", error.c_str());
            std::exit(1);
        }
        shell.exeFolder = dir.path() + QLatin1Char('/');
        shell.dataFolder = shell.exeFolder;
        shell.defaultFile = DefaultFilePath(shell.exeFolder);
        ParamImage factory;
        FillFactoryImage(factory);
        SaveImageFileAs(factory, shell.defaultFile);
        settings.SetFileName(shell.exeFolder, QStringLiteral("Program.ini"));
        if (threaded)
            thread = std::make_unique<LinkThread>(link, &queued);
        context.linkThread = thread.get();
        const QString path = QString::fromStdString(host.SlavePath());
        auto attach = [path](RadioLink& l) {
            l.SetPort(OpenPort(path, kFoundProfile));
            l.SetCurrentPortName(path);
        };
        if (thread)
            thread->Call(attach, QEventLoop::AllEvents);
        else
            attach(link);
        if (silent)
            Silence();
    }

    static sim::RadioMemory FactoryMemory()
    {
        ParamImage factory;
        FillFactoryImage(factory);
        return factory.ParamArea();
    }

    void Silence()
    {
        sim::Faults faults = host.FaultSettings();
        faults.silentAfter = host.FramesReceived();
        host.SetFaults(faults);
    }

    sim::PtyHost host;
    QTemporaryDir dir;
    NoDialogs dialogs;
    HeaderReporter reporter{dialogs};
    QueuedReporter queued{reporter};
    ParamImage image;
    CommandNameMap names = MakeCommandNameMap();
    ShellState shell;
    IniSettings settings;
    RadioLink link{image, names, queued};
    std::unique_ptr<LinkThread> thread;
    AppContext context{image, link, names, shell, settings, dialogs, reporter};
};

struct Result {
    qint64 gapMs = 0;
    double seconds = 0;
    QString prompt;
};

Result RunCase(const std::string& name, bool threaded, GapMeter& meter)
{
    const bool read = name == "read";
    Rig rig(threaded, !read && name == "silent-read");
    MainDialogSeams seams;
    seams.portLister = [] { return QStringList(); };
    if (name != "auto")
        seams.pageFactory = {};
    MainDialog dialog(rig.context, std::move(seams));
    dialog.show();
    Spin(300);

    Result result;
    Clock took;
    if (name == "auto") {
        auto* page = qobject_cast<AutoMeasurePage*>(dialog.Page(kRssiSlot));
        if (page == nullptr) {
            std::fprintf(stderr, "ui_stall: no RSSI page\n");
            std::exit(1);
        }
        page->AutoClicked();
        if (!page->Measuring()) {
            std::fprintf(stderr, "ui_stall: Auto did not start\n");
            std::exit(1);
        }
        rig.Silence();
        meter.Start();
        took.start();
        Spin(kAutoMs);
        result.gapMs = meter.Stop();
        result.seconds = static_cast<double>(took.elapsed()) / 1000;
        page->AutoClicked();
    } else {
        // Write has an image from the radio to send; its question is answered with OK.
        rig.shell.imageFromRadio = name == "write";
        meter.Start();
        took.start();
        dialog.RunCommand(name == "write" ? Command::Write : Command::Read);
        result.gapMs = meter.Stop();
        result.seconds = static_cast<double>(took.elapsed()) / 1000;
    }
    result.prompt = dialog.PromptField()->text();
    dialog.close();
    return result;
}

template <typename T>
T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    int runs = 5;
    bool threaded = true;
    std::vector<std::string> cases;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--sync"))
            threaded = false;
        else if (args[i] == QLatin1String("read") || args[i] == QLatin1String("silent-read")
                 || args[i] == QLatin1String("auto") || args[i] == QLatin1String("write"))
            cases.push_back(args[i].toStdString());
        else {
            std::fprintf(stderr, "usage: ui_stall [--runs N] [--sync] [read|silent-read|auto|write...]\n");
            return 2;
        }
    }
    if (cases.empty())
        cases = {"read", "silent-read", "auto", "write"};

    GapMeter meter;
    std::printf("link calls on %s\n", threaded ? "the link thread" : "the UI thread (--sync)");
    for (const std::string& name : cases) {
        std::vector<qint64> gaps;
        std::vector<double> seconds;
        for (int run = 1; run <= runs; ++run) {
            const Result r = RunCase(name, threaded, meter);
            gaps.push_back(r.gapMs);
            seconds.push_back(r.seconds);
            std::printf("%-11s run %d: longest gap %5lld ms, took %.3f s, Prompt \"%s\"\n", name.c_str(), run,
                        static_cast<long long>(r.gapMs), r.seconds, qPrintable(r.prompt));
            std::fflush(stdout);
        }
        std::printf("%-11s median longest gap %lld ms over %d runs (goal <= 50 ms)", name.c_str(),
                    static_cast<long long>(Median(gaps)), runs);
        if (name == "read")
            std::printf("; Read median %.3f s, %.3f x the line's %.3f s", Median(seconds),
                        Median(seconds) / kReadLineSeconds, kReadLineSeconds);
        if (name == "write")
            std::printf("; Write with its read-back median %.3f s, %.3f x the line's %.3f s", Median(seconds),
                        Median(seconds) / kWriteLineSeconds, kWriteLineSeconds);
        std::printf("\n");
    }
    return 0;
}
