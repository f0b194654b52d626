#pragma once

#include <chrono>
#include <functional>
#include <mutex>

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace qmcal {

// The system's serial ports, in the system's order, for a search that asks several times a
// second. On Linux taking the list walks thousands of sysfs entries (libudev), far more work
// than probing the ports, so the list is taken again only when the device folder has changed
// (a device node came or went) or the last list is older than the refresh period.
class SystemPortList {
public:
    using Enumerate = std::function<QStringList()>;

    explicit SystemPortList(Enumerate enumerate = &EnumerateSystemPorts,
                            QString deviceFolder = QStringLiteral("/dev"),
                            std::chrono::milliseconds refresh = std::chrono::seconds(10));

    // May be called from any thread.
    QStringList Ports();

    // QSerialPortInfo's names, in its order.
    static QStringList EnumerateSystemPorts();

private:
    using Clock = std::chrono::steady_clock;

    Enumerate m_enumerate;
    QString m_deviceFolder;
    std::chrono::milliseconds m_refresh;
    std::mutex m_mutex;  // guards everything below
    bool m_valid = false;
    QDateTime m_folderModified;
    Clock::time_point m_takenAt{};
    QStringList m_ports;
};

} // namespace qmcal
