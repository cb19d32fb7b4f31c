#pragma once
// The list as the document window embeds it: a CTextView that fills itself from the
// document on its first update, carries the line operations and the clipboard (their
// steps go into the show's history, which the window hands it), and opens show files
// dropped on it from a file manager.
#include "views/CTextView.h"

namespace vistrel {

class ListCommands;
class ShowHistory;

class CVistrelView : public CTextView {
    Q_OBJECT

public:
    // Lists `history`'s show; the history keeps this list's rows and selection in its steps.
    CVistrelView(ShowHistory& history, ViewServices& services, QWidget* parent = nullptr);
    ~CVistrelView() override;

    // The window's first update: the list's update steps. Runs by itself when the list
    // is first shown, unless the window ran it before.
    void initialUpdate();

    ListCommands& commands() { return *commands_; }

    // The local files among `urls`, in the order given: what a drop opens.
    static QStringList droppedFiles(const QList<QUrl>& urls);

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool initialUpdateDone_ = false;
    ShowHistory& history_;
    ListCommands* commands_ = nullptr;
};

}  // namespace vistrel
