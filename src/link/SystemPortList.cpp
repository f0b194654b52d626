#include "link/SystemPortList.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace qmcal {

SystemPortList::SystemPortList(Enumerate enumerate, QString deviceFolder, std::chrono::milliseconds refresh)
    : m_enumerate(std::move(enumerate)), m_deviceFolder(std::move(deviceFolder)), m_refresh(refresh)
{
}

QStringList SystemPortList::EnumerateSystemPorts()
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names.append(info.portName());
    return names;
}

QStringList SystemPortList::Ports()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    // Taken before the list, so a device that arrives while listing shows as a change next time.
    const QDateTime modified = QFileInfo(m_deviceFolder).lastModified();
    const Clock::time_point now = Clock::now();
    const bool fresh = m_valid && modified.isValid() && modified == m_folderModified && now - m_takenAt < m_refresh;
    if (!fresh) {
        m_ports = m_enumerate();
        m_folderModified = modified;
        m_takenAt = now;
        m_valid = true;
    }
    return m_ports;
}

} // namespace qmcal
