#include "dialogs/FolderTree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <sys/stat.h>

namespace vistrel {

namespace {

constexpr int KindRole = Qt::UserRole;
constexpr int PlaceholderRole = Qt::UserRole + 1;

// The folders the tree shows: hidden ones (names with a leading dot) stay hidden, as
// in the desktop's file dialogs.
constexpr QDir::Filters FolderFilter = QDir::Dirs | QDir::NoDotAndDotDot | QDir::System;

bool removableBlockDevice(const QString& device) {
    // /dev/sdb1 -> /sys/block/sdb/removable
    QString name = QFileInfo(device).fileName();
    while (!name.isEmpty() && !QFile::exists(QStringLiteral("/sys/block/") + name)) name.chop(1);
    if (name.isEmpty()) return false;
    QFile flag(QStringLiteral("/sys/block/") + name + QStringLiteral("/removable"));
    return flag.open(QIODevice::ReadOnly) && flag.readAll().trimmed() == "1";
}

}  // namespace

FolderTree::FolderTree(QTreeWidget* tree, QObject* parent) : QObject(parent), tree_(tree) {
    folderIcon_.addFile(QStringLiteral(":/icons/tree-folder.svg"), QSize(16, 16), QIcon::Normal);
    folderIcon_.addFile(QStringLiteral(":/icons/tree-folder-open.svg"), QSize(16, 16), QIcon::Selected);
    tree_->setHeaderHidden(true);
    tree_->setIconSize(QSize(16, 16));
    tree_->setSortingEnabled(false);
    mediumOf_ = &FolderTree::currentMedium;
    connect(tree_, &QTreeWidget::itemExpanded, this, &FolderTree::expanded);
    connect(tree_, &QTreeWidget::itemCollapsed, this, &FolderTree::collapsed);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { selected(item); });
}

QIcon FolderTree::imageFor(VolumeKind kind) const {
    static const char* const names[] = {"tree-disk", "tree-removable", "tree-optical", "tree-network", "tree-ram"};
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(names[static_cast<int>(kind)])));
}

std::vector<FolderTree::Volume> FolderTree::mountedVolumes() {
    std::vector<Volume> volumes;
    volumes.push_back({QStringLiteral("/"), VolumeKind::FixedDisk});
    const QString home = QDir::homePath();
    if (home != QLatin1String("/")) {
        // The home folder stands for the volume it lies on.
        const QStorageInfo storage(home);
        VolumeFacts facts{storage.rootPath(), QString::fromUtf8(storage.fileSystemType()),
                          QString::fromUtf8(storage.device()), removableBlockDevice(QString::fromUtf8(storage.device()))};
        const VolumeKind kind = volumeKind(facts);
        volumes.push_back({home, kind == VolumeKind::NotListed ? VolumeKind::FixedDisk : kind});
    }
    std::vector<Volume> mounted;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        const QString root = storage.rootPath();
        if (root == QLatin1String("/") || root == home) continue;
        const QString device = QString::fromUtf8(storage.device());
        const VolumeKind kind =
            volumeKind({root, QString::fromUtf8(storage.fileSystemType()), device, removableBlockDevice(device)});
        if (kind != VolumeKind::NotListed) mounted.push_back({root, kind});
    }
    std::sort(mounted.begin(), mounted.end(), [](const Volume& a, const Volume& b) { return a.rootPath < b.rootPath; });
    volumes.insert(volumes.end(), mounted.begin(), mounted.end());
    return volumes;
}

QString FolderTree::currentMedium(const QString& rootPath) {
    // What stands in for a volume's serial number: the mounted device and its id.
    const QStorageInfo storage(rootPath);
    if (!storage.isValid() || !storage.isReady() || storage.rootPath() != rootPath) return {};
    struct stat st {};
    if (::stat(QFile::encodeName(rootPath).constData(), &st) != 0) return {};
    return QString::fromUtf8(storage.device()) + QLatin1Char('#') + QString::number(st.st_dev);
}

void FolderTree::fill() { fill(mountedVolumes()); }

void FolderTree::fill(const std::vector<Volume>& volumes) {
    changing_ = true;
    tree_->clear();
    media_.clear();
    for (const Volume& volume : volumes) {
        auto* item = new QTreeWidgetItem(tree_, {volume.rootPath});
        item->setData(0, KindRole, static_cast<int>(volume.kind));
        item->setIcon(0, imageFor(volume.kind));
        switch (volume.kind) {
        case VolumeKind::FixedDisk:
            listSubfolders(item);  // listed at once
            break;
        case VolumeKind::Removable:
        case VolumeKind::Optical:
            media_[volume.rootPath] = mediumOf_(volume.rootPath);
            setPlaceholder(item);
            break;
        default:
            if (hasSubfolder(volume.rootPath)) setPlaceholder(item);
            break;
        }
    }
    changing_ = false;
}

QString FolderTree::pathOf(const QTreeWidgetItem* item) {
    QStringList parts;
    for (; item; item = item->parent()) parts.prepend(item->text(0));
    QString path = parts.takeFirst();
    for (const QString& part : parts) {
        if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
        path += part;
    }
    return path;
}

QTreeWidgetItem* FolderTree::volumeItemOf(QTreeWidgetItem* item) {
    while (item && item->parent()) item = item->parent();
    return item;
}

bool FolderTree::hasSubfolder(const QString& path) {
    QDirIterator it(path, FolderFilter);
    return it.hasNext();
}

void FolderTree::removeChildren(QTreeWidgetItem* item) { qDeleteAll(item->takeChildren()); }

void FolderTree::setPlaceholder(QTreeWidgetItem* item) {
    removeChildren(item);
    auto* placeholder = new QTreeWidgetItem(item, {QString()});
    placeholder->setData(0, PlaceholderRole, true);
}

void FolderTree::listSubfolders(QTreeWidgetItem* item) {
    removeChildren(item);
    const QString path = pathOf(item);
    const QStringList names = QDir(path).entryList(FolderFilter, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString& name : names) {
        auto* child = new QTreeWidgetItem(item, {name});
        child->setIcon(0, folderIcon_);
        if (hasSubfolder(path + (path.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + name))
            setPlaceholder(child);
    }
}

bool FolderTree::mediumCheck(QTreeWidgetItem* item) {
    QTreeWidgetItem* volume = volumeItemOf(item);
    if (!volume) return false;
    const auto kind = static_cast<VolumeKind>(volume->data(0, KindRole).toInt());
    if (kind != VolumeKind::Removable && kind != VolumeKind::Optical) return true;
    const QString root = volume->text(0);
    const QString now = mediumOf_(root);
    QString& remembered = media_[root];
    bool passed = true;
    if (now.isEmpty()) {
        passed = false;  // no medium
    } else if (now != remembered && !remembered.isEmpty()) {
        passed = false;  // another medium
    }
    remembered = now;
    if (!passed) {
        // Callers hold changing_, so the collapse below is not taken for the user's.
        tree_->collapseItem(volume);
        setPlaceholder(volume);
        tree_->setCurrentItem(volume);
    }
    return passed;
}

void FolderTree::expanded(QTreeWidgetItem* item) {
    if (changing_) return;
    changing_ = true;
    if (!mediumCheck(item)) {
        changing_ = false;
        return;
    }
    if (!QFileInfo(pathOf(item)).isDir()) {
        delete item;  // the folder has vanished
    } else {
        listSubfolders(item);
        if (item->childCount() == 0) tree_->collapseItem(item);
    }
    changing_ = false;
}

void FolderTree::collapsed(QTreeWidgetItem* item) {
    if (changing_) return;
    changing_ = true;
    setPlaceholder(item);
    changing_ = false;
}

void FolderTree::selected(QTreeWidgetItem* item) {
    if (changing_ || !item || item->data(0, PlaceholderRole).toBool()) return;
    changing_ = true;
    if (mediumCheck(item)) {
        const QString path = pathOf(item);
        if (!QFileInfo(path).isDir()) {
            // Taken out once the selection has settled; the view still refers to it now.
            const QPersistentModelIndex index(tree_->indexFromItem(item));
            QTimer::singleShot(0, this, [this, index] {
                if (index.isValid()) delete tree_->itemFromIndex(index);
            });
        } else if (!item->isExpanded() || item->childCount() == 0) {
            if (!hasSubfolder(path))
                removeChildren(item);
            else if (item->childCount() == 0)
                setPlaceholder(item);
        }
        tree_->viewport()->update();
    }
    changing_ = false;
}

}  // namespace vistrel
