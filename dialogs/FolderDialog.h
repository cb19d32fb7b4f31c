#pragma once
// "Ordner auswählen ": the start folder of the search in folders, picked in a tree of
// volumes and folders. OK needs a selected folder; otherwise the dialog stays open.
#include <QDialog>
#include <QString>

class QTreeWidget;

namespace vistrel {

class FolderTree;

class FolderDialog : public QDialog {
    Q_OBJECT

public:
    explicit FolderDialog(QWidget* parent = nullptr);

    // The folder chosen with OK; empty after Cancel.
    QString folder() const { return folder_; }
    FolderTree& folderTree() const { return *folderTree_; }
    QTreeWidget* tree() const { return tree_; }

public slots:
    void accept() override;

private:
    QTreeWidget* tree_ = nullptr;
    FolderTree* folderTree_ = nullptr;
    QString folder_;
};

}  // namespace vistrel
