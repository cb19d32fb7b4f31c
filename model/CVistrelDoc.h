#pragma once
// One open show: its lines and header in fixed storage, the change marks that say
// whether it must be saved or written to the projector, and the flags by which the
// program list, the line editor and the run control hand work to each other.
// Plain C++: the windows observe it through DocumentView.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "model/ProgramLine.h"

namespace vistrel {

class Prompter;
struct Settings;
struct ShowReadReport;

// A window that shows the document (the program list, the line editor).
class DocumentView {
public:
    virtual ~DocumentView() = default;
    // The document changed; `sender` is the view that announced it (not told again), or null.
    virtual void onDocumentUpdate(DocumentView* sender) = 0;
};

// What the document needs of its program list: which rows are selected.
class ListSelection {
public:
    virtual ~ListSelection() = default;
    virtual std::vector<int> selectedRows() const = 0;  // ascending
};

class CVistrelDoc {
public:
    CVistrelDoc();

    // --- members, in the program's order ---
    bool commandBusy = false;
    int runningLine = 0;
    bool specialPauseActive = false;
    int showLength = 0;
    int playingTime = -4711;  // not yet computed
    int selectedLength = 0;
    ListSelection* listView = nullptr;
    std::array<ProgramLine, LineStorageRecords> lines{};
    ShowHeader header;
    int lineCount = 0;
    std::string filePath;  // full path (UTF-8); empty for a show never saved or opened
    bool reloadList = false;
    int searchIndex = -1;
    bool editorReload = false;
    bool applyPending = false;
    int currentLine = 0;
    bool refreshViews = false;
    bool appendMode = true;
    bool clickBelowLastLine = false;
    int jumpTarget = 0;

    // The framework's title: the file name, or "Vistre<n>" for a new show (UTF-8).
    std::string windowTitle;

    // --- queries ---
    bool hasUnsavedChanges() const;
    bool differsFromProjector(bool differentialTransfer, const std::string& projectorShowTitle) const;

    // --- file operations ---
    // Reads `path` (UTF-8) into this freshly created document. Reports read errors itself and
    // returns true even then, as the window opens with what was read. What the reader had
    // to leave out goes into `report`, for the window to say once it is open.
    bool openFromFile(const std::string& path, const Settings& settings, Prompter& prompter,
                      ShowReadReport* report = nullptr);
    // Completes ".dpd", writes the file, returns whether it was written.
    bool saveToFile(const std::string& path, Prompter& prompter);
    // Told the full path after every successful saveToFile (the recent-file list).
    std::function<void(const std::string&)> onSavedToFile;

    // --- views ---
    void addView(DocumentView* view);
    void removeView(DocumentView* view);
    const std::vector<DocumentView*>& views() const { return views_; }
    void updateAllViews(DocumentView* sender = nullptr);

private:
    std::vector<DocumentView*> views_;
};

}  // namespace vistrel
