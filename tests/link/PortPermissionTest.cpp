// Which advice the Port Setting hint gives for devices this user may not open.
#include <cstdlib>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "link/PortPermission.h"

#include <QFile>

namespace qmcal::test {
namespace {

const QString kJoinDialout =
    QStringLiteral("Permission denied: run sudo usermod -aG dialout $USER and log in again.");

QString RootOnly(const char* path)
{
    return QStringLiteral("Permission denied: %1 may be opened by root only.").arg(QLatin1String(path));
}

TEST(PortPermission, NamesAGroupOnlyWhenJoiningItOpensTheDevice)
{
    const DeviceOwner ttyS0{QStringLiteral("/dev/ttyS0"), QStringLiteral("root"), 0600};
    const DeviceOwner usb0{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("dialout"), 0660};
    const struct {
        const char* name;
        std::vector<DeviceOwner> refused;
        QString hint;
    } cases[] = {
        {"dialout may read and write", {usb0}, kJoinDialout},
        {"a character device's whole mode", {{"/dev/ttyUSB0", "dialout", 020660}}, kJoinDialout},
        {"another group", {{"/dev/ttyACM0", "uucp", 0666}},
         QStringLiteral("Permission denied: run sudo usermod -aG uucp $USER and log in again.")},
        {"root's own device", {ttyS0}, RootOnly("/dev/ttyS0")},
        {"root's group, even with its rights", {{"/dev/ttyS1", "root", 0660}}, RootOnly("/dev/ttyS1")},
        {"group without rights", {{"/dev/ttyUSB1", "dialout", 0600}}, RootOnly("/dev/ttyUSB1")},
        {"group may only read", {{"/dev/ttyUSB1", "dialout", 0640}}, RootOnly("/dev/ttyUSB1")},
        {"group may only write", {{"/dev/ttyUSB1", "dialout", 0620}}, RootOnly("/dev/ttyUSB1")},
        {"device that could not be looked at", {{"/dev/ttyUSB2", "", 0}}, RootOnly("/dev/ttyUSB2")},
        {"a later device's group helps", {ttyS0, usb0}, kJoinDialout},
        {"none helps: the first device", {ttyS0, {"/dev/ttyS1", "root", 0600}}, RootOnly("/dev/ttyS0")},
        {"nothing refused", {}, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PermissionHint(c.refused), c.hint);
    }
}

TEST(PortPermission, ReadsTheOwnerOfTheDeviceNode)
{
    const DeviceOwner null = DeviceOwnerOf(QStringLiteral("null"));
    EXPECT_EQ(null.path, QStringLiteral("/dev/null"));
    EXPECT_EQ(null.group, QStringLiteral("root"));
    EXPECT_EQ(null.mode, 0666U);

    const DeviceOwner missing = DeviceOwnerOf(QStringLiteral("/dev/qmcal-no-such-port"));
    EXPECT_EQ(missing.path, QStringLiteral("/dev/qmcal-no-such-port"));
    EXPECT_TRUE(missing.group.isEmpty());
    EXPECT_EQ(missing.mode, 0U);
}

constexpr uid_t kNobody = 65534;

// PortPermissionDenied as a user who is neither the device's owner nor in its group. Root may
// open anything, so as root it runs in a child that has given up root first; the modes below
// give the owner what they give everyone, so that a plain user's run answers alike.
// 0 not denied, 1 denied, anything else: the child could not run.
int DeniedToOtherUser(const QString& name)
{
    if (::geteuid() != 0)
        return PortPermissionDenied(name) ? 1 : 0;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(3);
        ::_exit(PortPermissionDenied(name) ? 1 : 0);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST(PortPermission, DeniedOnlyWhenTheDeviceIsThereAndNotBothReadableAndWritable)
{
    // A pseudo-terminal is a serial device every machine has.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const QString pty = QString::fromLocal8Bit(::ptsname(master));
    const struct {
        const char* name;
        QString port;
        mode_t mode;
        int denied;
    } cases[] = {
        {"no rights", pty, 0000, 1},
        {"read only", pty, 0444, 1},
        {"write only", pty, 0222, 1},
        {"read and write", pty, 0666, 0},
        {"a name under /dev", QStringLiteral("null"), 0, 0},
        {"no such device", QStringLiteral("/dev/qmcal-no-such-port"), 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.port == pty) {
            ASSERT_EQ(::chmod(QFile::encodeName(pty).constData(), c.mode), 0);
        }
        EXPECT_EQ(DeniedToOtherUser(c.port), c.denied);
    }
    ::close(master);
}

} // namespace
} // namespace qmcal::test
