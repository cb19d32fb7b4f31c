#pragma once
// Application-wide members that several parts of the program share.
#include <string>

namespace vistrel {

struct ApplicationState {
    bool searchPending = false;      // a show is being opened from the folder-search results
    bool matchCase = false;          // "Groß- / Kleinschreibung beachten" of the last search
    std::string searchText;          // term of the last search (UTF-8, as typed)
    std::string projectorShowTitle;  // window title of the show last written to the projector
    std::string searchFolder;        // folder chosen for the search in folders
};

}  // namespace vistrel
