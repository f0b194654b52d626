#include "link/PortFailure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>

#include "link/PortPermission.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace qmcal {

namespace {

constexpr const char* kLockFolders[] = {
    "/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp", "/tmp",
    "/var/tmp",  "/var/lock/lockdev", "/run/lock",
};

// Qt's lock name: the port's short name with '/' as '_' ("/dev/pts/4" is LCK..pts_4).
QString LockFileName(const QString& name)
{
    QSerialPort port;
    port.setPortName(name);
    return QStringLiteral("LCK..") + port.portName().replace(QLatin1Char('/'), QLatin1Char('_'));
}

long long LockPid(const QByteArray& content)
{
    const QByteArray firstLine = content.left(content.indexOf('\n')).trimmed();
    bool ok = false;
    const long long pid = firstLine.toLongLong(&ok);
    if (ok)
        return pid;
    int binary = 0;
    if (content.size() == static_cast<qsizetype>(sizeof binary)) {
        std::memcpy(&binary, content.constData(), sizeof binary);
        return binary;
    }
    return 0;
}

bool ProcessAlive(long long pid)
{
#ifdef Q_OS_UNIX
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
#else
    static_cast<void>(pid);
    return false;
#endif
}

QString FileUser(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    if (const passwd* user = ::getpwuid(info.st_uid))
        return QString::fromLocal8Bit(user->pw_name);
    return QString::number(info.st_uid);
#else
    static_cast<void>(path);
    return {};
#endif
}

PortFailure Busy(const QString& detail)
{
    return {PortFailure::Kind::Busy, QCoreApplication::translate("PortFailure", "busy (%1)").arg(detail)};
}

PortFailure InUse()
{
    return Busy(QCoreApplication::translate("PortFailure", "in use by another program"));
}

} // namespace

QStringList PortLockFolders()
{
    QStringList folders;
    for (const char* folder : kLockFolders)
        folders << QString::fromLatin1(folder);
    return folders;
}

std::optional<PortLock> FindPortLock(const QString& name, const QStringList& folders)
{
    const QString fileName = LockFileName(name);
    std::optional<PortLock> stale;
    QStringList seen;  // /var/lock is often /run/lock
    for (const QString& folder : folders) {
        const QFileInfo info(QDir(folder).filePath(fileName));
        const QString path = info.canonicalFilePath();
        if (path.isEmpty() || seen.contains(path))
            continue;
        seen << path;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        PortLock lock{path, LockPid(file.read(64)), false, {}};
        lock.alive = ProcessAlive(lock.pid);
        if (lock.alive)
            return lock;
        lock.user = FileUser(path);
        if (!stale)
            stale = lock;
    }
    return stale;
}

bool PortHeldExclusively(const QString& name)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(DeviceOwnerOf(name).path);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    int exclusive = 0;
    const bool held = ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
    ::close(fd);
    return held;
#else
    static_cast<void>(name);
    return false;
#endif
}

PortFailure DiagnosePort(const QString& name, const QStringList& lockFolders)
{
    const std::optional<PortLock> lock = FindPortLock(name, lockFolders);
    if (lock && lock->alive)
        return Busy(
            QCoreApplication::translate("PortFailure", "lock file %1 held by process %2").arg(lock->path).arg(lock->pid));
#ifdef Q_OS_UNIX
    const DeviceOwner device = DeviceOwnerOf(name);
    const int fd = ::open(QFile::encodeName(device.path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENODEV || error == ENXIO)
            return {PortFailure::Kind::NoDevice, QCoreApplication::translate("PortFailure", "no such device")};
        if (error == EACCES || error == EPERM) {
            // The same advice as the dialog's hint row, as one reason.
            return {PortFailure::Kind::Permission,
                    QCoreApplication::translate("PortFailure", "permission denied (%1)").arg(PermissionAdvice({device}))};
        }
        if (error == EBUSY)
            return InUse();
        return {PortFailure::Kind::Other, QString::fromLocal8Bit(std::strerror(error))};
    }
    termios settings {};
    const bool terminal = ::tcgetattr(fd, &settings) == 0;
    ::close(fd);
    if (PortHeldExclusively(name))
        return InUse();
    if (!terminal)
        return {PortFailure::Kind::Other, QCoreApplication::translate("PortFailure", "not a serial port")};
#endif
    if (lock) {
        return {PortFailure::Kind::StaleLock,
                QCoreApplication::translate("PortFailure", "stale lock file %1 of user %2 (process %3 is gone)")
                    .arg(lock->path, lock->user)
                    .arg(lock->pid)};
    }
    return {PortFailure::Kind::Other, QCoreApplication::translate("PortFailure", "the system gave no reason")};
}

PortFailure DiagnosePort(const QString& name)
{
    return DiagnosePort(name, PortLockFolders());
}

QString OpenFailedText(const QString& openFailed, const QString& name, const PortFailure& failure)
{
    if (failure.reason.isEmpty())
        return openFailed;
    return QStringLiteral("%1\n%2: %3").arg(openFailed, name, failure.reason);
}

} // namespace qmcal
