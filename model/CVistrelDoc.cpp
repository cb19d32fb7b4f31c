#include "model/CVistrelDoc.h"

#include <algorithm>

#include "model/ShowFile.h"

namespace vistrel {

namespace {

bool endsWithDpd(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ending = path.substr(path.size() - 4);
    for (char& c : ending) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return ending == ".dpd";
}

// The last part of a path: what the window shows as the title.
std::string fileNameOf(const std::string& path) {
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

int usedLines(const CVistrelDoc& doc) { return std::clamp(doc.lineCount, 0, LineStorageRecords); }

}  // namespace

CVistrelDoc::CVistrelDoc() = default;

bool CVistrelDoc::hasUnsavedChanges() const {
    for (int i = 0; i < usedLines(*this); ++i) {
        if (lines[static_cast<std::size_t>(i)].changeMarks & ChangedSinceSave) return true;
    }
    return false;
}

bool CVistrelDoc::differsFromProjector(bool differentialTransfer, const std::string& projectorShowTitle) const {
    for (int i = 0; i < usedLines(*this); ++i) {
        if (lines[static_cast<std::size_t>(i)].changeMarks & NotInProjector) return true;
    }
    // With differential transfer only the marked lines would be sent, so a different
    // show in the projector must be caught by its title.
    return differentialTransfer && windowTitle != projectorShowTitle;
}

bool CVistrelDoc::openFromFile(const std::string& path, const Settings& settings, Prompter& prompter) {
    filePath = path;
    // The reader reports its own failure; the window opens with what was read.
    const bool read = readShowFile(*this, filePath, settings, prompter);
    windowTitle = fileNameOf(filePath);
    // A file that could not be read (too large, not a plain file, unreadable) may still
    // be someone's show: the empty window must not overwrite it with a plain "Save".
    if (!read) filePath.clear();
    linesReplaced(Replaced::ReadIn);
    return true;
}

bool CVistrelDoc::saveToFile(const std::string& path, Prompter& prompter) {
    filePath = path;
    if (!endsWithDpd(filePath)) filePath += ".dpd";
    if (!writeShowFile(*this, filePath, prompter)) return false;
    if (onSavedToFile) onSavedToFile(filePath);
    return true;
}

void CVistrelDoc::takeTitleTexts(const ShowHeader& texts) {
    lines[0].changeMarks |= ChangedSinceSave;
    const ShowHeader before = header;
    header = texts;
    header.descriptionContinued.clear();
    DocumentChange change;
    change.headerFields = differingHeaderFields(before, header);
    change.addLines(0, 0);
    announce(change);
}

void CVistrelDoc::addView(DocumentView* view) {
    if (view && std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CVistrelDoc::removeView(DocumentView* view) { std::erase(views_, view); }

void CVistrelDoc::announce(const DocumentChange& change, DocumentView* sender) {
    // A view may remove itself or another while it is told: walk a copy and skip
    // views that have left meanwhile.
    const std::vector<DocumentView*> current = views_;
    for (DocumentView* view : current) {
        if (view == sender || std::find(views_.begin(), views_.end(), view) == views_.end()) continue;
        view->documentChanged(change);
    }
}

void CVistrelDoc::linesReplaced(Replaced how) {
    // A full show offers its last line slot; the editor refuses to add beyond it.
    currentLine = std::min(std::max(lineCount, 0), MaxProgramLines - 1);
    appendMode = true;
    clickBelowLastLine = false;
    DocumentChange change;
    change.addLines(0, usedLines(*this) - 1);
    change.linesMoved = true;
    change.rowsRebuilt = true;
    change.currentLineChanged = true;
    if (how == Replaced::ReadIn) {
        change.showReplaced = true;
        change.headerFields = AllHeaderFields;
    }
    announce(change);
}

}  // namespace vistrel
