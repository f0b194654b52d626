#include "link/SerialPortAdapter.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include <QThread>

#include "link/PortFailure.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace qmcal {

Q_LOGGING_CATEGORY(lcLink, "qmcal.link", QtWarningMsg)

namespace {

using Clock = std::chrono::steady_clock;

QByteArray Hex(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()))
        .toHex(' ')
        .toUpper();
}

int Msecs(Clock::duration d)
{
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(d).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, 24LL * 3600 * 1000));
}

} // namespace

SerialPortAdapter::SerialPortAdapter(const QString& name) : m_name(name)
{
    m_port.setPortName(name);
}

std::unique_ptr<SerialPortAdapter> SerialPortAdapter::Open(const QString& name, const TimeoutProfile& profile)
{
    // Qt takes a lock in uucp form (minicom, picocom) for stale even while its process lives,
    // deletes it and opens the port under the other program: a live lock is honoured here.
    QString openNote;
    if (const std::optional<PortLock> lock = FindPortLock(name)) {
        if (lock->alive) {
            qCDebug(lcLink).noquote() << name << "is locked by process" << lock->pid << "in" << lock->path;
            return nullptr;
        }
        // The one place a taken-over lock is known; the port carries it to whoever logs.
        openNote = QStringLiteral("the lock file %1 of user %2 was stale (process %3 is gone) and was taken over")
                       .arg(lock->path, lock->user)
                       .arg(lock->pid);
        qCInfo(lcLink).noquote() << name + QStringLiteral(": ") + openNote;
    }
#ifdef Q_OS_UNIX
    // Root passes another program's exclusive hold, which it is to honour all the same.
    if (::geteuid() == 0 && PortHeldExclusively(name)) {
        qCDebug(lcLink).noquote() << name << "is held exclusively by another program";
        return nullptr;
    }
#endif
    std::unique_ptr<SerialPortAdapter> port(new SerialPortAdapter(name));
    port->m_openNote = openNote;
    QSerialPort& p = port->m_port;
    // QSerialPort opens exclusively (lock file and TIOCEXCL on Unix, no sharing on Windows).
    if (!p.open(QIODevice::ReadWrite)) {
        qCDebug(lcLink).noquote() << name << "cannot be opened:" << p.errorString();
        return nullptr;
    }
    // The driver queue sizes (1024 in, 512 out) have no Qt equivalent; Qt's own read buffer
    // stays unlimited, which only matters for far longer replies than the radio gives.
    p.setReadBufferSize(0);
    const bool lineSet = p.setBaudRate(QSerialPort::Baud9600) && p.setDataBits(QSerialPort::Data8)
        && p.setParity(QSerialPort::NoParity) && p.setStopBits(QSerialPort::OneStop)
        && p.setFlowControl(QSerialPort::NoFlowControl);
    if (!lineSet)
        qCWarning(lcLink).noquote() << name << "line settings refused:" << p.errorString();
    if (profile.dtrRtsOn) {
        // A pseudo-terminal has no modem lines; the port still works without them.
        if (!p.setDataTerminalReady(true) || !p.setRequestToSend(true))
            qCDebug(lcLink).noquote() << name << "DTR/RTS not available:" << p.errorString();
    }
    p.clearError();
    port->m_profile = profile;
    qCDebug(lcLink).noquote() << name << "open";
    return port;
}

void SerialPortAdapter::SetProfile(const TimeoutProfile& profile)
{
    m_profile = profile;
}

void SerialPortAdapter::Purge()
{
    // Drops Qt's buffers as well as the driver's queues.
    m_port.clear(QSerialPort::AllDirections);
}

std::int64_t SerialPortAdapter::Write(const Bytes& data)
{
    qCDebug(lcLink).noquote() << m_name << ">" << Hex(data);
    m_port.clearError();
    const qint64 queued = m_port.write(reinterpret_cast<const char*>(data.data()),
                                       static_cast<qint64>(data.size()));
    if (queued < 0)
        return 0;
    const auto n = static_cast<long long>(data.size());
    const auto deadline = Clock::now() + m_profile.writeMultiplier * n + m_profile.writeConstant;
    const bool unlimited = m_profile.writeMultiplier.count() == 0 && m_profile.writeConstant.count() == 0;
    while (m_port.bytesToWrite() > 0) {
        const auto left = deadline - Clock::now();
        if (!unlimited && left <= Clock::duration::zero())
            break;
        if (!m_port.waitForBytesWritten(unlimited ? -1 : Msecs(left)))
            break;
    }
    const qint64 unsent = m_port.bytesToWrite();
    if (unsent > 0) {
        // Timed out: what was not sent is dropped rather than trailing into the next frame.
        m_port.clear(QSerialPort::Output);
        qCDebug(lcLink).noquote() << m_name << "write timed out," << unsent << "bytes unsent";
    }
    return queued - unsent;
}

Bytes SerialPortAdapter::Read(std::size_t n, const ReadStop& stop)
{
    Bytes out;
    out.reserve(n);
    const auto start = Clock::now();
    auto lastByte = start;
    const auto total = m_profile.readMultiplier * static_cast<long long>(n) + m_profile.readConstant;
    // With no total time-out only the interval limit ends a short read, as on Windows.
    const bool totalLimit = total.count() > 0;
    const auto deadline = start + total;
    const auto interval = m_profile.readInterval;

    auto take = [&] {
        const QByteArray chunk = m_port.read(static_cast<qint64>(n - out.size()));
        if (!chunk.isEmpty()) {
            out.insert(out.end(), chunk.begin(), chunk.end());
            lastByte = Clock::now();
        }
    };

    take();
    bool stopped = false;
    while (out.size() < n) {
        if (stop && stop()) {
            stopped = true;
            break;
        }
        const auto now = Clock::now();
        Clock::duration wait = Clock::duration::max();
        if (totalLimit)
            wait = deadline - now;
        // The gap limit starts with the first byte received.
        if (interval.count() > 0 && !out.empty())
            wait = std::min(wait, lastByte + interval - now);
        if (wait <= Clock::duration::zero())
            break;
        // Qt's wait cannot be woken from another thread: it waits in slices, asking stop between.
        if (stop && wait > kStopPoll)
            wait = kStopPoll;
        m_port.clearError();
        const bool ready = m_port.waitForReadyRead(wait == Clock::duration::max() ? -1 : Msecs(wait));
        if (!ready && m_port.error() != QSerialPort::TimeoutError
            && m_port.error() != QSerialPort::NoError) {
            // The line is gone (unplugged adapter, closed pseudo-terminal): no use waiting.
            take();
            break;
        }
        take();
    }
    QString received = QString::fromLatin1(Hex(out));
    if (out.size() < n)
        received = QStringLiteral("%1 (%2 of %3 bytes%4)")
                       .arg(received)
                       .arg(out.size())
                       .arg(n)
                       .arg(stopped ? QStringLiteral(", stopped") : QString())
                       .trimmed();
    qCDebug(lcLink).noquote() << m_name << "<" << received;
    return out;
}

void SerialPortAdapter::MoveToThread(QThread* thread)
{
    if (m_port.thread() == QThread::currentThread())
        m_port.moveToThread(thread);
}

void SerialPortAdapter::Close()
{
    if (m_port.isOpen()) {
        m_port.close();
        qCDebug(lcLink).noquote() << m_name << "closed";
    }
}

} // namespace qmcal
