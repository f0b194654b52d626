#pragma once

#include <functional>
#include <optional>

#include <QString>
#include <QStringList>

namespace qmcal {

// Why a port could not be opened, in words a technician can act on. The text follows the
// described "Open port fail!", never replaces it.
struct PortFailure {
    enum class Kind { None, Busy, Permission, StaleLock, NoDevice, Other };
    Kind kind = Kind::None;
    QString reason;  // "busy (lock file /run/lock/LCK..ttyUSB0 held by process 1234)"
};

using PortDiagnoser = std::function<PortFailure(const QString& name)>;

// A lock file another program (or Qt) left for a port: LCK..<name> in one of the lock folders.
struct PortLock {
    QString path;
    long long pid = 0;
    bool alive = false;
    QString user;  // the file's owner, said when its process is gone
};

// The folders terminal programs and Qt keep serial-port lock files in, in Qt's order.
QStringList PortLockFolders();

// The lock on name, if any: a live one before a stale one. Reads every form programs write:
// Qt's ("pid\napp\nhost\n"), uucp's (the pid right-aligned in 10 characters and a newline)
// and the old binary one (the pid as a native int).
std::optional<PortLock> FindPortLock(const QString& name, const QStringList& folders = PortLockFolders());

// True when another open file holds the port with the exclusive flag set (TIOCEXCL), which
// only root could pass.
bool PortHeldExclusively(const QString& name);

// Looks at the port as the system sees it now: its lock files, then a plain open.
PortFailure DiagnosePort(const QString& name, const QStringList& lockFolders);
PortFailure DiagnosePort(const QString& name);

// The two lines of a failed open: the described text, then the port and its reason.
QString OpenFailedText(const QString& openFailed, const QString& name, const PortFailure& failure);

} // namespace qmcal
