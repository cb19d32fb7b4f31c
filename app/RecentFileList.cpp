#include "app/RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace vistrel {

namespace {
const QString kGroup = QStringLiteral("Recent File List");
QString key(int number) { return QStringLiteral("File%1").arg(number); }

// Four file names fit in far less; a larger profile is not ours.
constexpr qint64 MaxProfileBytes = 1024 * 1024;

// QSettings reads the whole profile, also before it writes: a named pipe in its place
// would stop the program at its start, a device would be read without end. Only a plain
// file of a sensible size is read, and only such a file (or none) is written.
bool profileUsable(const QString& path) {
    const QFileInfo profile(path);
    if (!profile.exists() && !profile.isSymLink()) return true;
    return profile.isFile() && profile.size() <= MaxProfileBytes;
}
}  // namespace

RecentFileList::RecentFileList(QString profilePath) : profilePath_(std::move(profilePath)) {}

void RecentFileList::load() {
    entries_.clear();
    if (profilePath_.isEmpty()) return;  // no home: nothing was kept
    if (!QFileInfo(profilePath_).isFile() || !profileUsable(profilePath_)) return;
    QSettings profile(profilePath_, QSettings::IniFormat);
    profile.beginGroup(kGroup);
    for (int number = 1; number <= Capacity; ++number) {
        const QString path = profile.value(key(number)).toString();
        if (!path.isEmpty()) entries_.append(path);
    }
}

bool RecentFileList::save() {
    if (profilePath_.isEmpty() || !profileUsable(profilePath_)) return reportNotKept();
    QSettings profile(profilePath_, QSettings::IniFormat);
    profile.beginGroup(kGroup);
    for (int number = 1; number <= Capacity; ++number) {
        if (number <= entries_.size())
            profile.setValue(key(number), entries_.at(number - 1));
        else
            profile.remove(key(number));
    }
    profile.endGroup();
    profile.sync();
    return profile.status() == QSettings::NoError || reportNotKept();
}

bool RecentFileList::reportNotKept() {
    if (!notKeptSaid_ && notKept_) {
        notKeptSaid_ = true;
        notKept_(profilePath_);
    }
    return false;
}

void RecentFileList::add(const QString& path) {
    if (path.isEmpty()) return;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    remove(absolute);
    entries_.prepend(absolute);
    while (entries_.size() > Capacity) entries_.removeLast();
}

void RecentFileList::remove(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    entries_.removeIf([&](const QString& entry) { return entry.compare(absolute, Qt::CaseSensitive) == 0; });
}

QString RecentFileList::abbreviate(const QString& path, int length) {
    const QString native = QDir::toNativeSeparators(path);
    if (native.size() <= length) return native;
    const QChar separator = QDir::separator();
    QStringList parts = native.split(separator);
    const QString fileName = parts.takeLast();
    if (parts.isEmpty()) return fileName;
    const QString root = parts.takeFirst() + separator;  // "" + "/" on Unix, "C:\" elsewhere
    const QString ellipsis = QStringLiteral("...") + separator;
    // Keep as many trailing folders as fit between the root and the file name.
    QString tail = fileName;
    while (!parts.isEmpty()) {
        const QString candidate = parts.last() + separator + tail;
        if (root.size() + ellipsis.size() + candidate.size() > length) break;
        tail = candidate;
        parts.removeLast();
    }
    if (parts.isEmpty()) return root + tail;
    if (root.size() + ellipsis.size() + tail.size() <= length) return root + ellipsis + tail;
    return fileName;
}

}  // namespace vistrel
