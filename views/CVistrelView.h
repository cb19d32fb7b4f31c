#pragma once
// The list as the document window embeds it: a CTextView that fills itself from the
// document on its first update.
#include "views/CTextView.h"

namespace vistrel {

class CVistrelView : public CTextView {
    Q_OBJECT

public:
    CVistrelView(CVistrelDoc& doc, ViewServices& services, QWidget* parent = nullptr);

    // The window's first update: the list's update steps. Runs by itself when the list
    // is first shown, unless the window ran it before.
    void initialUpdate();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool initialUpdateDone_ = false;
};

}  // namespace vistrel
