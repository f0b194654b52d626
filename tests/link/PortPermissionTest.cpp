// Which advice the Port Setting hint gives for devices this user may not open.
#include <vector>

#include <gtest/gtest.h>

#include "link/PortPermission.h"

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

} // namespace
} // namespace qmcal::test
