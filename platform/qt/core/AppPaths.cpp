#include "platform/qt/core/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vistrel {

QString configFolder() {
    const QString overridden = qEnvironmentVariable("VISTREL_CONFIG_DIR");
    if (!overridden.isEmpty()) {
        QDir().mkpath(overridden);
        return QDir(overridden).absolutePath();
    }
    const QString exeFolder = QCoreApplication::applicationDirPath();
    if (!exeFolder.isEmpty() && QFileInfo(exeFolder).isWritable()) return exeFolder;
    const QString home = QDir::homePath() + "/.config/vistrel";
    QDir().mkpath(home);
    return home;
}

QString settingsFilePath() { return configFolder() + "/vistrel.def"; }

namespace {

QString xdgStateFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty()) state = QDir::homePath() + "/.local/state";
    const QString folder = state + "/vistrel";
    QDir().mkpath(folder);
    return folder;
}

}  // namespace

QString serialLogPath() {
    const QString overridden = qEnvironmentVariable("VISTREL_LOG");
    if (!overridden.isEmpty()) return overridden;
    return xdgStateFolder() + "/DIA.LOG";
}

QString stateFolder() {
    const QString overridden = qEnvironmentVariable("VISTREL_CONFIG_DIR");
    if (!overridden.isEmpty()) {
        QDir().mkpath(overridden);
        return QDir(overridden).absolutePath();
    }
    return xdgStateFolder();
}

QString showMediaFilePath() { return stateFolder() + "/show-media.txt"; }

}  // namespace vistrel
