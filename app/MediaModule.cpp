#include "app/MediaModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "res/StringTable.h"
#include "res/strings/MediaStrings.h"

namespace vistrel {

MediaModule::MediaModule(QString file) : library_(file), found_(QFileInfo(file).isFile()) {}

QString MediaModule::installedFile() {
    const QString chosen = qEnvironmentVariable("VISTREL_MEDIA_MODULE");
    if (!chosen.isEmpty()) return chosen;
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../lib/vistrel/modules/vistrel-media.so"));
}

bool MediaModule::present() const { return !failed_ && found_; }

const mediamodule::MediaFunctions* MediaModule::functions() {
    if (functions_ || failed_) return functions_;
    QString detail;  // what the system says, for whoever looks into the installation
    if (found_) {
        if (!library_.load()) {
            detail = library_.errorString();
        } else if (const auto entry = reinterpret_cast<mediamodule::Entry>(library_.resolve(mediamodule::EntryName))) {
            const mediamodule::MediaFunctions* offered = entry();
            if (offered && offered->version == mediamodule::InterfaceVersion) functions_ = offered;
        }
    }
    if (!functions_) {
        failed_ = true;
        error_ = QString::fromStdString(
            res::formatText(ids::MediaModuleMissing, QDir::toNativeSeparators(library_.fileName()).toStdString()));
        if (!detail.isEmpty()) error_ += QStringLiteral("\n\n") + detail;
    }
    return functions_;
}

}  // namespace vistrel
