#include "app/FileDialogs.h"

#include <QDir>
#include <algorithm>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeView>

namespace vistrel {

namespace {

// Room for the name, size, type and date of a show file without "..." in any column.
constexpr int MinimumDialogWidth = 860;
constexpr int MinimumDialogHeight = 500;

// Where the desktop offers no dialog of its own, Qt's dialog is used; its detail view
// is made wide enough that no column is cut, the name taking what is left.
void fitColumns(QFileDialog& dialog) {
    dialog.resize(std::max(dialog.width(), MinimumDialogWidth), std::max(dialog.height(), MinimumDialogHeight));
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!details) return;
    dialog.setViewMode(QFileDialog::Detail);
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

QString run(QFileDialog& dialog) {
    fitColumns(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString dialogStartFolder(const std::string& lastFolder) {
    const QString folder = QString::fromStdString(lastFolder).trimmed();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) return QDir(folder).absolutePath();
    return QDir::homePath();
}

QString QtFileDialogs::getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                       const QString& filter) {
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly);
    return run(dialog);
}

QString QtFileDialogs::getSaveFileName(QWidget* parent, const QString& caption, const QString& preset,
                                       const QString& filter) {
    const QFileInfo start(preset);
    QFileDialog dialog(parent, caption, start.absolutePath(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString());
    dialog.selectFile(start.fileName());
    return run(dialog);
}

QString QtFileDialogs::getExistingFolder(QWidget* parent, const QString& caption, const QString& folder) {
    QFileDialog dialog(parent, caption, folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace vistrel
