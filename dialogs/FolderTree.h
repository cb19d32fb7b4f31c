#pragma once
// The tree of the folder dialog: the root folder, the home folder and every mounted
// volume, each with the image of its kind, and their folders below, listed only when
// an item is opened (an item with folders below carries one empty placeholder child
// until then). Removable and optical media are checked before an item on them opens
// or is selected: a medium taken out or changed closes its volume's item again.
// Folders that have vanished are taken out of the tree.
#include <QIcon>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <vector>

#include "dialogs/VolumeKind.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace vistrel {

class FolderTree : public QObject {
    Q_OBJECT

public:
    // A volume as the tree lists it, with what identifies its medium.
    struct Volume {
        QString rootPath;
        VolumeKind kind = VolumeKind::FixedDisk;
    };
    // The medium now in a volume (empty: none); tests give their own.
    using MediumOf = std::function<QString(const QString& rootPath)>;

    FolderTree(QTreeWidget* tree, QObject* parent = nullptr);

    // Fills the tree with `volumes` (by default: the root folder, the home folder and
    // the mounted volumes).
    void fill();
    void fill(const std::vector<Volume>& volumes);
    void setMediumOf(MediumOf mediumOf) { mediumOf_ = std::move(mediumOf); }

    // The folder of an item: the texts from its volume down, joined with "/".
    static QString pathOf(const QTreeWidgetItem* item);
    static std::vector<Volume> mountedVolumes();
    static QString currentMedium(const QString& rootPath);

    QTreeWidget* tree() const { return tree_; }

private:
    void expanded(QTreeWidgetItem* item);
    void collapsed(QTreeWidgetItem* item);
    void selected(QTreeWidgetItem* item);
    // False (and the volume's item closed) when its medium was taken out or changed.
    bool mediumCheck(QTreeWidgetItem* item);
    void listSubfolders(QTreeWidgetItem* item);
    void setPlaceholder(QTreeWidgetItem* item);
    static void removeChildren(QTreeWidgetItem* item);
    static bool hasSubfolder(const QString& path);
    static QTreeWidgetItem* volumeItemOf(QTreeWidgetItem* item);
    QIcon imageFor(VolumeKind kind) const;

    QTreeWidget* tree_;
    QIcon folderIcon_;
    MediumOf mediumOf_;
    std::map<QString, QString> media_;  // root path -> medium remembered ("" = none)
    bool changing_ = false;
};

}  // namespace vistrel
