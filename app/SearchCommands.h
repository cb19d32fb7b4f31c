#pragma once
// The commands of the menu "Su&chen": "in aktueller Datei" and "Suche wiederholen"
// (the show window's) and "in Unterverzeichnissen" (the program's, with or without a
// show). They ask for the term, keep it for the whole run, and start the searches;
// the search in folders runs on a thread of its own and fills its result window as
// it goes.
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

namespace vistrel {

class CSplitterFrame;
class FolderSearchRunner;
class Prompter;
class SearchResultWindow;
struct ApplicationState;
struct Settings;

class SearchCommands : public QObject {
    Q_OBJECT

public:
    struct Hooks {
        // The show window that is active now, or null.
        std::function<CSplitterFrame*()> activeFrame;
        // Opens a show as "Öffnen" does; null when nothing was opened. `wasOpen` tells
        // whether the show was open already (then its window is only brought up).
        std::function<CSplitterFrame*(const QString& path, bool& wasOpen)> openShow;
        // Where modal dialogs belong.
        std::function<QWidget*()> dialogParent;
        // The folder dialog: a chosen folder, or empty for none. Tests answer it.
        std::function<QString(QWidget* parent)> chooseFolder;
    };

    SearchCommands(Settings& settings, ApplicationState& appState, Prompter& prompter, Hooks hooks,
                   QObject* parent = nullptr);
    ~SearchCommands() override;

    void searchCurrent(CSplitterFrame& frame);
    void repeatSearch(CSplitterFrame& frame);
    void searchInFolders();

    // The result window of the last search in folders, while it exists.
    SearchResultWindow* resultWindow() const;
    // Closes the result window (stopping a search still running); at the end of the run.
    void closeResults();
    // Replaces the folder dialog (tests answer it).
    void setChooseFolder(std::function<QString(QWidget* parent)> chooseFolder) {
        hooks_.chooseFolder = std::move(chooseFolder);
    }
    // True while a search in folders walks its folders.
    bool searching() const;

private:
    bool askForTerm();
    void openHit(const QString& path);

    Settings& settings_;
    ApplicationState& appState_;
    Prompter& prompter_;
    Hooks hooks_;
    QPointer<SearchResultWindow> results_;
};

}  // namespace vistrel
