#pragma once
// One open show: its lines and header in fixed storage, the change marks that say
// whether it must be saved or written to the projector, and the line the editor works
// on. Whatever changes it is announced once (DocumentChange); the windows observe it
// through DocumentView. Plain C++.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "model/DocumentChange.h"
#include "model/ProgramLine.h"

namespace vistrel {

class Prompter;
struct Settings;
struct ShowReadReport;

// A window that shows the document (the program list, the line editor).
class DocumentView {
public:
    virtual ~DocumentView() = default;
    // The document changed as `change` says. The view that announced it is not told.
    virtual void documentChanged(const DocumentChange& change) = 0;
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
    // The show's length as last kept (keepShowLength; the show-length command with its
    // selection): the length or -1, the length without its waits, the selected rows' part.
    int showLength = 0;
    int playingTime = -4711;  // not yet computed
    int selectedLength = 0;
    ListSelection* listView = nullptr;
    std::array<ProgramLine, LineStorageRecords> lines{};
    ShowHeader header;
    int lineCount = 0;
    std::string filePath;  // full path (UTF-8); empty for a show never saved or opened
    int searchIndex = -1;
    int currentLine = 0;
    bool appendMode = true;
    bool clickBelowLastLine = false;
    int jumpTarget = 0;

    // The framework's title: the file name, or "Vistre<n>" for a new show (UTF-8).
    std::string windowTitle;
    // How often lines of this show went into the projector's memory and into the
    // module: a step taken back after such a write leaves lines the target does not hold.
    int projectorWrites = 0;
    int moduleWrites = 0;

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

    // --- header ---
    // The title dialog's texts confirmed: `texts` become the header (the continuation
    // of the description emptied, as the dialog shows it joined), and the change is
    // announced. The first line record says that the show has changed.
    void takeTitleTexts(const ShowHeader& texts);

    // --- views ---
    void addView(DocumentView* view);
    void removeView(DocumentView* view);
    const std::vector<DocumentView*>& views() const { return views_; }
    // Tells every view but `sender` what changed. An empty change only asks them to
    // look again (the run state or the settings changed).
    void announce(const DocumentChange& change, DocumentView* sender = nullptr);

    // How the lines were replaced as a whole.
    enum class Replaced {
        ReadIn,     // a show read from a file, the projector or the module
        Rewritten,  // every line rewritten in place (scaling)
    };
    // The lines were replaced as a whole: the editor offers a new line after the last
    // one, and the list builds its rows anew.
    void linesReplaced(Replaced how);

private:
    std::vector<DocumentView*> views_;
};

}  // namespace vistrel
