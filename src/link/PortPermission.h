#pragma once

#include <cstdint>
#include <vector>

#include <QString>
#include <QStringList>

namespace qmcal {

// Who may open a device node: its path, the name of its owner group and its mode bits.
struct DeviceOwner {
    QString path;
    QString group;
    std::uint32_t mode = 0;
};

// The device node behind a port name ("ttyUSB0" is /dev/ttyUSB0). A node that cannot be looked
// at has no group and no mode bits, so that nobody is advised to join a group for it.
DeviceOwner DeviceOwnerOf(const QString& name);

// True when name's device exists and the user lacks the rights to open it (POSIX).
bool PortPermissionDenied(const QString& name);

// Whether joining the device's group lets a user read and write it: not so for root's group,
// which only root may use, nor for a group without both rights.
bool GroupMayOpen(const DeviceOwner& device);

// The one line shown when every port the user may open is refused for lack of rights: the
// group to join, taken from the first refused device whose group may open it; otherwise the
// first refused device, which only root may open.
QString PermissionHint(const std::vector<DeviceOwner>& refused);

// The hint's advice alone ("run sudo usermod -aG dialout $USER and log in again"), for a
// reason that names the port beside it.
QString PermissionAdvice(const std::vector<DeviceOwner>& refused);

} // namespace qmcal
