#include "dialogs/CStaticLink.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

namespace vistrel {

CStaticLink::CStaticLink(const QString& text, QWidget* parent) : QLabel(text, parent) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    // The dialog's background shows through; only the text is drawn.
    setAutoFillBackground(false);
    opener_ = [](const QString& address) { return QDesktopServices::openUrl(QUrl::fromUserInput(address)); };
    beep_ = [] { QApplication::beep(); };
    applyColor();
}

void CStaticLink::follow() {
    if (link.isEmpty()) link = text();
    if (!opener_(link)) {
        // Nothing opened: say so with a beep and leave the link as it was.
        beep_();
        return;
    }
    visited_ = true;
    applyColor();
    update();
}

void CStaticLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        follow();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void CStaticLink::applyColor() {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, visited_ ? visitedColor : unvisitedColor);
    setPalette(colours);
}

}  // namespace vistrel
