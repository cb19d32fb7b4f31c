#include "platform/qt/core/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vistrel {

namespace {

// An XDG base folder: the variable when it holds an absolute path (relative ones are to
// be ignored), else the default below the home folder.
QString xdgBaseFolder(const char* variable, const QString& defaultBelowHome) {
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) return value;
    return QDir::homePath() + QLatin1Char('/') + defaultBelowHome;
}

QString madeFolder(const QString& folder) {
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

QString overriddenFolder() {
    const QString overridden = qEnvironmentVariable("VISTREL_CONFIG_DIR");
    return overridden.isEmpty() ? QString() : madeFolder(overridden);
}

QString xdgStateFolder() { return madeFolder(xdgBaseFolder("XDG_STATE_HOME", QStringLiteral(".local/state")) + "/vistrel"); }

const char* const kSettingsFileName = "vistrel.def";
const char* const kProfileFileName = "Vistrel.ini";

}  // namespace

QString configFolder() {
    const QString overridden = overriddenFolder();
    if (!overridden.isEmpty()) return overridden;
    return madeFolder(xdgBaseFolder("XDG_CONFIG_HOME", QStringLiteral(".config")) + "/vistrel");
}

QString settingsFilePath() { return configFolder() + QLatin1Char('/') + kSettingsFileName; }

QString profilePath() { return configFolder() + QLatin1Char('/') + kProfileFileName; }

QString serialLogPath() {
    const QString overridden = qEnvironmentVariable("VISTREL_LOG");
    if (!overridden.isEmpty()) return overridden;
    return xdgStateFolder() + "/DIA.LOG";
}

QString stateFolder() {
    const QString overridden = overriddenFolder();
    if (!overridden.isEmpty()) return overridden;
    return xdgStateFolder();
}

QString showMediaFilePath() { return stateFolder() + "/show-media.txt"; }

QString cacheFolder() { return madeFolder(xdgBaseFolder("XDG_CACHE_HOME", QStringLiteral(".cache")) + "/vistrel"); }

int adoptFilesFromProgramFolder(const QString& programFolder, const QString& configFolder) {
    if (programFolder.isEmpty() || QDir(programFolder) == QDir(configFolder)) return 0;
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
