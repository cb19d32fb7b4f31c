#include "app/FileDialogs.h"

#include <QFileDialog>

namespace vistrel {

QString QtFileDialogs::getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                       const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, folder, filter, nullptr, QFileDialog::ReadOnly);
}

QString QtFileDialogs::getSaveFileName(QWidget* parent, const QString& caption, const QString& preset,
                                       const QString& filter) {
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString());
    dialog.selectFile(preset);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace vistrel
