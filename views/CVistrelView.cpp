#include "views/CVistrelView.h"

namespace vistrel {

CVistrelView::CVistrelView(CVistrelDoc& doc, ViewServices& services, QWidget* parent)
    : CTextView(doc, services, parent) {}

void CVistrelView::initialUpdate() { updateFromDocument(); }

}  // namespace vistrel
