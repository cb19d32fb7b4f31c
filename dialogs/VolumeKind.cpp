#include "dialogs/VolumeKind.h"

#include <QStringList>

namespace vistrel {

namespace {

bool startsWithFolder(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

}  // namespace

VolumeKind volumeKind(const VolumeFacts& volume) {
    const QString type = volume.fileSystemType.toLower();
    static const QStringList optical = {QStringLiteral("iso9660"), QStringLiteral("udf")};
    static const QStringList network = {QStringLiteral("nfs"),       QStringLiteral("nfs4"),  QStringLiteral("cifs"),
                                        QStringLiteral("smb3"),      QStringLiteral("smbfs"), QStringLiteral("9p"),
                                        QStringLiteral("fuse.sshfs"), QStringLiteral("sshfs"), QStringLiteral("afs"),
                                        QStringLiteral("ceph"),      QStringLiteral("glusterfs"),
                                        QStringLiteral("davfs"),     QStringLiteral("fuse.davfs")};
    static const QStringList ram = {QStringLiteral("tmpfs"), QStringLiteral("ramfs")};
    // Media mounted for the user by the desktop live below these.
    const bool userMedia = startsWithFolder(volume.rootPath, QStringLiteral("/media")) ||
                           startsWithFolder(volume.rootPath, QStringLiteral("/run/media"));

    if (optical.contains(type)) return VolumeKind::Optical;
    if (network.contains(type)) return VolumeKind::Network;
    // The system's own mounts (run-time state, devices, kernel views) hold no shows.
    for (const char* system : {"/proc", "/sys", "/dev", "/run", "/boot", "/snap"}) {
        if (!userMedia && startsWithFolder(volume.rootPath, QString::fromLatin1(system))) return VolumeKind::NotListed;
    }
    if (ram.contains(type)) return VolumeKind::RamDisk;
    if (!volume.device.startsWith(QLatin1String("/dev/"))) return VolumeKind::NotListed;
    if (type == QLatin1String("squashfs")) return VolumeKind::NotListed;  // read-only packages
    if (volume.removableDevice || userMedia) return VolumeKind::Removable;
    return VolumeKind::FixedDisk;
}

}  // namespace vistrel
