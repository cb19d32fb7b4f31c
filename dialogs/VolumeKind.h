#pragma once
// Which mounted volumes the folder dialog lists, and with which image: the desktop's
// list of mounted file systems sorted into the kinds a drive list knows.
#include <QString>

namespace vistrel {

enum class VolumeKind { NotListed = -1, FixedDisk = 0, Removable = 1, Optical = 2, Network = 3, RamDisk = 4 };

struct VolumeFacts {
    QString rootPath;        // where it is mounted
    QString fileSystemType;  // "ext4", "nfs4", "tmpfs", ...
    QString device;          // "/dev/sdb1", "server:/export", "tmpfs"
    bool removableDevice = false;  // the block device says its medium can be taken out
};

VolumeKind volumeKind(const VolumeFacts& volume);

}  // namespace vistrel
