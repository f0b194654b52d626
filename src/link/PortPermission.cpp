#include "link/PortPermission.h"

#include <algorithm>

#include <QCoreApplication>
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qmcal {

namespace {

// The group's read and write bits of a mode (S_IRGRP, S_IWGRP), also where no POSIX header is.
constexpr std::uint32_t kGroupReadWrite = 0060;

QString DevicePath(const QString& name)
{
    return name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
}

} // namespace

DeviceOwner DeviceOwnerOf(const QString& name)
{
    DeviceOwner device{DevicePath(name), {}, 0};
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(QFile::encodeName(device.path).constData(), &info) != 0)
        return device;
    device.mode = static_cast<std::uint32_t>(info.st_mode) & 07777;
    if (info.st_gid == 0)
        device.group = QStringLiteral("root");
    else if (const group* g = ::getgrgid(info.st_gid))
        device.group = QString::fromLocal8Bit(g->gr_name);
    else
        device.group = QString::number(info.st_gid);  // usermod takes a group's number too
#endif
    return device;
}

bool PortPermissionDenied(const QString& name)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(DevicePath(name));
    if (::access(path.constData(), F_OK) != 0)
        return false;
    return ::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES;
#else
    static_cast<void>(name);
    return false;
#endif
}

bool GroupMayOpen(const DeviceOwner& device)
{
    return !device.group.isEmpty() && device.group != QLatin1String("root")
           && (device.mode & kGroupReadWrite) == kGroupReadWrite;
}

QString PermissionAdvice(const std::vector<DeviceOwner>& refused)
{
    if (refused.empty())
        return {};
    const auto joinable = std::find_if(refused.begin(), refused.end(), &GroupMayOpen);
    if (joinable != refused.end()) {
        return QCoreApplication::translate("PortPermission", "run sudo usermod -aG %1 $USER and log in again")
            .arg(joinable->group);
    }
    return QCoreApplication::translate("PortPermission", "%1 may be opened by root only").arg(refused.front().path);
}

QString PermissionHint(const std::vector<DeviceOwner>& refused)
{
    if (refused.empty())
        return {};
    return QCoreApplication::translate("PortPermission", "Permission denied: %1.").arg(PermissionAdvice(refused));
}

} // namespace qmcal
