#include "app/DemoShowCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "platform/Prompter.h"
#include "platform/qt/core/AppPaths.h"
#include "res/StringTable.h"
#include "res/strings/StateStrings.h"

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

void openDemoShow(Prompter& prompter, const std::function<void(const QString& show)>& open) {
    const auto say = [&prompter](int id, const QString& path) {
        prompter.showMessage(QString::fromUtf8(res::text(id)).arg(path).toStdString(), MessageIcon::Exclamation,
                             MessageButtons::Ok);
    };
    const QString demo = demoShowFolder();
    if (demo.isEmpty()) {
        say(ids::DemoShowMissing, QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/vistrel/demo"));
        return;
    }
    const DemoCopy copy = copyDemoShow(demo, demoCopyFolder(userHomeFolder()));
    if (copy.show.isEmpty()) {
        say(ids::DemoShowNotCopied, copy.failed);
        return;
    }
    open(copy.show);
}

}  // namespace vistrel
