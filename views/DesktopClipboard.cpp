#include "views/DesktopClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "model/Cp1252.h"

namespace vistrel {

namespace {

QClipboard* desktopClipboard() {
    // Without a window system there is no clipboard to open.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return nullptr;
    return QGuiApplication::clipboard();
}

}  // namespace

Clipboard::Failure DesktopClipboard::setText(std::string_view text) {
    QClipboard* clipboard = desktopClipboard();
    if (!clipboard) return Failure::Open;
    // Taking the clipboard over empties it and puts the text there in one step; there
    // is nothing to close afterwards.
    const QString unicode = QString::fromStdString(cp1252ToUtf8(text));
    clipboard->setText(unicode, QClipboard::Clipboard);
    // A desktop that refuses the text leaves another program's content in place.
    if (clipboard->text(QClipboard::Clipboard) != unicode) return Failure::SetData;
    return Failure::None;
}

std::optional<std::string> DesktopClipboard::text() {
    QClipboard* clipboard = desktopClipboard();
    if (!clipboard) return std::nullopt;
    const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText()) return std::nullopt;
    return utf8ToCp1252(data->text().toStdString());
}

}  // namespace vistrel
