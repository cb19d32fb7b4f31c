#include "platform/qt/core/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

namespace vistrel {

namespace {


// An XDG base folder: the variable when it holds an absolute path (relative ones are to
// be ignored), else the default below the home folder; empty without either.
QString xdgBaseFolder(const char* variable, const QString& defaultBelowHome) {
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) return value;
    const QString home = userHomeFolder();
    return home.isEmpty() ? QString() : home + QLatin1Char('/') + defaultBelowHome;
}

QString madeFolder(const QString& folder) {
    if (folder.isEmpty()) return {};
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

// `name` in `folder`; nothing where there is no folder.
QString fileIn(const QString& folder, const QString& name) {
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}

QString overriddenFolder() {
    const QString overridden = qEnvironmentVariable("VISTREL_CONFIG_DIR");
    return overridden.isEmpty() ? QString() : madeFolder(overridden);
}

QString xdgStateFolder() {
    return madeFolder(fileIn(xdgBaseFolder("XDG_STATE_HOME", QStringLiteral(".local/state")), QStringLiteral("vistrel")));
}

const char* const kSettingsFileName = "vistrel.def";
const char* const kProfileFileName = "Vistrel.ini";

}  // namespace

QString homeFolderFrom(const QString& homeVariable, const char* passwordHome) {
    QString home = homeVariable;
    if (!QDir::isAbsolutePath(home)) home = passwordHome ? QString::fromLocal8Bit(passwordHome) : QString();
    if (!QDir::isAbsolutePath(home) || QDir::cleanPath(home) == QLatin1String("/")) return {};
    return QDir::cleanPath(home);
}

QString userHomeFolder() {
    // Not Qt's home path: with HOME unset that is the root folder.
    const passwd* entry = getpwuid(getuid());
    return homeFolderFrom(qEnvironmentVariable("HOME"), entry ? entry->pw_dir : nullptr);
}

QString demoShowFolder() {
    const QString overridden = qEnvironmentVariable("VISTREL_DEMO_DIR");
    const QDir program(QCoreApplication::applicationDirPath());
    const QStringList candidates = overridden.isEmpty()
                                       ? QStringList{program.filePath(QStringLiteral("../share/vistrel/demo")),
                                                     program.filePath(QStringLiteral("../demo-show"))}
                                       : QStringList{overridden};
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate + QStringLiteral("/Willkommen.dpd")).isFile()) return QDir(candidate).absolutePath();
    }
    return {};
}

QString configFolder() {
    const QString overridden = overriddenFolder();
    if (!overridden.isEmpty()) return overridden;
    return madeFolder(fileIn(xdgBaseFolder("XDG_CONFIG_HOME", QStringLiteral(".config")), QStringLiteral("vistrel")));
}

QString settingsFilePath() { return fileIn(configFolder(), kSettingsFileName); }

QString profilePath() { return fileIn(configFolder(), kProfileFileName); }

QString serialLogPath() {
    const QString overridden = qEnvironmentVariable("VISTREL_LOG");
    if (!overridden.isEmpty()) return overridden;
    return fileIn(xdgStateFolder(), QStringLiteral("DIA.LOG"));
}

QString stateFolder() {
    const QString overridden = overriddenFolder();
    if (!overridden.isEmpty()) return overridden;
    return xdgStateFolder();
}

QString showMediaFilePath() { return fileIn(stateFolder(), QStringLiteral("show-media.txt")); }

QString cacheFolder() { return madeFolder(xdgBaseFolder("XDG_CACHE_HOME", QStringLiteral(".cache")) + "/vistrel"); }

int adoptFilesFromProgramFolder(const QString& programFolder, const QString& configFolder) {
    if (programFolder.isEmpty() || configFolder.isEmpty() || QDir(programFolder) == QDir(configFolder)) return 0;
    int copied = 0;
    for (const char* name : {kSettingsFileName, kProfileFileName}) {
        const QString old = programFolder + QLatin1Char('/') + name;
        const QString current = configFolder + QLatin1Char('/') + name;
        // Only plain files: a folder or a device of that name is nothing to take over.
        if (!QFileInfo(old).isFile() || QFileInfo::exists(current)) continue;
        if (QFile::copy(old, current)) ++copied;
    }
    return copied;
}

void adoptFilesOfOlderBuilds() {
    if (!qEnvironmentVariableIsEmpty("VISTREL_CONFIG_DIR")) return;
    adoptFilesFromProgramFolder(QCoreApplication::applicationDirPath(), configFolder());
}

}  // namespace vistrel
