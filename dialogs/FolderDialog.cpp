#include "dialogs/FolderDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs/FolderTree.h"
#include "res/TableText.h"
#include "res/strings/DialogStrings.h"
#include "res/strings/SearchStrings.h"

namespace vistrel {

FolderDialog::FolderDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tableText(ids::FolderDialogCaption));
    setModal(true);
    auto* text = new QLabel(tableText(ids::FolderDialogText));
    tree_ = new QTreeWidget;
    tree_->setObjectName(QStringLiteral("folders"));
    folderTree_ = new FolderTree(tree_, this);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(tableText(ids::ButtonOk), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(tableText(ids::ButtonCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &FolderDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(tree_, 1);
    layout->addWidget(buttons);
    resize(420, 480);

    // Mounted network volumes may take a moment to answer.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    folderTree_->fill();
    QApplication::restoreOverrideCursor();
    tree_->setFocus();
}

void FolderDialog::accept() {
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item || !item->isSelected() || item->text(0).isEmpty()) return;  // stays open without a folder
    folder_ = FolderTree::pathOf(item);
    QDialog::accept();
}

}  // namespace vistrel
