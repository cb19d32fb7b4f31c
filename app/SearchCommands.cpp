#include "app/SearchCommands.h"

#include <QApplication>

#include "app/CSplitterFrame.h"
#include "app/SearchResultWindow.h"
#include "dialogs/FolderDialog.h"
#include "dialogs/SearchTermDialog.h"
#include "model/ApplicationState.h"
#include "model/Settings.h"
#include "platform/Prompter.h"
#include "views/CVistrelView.h"

namespace vistrel {

SearchCommands::SearchCommands(Settings& settings, ApplicationState& appState, Prompter& prompter, Hooks hooks,
                               QObject* parent)
    : QObject(parent), settings_(settings), appState_(appState), prompter_(prompter), hooks_(std::move(hooks)) {
    if (!hooks_.chooseFolder) {
        hooks_.chooseFolder = [](QWidget* owner) {
            FolderDialog dialog(owner);
            return dialog.exec() == QDialog::Accepted ? dialog.folder() : QString();
        };
    }
}

SearchCommands::~SearchCommands() { closeResults(); }

bool SearchCommands::askForTerm() {
    QWidget* owner = hooks_.dialogParent ? hooks_.dialogParent() : nullptr;
    SearchTermDialog dialog(QString::fromStdString(appState_.searchText), appState_.matchCase,
                            settings_.searchDialogPosition, owner);
    if (dialog.exec() != QDialog::Accepted) return false;
    appState_.searchPending = false;
    appState_.matchCase = dialog.matchCase();
    appState_.searchText = dialog.term().toStdString();
    return true;
}

void SearchCommands::searchCurrent(CSplitterFrame& frame) {
    if (!askForTerm()) return;
    frame.document().searchIndex = -1;
    frame.listView()->searchCurrentShow();
}

void SearchCommands::repeatSearch(CSplitterFrame& frame) { frame.listView()->searchCurrentShow(); }

void SearchCommands::searchInFolders() {
    closeResults();
    if (!askForTerm()) return;
    if (CSplitterFrame* frame = hooks_.activeFrame ? hooks_.activeFrame() : nullptr) frame->document().searchIndex = -1;

    appState_.searchFolder.clear();
    const QString folder = hooks_.chooseFolder(hooks_.dialogParent ? hooks_.dialogParent() : nullptr);
    if (folder.isEmpty()) return;
    appState_.searchFolder = folder.toStdString();

    auto* window = new SearchResultWindow([this](const QString& path) { openHit(path); },
                                          hooks_.dialogParent ? hooks_.dialogParent() : nullptr);
    results_ = window;
    window->show();
    window->raise();
    window->activateWindow();
    const QString start = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    window->startSearch(start, QString::fromStdString(appState_.searchText), appState_.matchCase,
                        [this] { prompter_.beep(); });
}

void SearchCommands::openHit(const QString& path) {
    appState_.searchPending = true;
    bool wasOpen = false;
    CSplitterFrame* frame = hooks_.openShow ? hooks_.openShow(path, wasOpen) : nullptr;
    if (!frame) {
        appState_.searchPending = false;
        return;
    }
    if (QWidget* main = hooks_.dialogParent ? hooks_.dialogParent() : nullptr) {
        main->raise();
        main->activateWindow();
    }
    if (wasOpen) {
        // A show open already is not loaded again; it is searched from its top here,
        // so that its matching line is selected as in a show opened fresh. (Bringing
        // its window up may have moved the keyboard, which drops the pending mark.)
        appState_.searchPending = true;
        frame->document().searchIndex = -1;
        frame->listView()->runPendingSearch();
    }
}

void SearchCommands::closeResults() {
    if (!results_) return;
    SearchResultWindow* window = results_;
    results_ = nullptr;
    window->stopSearch();
    window->close();
    delete window;  // waits for the walk, which stops at its next entry
}

SearchResultWindow* SearchCommands::resultWindow() const { return results_.data(); }

bool SearchCommands::searching() const { return results_ && results_->searching(); }

}  // namespace vistrel
