#include "link/PortDetector.h"

#include <thread>

#include <QSerialPort>
#include <QThread>

#include "link/LinkThread.h"
#include "link/QueuedCall.h"
#include "link/RadioLink.h"
#include "link/SerialPortAdapter.h"

namespace qmcal {

namespace {

constexpr int kProbeTries = 2;
constexpr std::chrono::milliseconds kProbeBytePause{2};

bool Answered(SerialPort& port)
{
    port.Purge();
    // The radio wants the probe a byte at a time.
    for (const std::uint8_t byte : kProbeFrame) {
        port.Write(Bytes{byte});
        std::this_thread::sleep_for(kProbeBytePause);
    }
    return port.Read(kAck.size()) == kAck;
}

// Qt's own short form of a port name, so that "/dev/ttyUSB0" and "ttyUSB0" count as one port.
QString ShortName(const QString& name)
{
    QSerialPort port;
    port.setPortName(name);
    return port.portName();
}

// Each port once, in the order given.
QStringList Merge(const QStringList& extraPorts, const QStringList& systemPorts)
{
    QStringList names;
    QStringList shortNames;
    for (const QString& name : extraPorts + systemPorts) {
        const QString shortName = ShortName(name);
        if (!shortNames.contains(shortName)) {
            shortNames.append(shortName);
            names.append(name);
        }
    }
    return names;
}

} // namespace

QStringList ListPorts(const QStringList& extraPorts)
{
    return Merge(extraPorts, SystemPortList::EnumerateSystemPorts());
}

QStringList ListPorts(const QStringList& extraPorts, SystemPortList& systemPorts)
{
    return Merge(extraPorts, systemPorts.Ports());
}

ProbeResult ProbePass(const QStringList& names, const PortOpener& open,
                      const std::function<bool()>& stopRequested)
{
    ProbeResult result;
    for (const QString& name : names) {
        std::unique_ptr<SerialPort> port = open(name, kProbingProfile);
        if (!port) {
            result.unopened << name;
            continue;
        }
        result.probedAny = true;
        for (int attempt = 0; attempt < kProbeTries; ++attempt) {
            if (Answered(*port)) {
                port->SetProfile(kFoundProfile);
                result.port = std::move(port);
                result.name = name;
                return result;
            }
        }
        port->Close();
        if (stopRequested()) {
            result.stopped = true;
            return result;
        }
    }
    return result;
}

PortDetector::PortDetector(RadioLink& link, PortLister lister, PortOpener opener, LinkThread* linkThread,
                           PortDiagnoser diagnose)
    : m_link(link),
      m_lister(std::move(lister)),
      m_opener(std::move(opener)),
      m_linkThread(linkThread),
      m_diagnose(std::move(diagnose))
{
    // Every port a pass opens, whether it answers or not, may have taken over a stale lock.
    m_loggedOpener = [this](const QString& name, const TimeoutProfile& profile) {
        std::unique_ptr<SerialPort> port = m_opener(name, profile);
        if (port)
            m_link.LogPortOpened(*port);
        return port;
    };
}

PortDetector::~PortDetector()
{
    StopPortDetection();
}

void PortDetector::StartPortDetection()
{
    // Once stopped, the search stays stopped for the rest of the run.
    if (m_thread || StopRequested())
        return;
    m_portThread = m_linkThread ? m_linkThread->Thread() : thread();
    // A QThread rather than a std::thread: the serial port objects made on it need an event
    // dispatcher there.
    m_thread.reset(QThread::create([this] { Run(); }));
    m_thread->setObjectName(QStringLiteral("PortDetector"));
    m_thread->start();
}

void PortDetector::StopPortDetection()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_stopChanged.notify_all();
    if (m_thread)
        m_thread->wait();
    // A find queued just before the stop is taken now, not after the caller moved on.
    HandOver();
    if (m_handingOver)
        m_linkThread->Call([](RadioLink&) {}, QEventLoop::ExcludeUserInputEvents);
}

bool PortDetector::Running() const
{
    return m_thread && m_thread->isRunning();
}

bool PortDetector::StopRequested()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_stop;
}

void PortDetector::Run()
{
    for (;;) {
        ProbeResult result = ProbePass(m_lister(), m_loggedOpener, [this] { return StopRequested(); });
        ReportUnopened(result.unopened);
        if (result.port) {
            result.port->MoveToThread(m_portThread);
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                m_foundPort = std::move(result.port);
                m_foundName = result.name;
            }
            // Queued, never blocking: the UI thread may be waiting for this thread to end.
            QueueCall(this, [this] { HandOver(); });
            return;
        }
        if (result.stopped)
            return;
        if (!result.probedAny) {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (m_stopChanged.wait_for(lock, kIdlePause, [this] { return m_stop; }))
                return;
        }
    }
}

// Once per port and reason, not on every pass: the search runs several passes a second.
void PortDetector::ReportUnopened(const QStringList& names)
{
    if (!m_diagnose)
        return;
    for (const QString& name : names) {
        const PortFailure failure = m_diagnose(name);
        const auto said = m_saidReasons.constFind(name);
        if (said != m_saidReasons.cend() && *said == failure.reason)
            continue;
        m_saidReasons.insert(name, failure.reason);
        qCWarning(lcLink).noquote() << name + QStringLiteral(": ") + failure.reason;
        m_link.LogPortEvent(QStringLiteral("Detect"), name, failure.reason);
    }
}

void PortDetector::HandOver()
{
    std::unique_ptr<SerialPort> port;
    QString name;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        port = std::move(m_foundPort);
        name = m_foundName;
    }
    if (!port)
        return;
    if (m_linkThread == nullptr) {
        m_link.SetPort(std::move(port));
        m_link.SetCurrentPortName(name);
        Q_EMIT PortFound(name);
        return;
    }
    // The port belongs to the link's thread now: it is set there, between two calls.
    auto handed = std::make_shared<std::unique_ptr<SerialPort>>(std::move(port));
    m_handingOver = true;
    m_linkThread->Post(
        [handed, name](RadioLink& link) {
            link.SetPort(std::move(*handed));
            link.SetCurrentPortName(name);
        },
        [this, name] {
            m_handingOver = false;
            Q_EMIT PortFound(name);
        });
}

} // namespace qmcal
