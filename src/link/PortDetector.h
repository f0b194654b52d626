#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include "link/PortFailure.h"
#include "link/SerialPort.h"
#include "link/SystemPortList.h"

class QThread;

namespace qmcal {

class LinkThread;
class RadioLink;

using PortOpener = std::function<std::unique_ptr<SerialPort>(const QString& name, const TimeoutProfile& profile)>;
using PortLister = std::function<QStringList()>;

// The ports to probe: those named on the command line first, then the system's serial ports
// in the system's order.
QStringList ListPorts(const QStringList& extraPorts);
QStringList ListPorts(const QStringList& extraPorts, SystemPortList& systemPorts);

struct ProbeResult {
    std::unique_ptr<SerialPort> port;  // the port that answered, switched to the found profile
    QString name;
    bool probedAny = false;            // some listed port could be opened
    bool stopped = false;              // the stop request was seen
    QStringList unopened;              // the names that could not be opened, in order
};

// One pass of the probe over names, in order. A port that cannot be opened is skipped at
// once; one that opens is tried twice, and after it has been closed again stopRequested is
// asked whether to give up.
ProbeResult ProbePass(const QStringList& names, const PortOpener& open,
                      const std::function<bool()>& stopRequested);

// Searches for the radio on its own thread until it answers on some port or detection is
// stopped. The port that answered goes to the link on the link's thread when there is one,
// after the calls made before it; else on the UI thread.
class PortDetector : public QObject {
    Q_OBJECT

public:
    // A pass that could open no port waits this long on the stop request before the next
    // pass, so an idle search does not keep a processor busy.
    static constexpr std::chrono::milliseconds kIdlePause{250};

    // diagnose, when given, says once per port and reason why a port could not be opened.
    PortDetector(RadioLink& link, PortLister lister, PortOpener opener = &OpenPort,
                 LinkThread* linkThread = nullptr, PortDiagnoser diagnose = {});
    ~PortDetector() override;
    PortDetector(const PortDetector&) = delete;
    PortDetector& operator=(const PortDetector&) = delete;

    // Starts the search; does nothing if it has already been started once.
    void StartPortDetection();
    // Asks the search to end and waits until it has; a port it found by then is in the link
    // when this returns. It is not started again.
    void StopPortDetection();
    bool Running() const;

Q_SIGNALS:
    // On the UI thread, once the link holds the port and its name.
    void PortFound(const QString& name);

private:
    void Run();
    bool StopRequested();
    void HandOver();
    void ReportUnopened(const QStringList& names);

    RadioLink& m_link;
    PortLister m_lister;
    PortOpener m_opener;
    PortOpener m_loggedOpener;  // m_opener, with what an open took logged
    LinkThread* m_linkThread = nullptr;
    PortDiagnoser m_diagnose;
    QHash<QString, QString> m_saidReasons;  // the detector thread's own
    QThread* m_portThread = nullptr;  // where the port that answered goes
    bool m_handingOver = false;       // the link's thread has the port but not yet set it
    std::unique_ptr<QThread> m_thread;

    std::mutex m_mutex;  // guards everything below
    std::condition_variable m_stopChanged;
    bool m_stop = false;
    std::unique_ptr<SerialPort> m_foundPort;
    QString m_foundName;
};

} // namespace qmcal
