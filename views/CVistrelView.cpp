#include "views/CVistrelView.h"

namespace vistrel {

CVistrelView::CVistrelView(CVistrelDoc& doc, ViewServices& services, QWidget* parent)
    : CTextView(doc, services, parent) {}

void CVistrelView::initialUpdate() {
    initialUpdateDone_ = true;
    updateFromDocument();
}

void CVistrelView::showEvent(QShowEvent* event) {
    CTextView::showEvent(event);
    if (!initialUpdateDone_) initialUpdate();
}

}  // namespace vistrel
