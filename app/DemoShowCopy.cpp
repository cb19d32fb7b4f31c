#include "app/DemoShowCopy.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace vistrel {

QString demoCopyFolder(const QString& home) {
    return home.isEmpty() ? QString() : QDir(home).filePath(QStringLiteral("Vistrel-Beispiel"));
}

DemoCopy copyDemoShow(const QString& demoFolder, const QString& target) {
    DemoCopy copy;
    if (target.isEmpty() || !QDir().mkpath(target)) {
        copy.failed = target;
        return copy;
    }
    const QDir source(demoFolder);
    QDirIterator files(demoFolder, QDir::Files | QDir::NoSymLinks | QDir::Readable, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString from = files.next();
        const QString to = QDir(target).filePath(source.relativeFilePath(from));
        // Whatever is there already (the user's changed copy, or anything else) stays.
        if (QFileInfo::exists(to) || QFileInfo(to).isSymLink()) continue;
        if (!QDir().mkpath(QFileInfo(to).absolutePath()) || !QFile::copy(from, to)) {
            copy.failed = to;
            return copy;
        }
        // Installed files may be read-only; the user's copy is the user's to change.
        QFile::setPermissions(to, QFile::permissions(to) | QFile::ReadOwner | QFile::WriteOwner);
    }
    const QString show = QDir(target).filePath(QStringLiteral("Willkommen.dpd"));
    if (QFileInfo(show).isFile()) {
        copy.show = show;
    } else {
        copy.failed = show;
    }
    return copy;
}

}  // namespace vistrel
