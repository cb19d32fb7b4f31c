#pragma once
// vistrel-cli find: the search in folders of the window program ("in
// Unterverzeichnissen"), with the same walk, file test, scan and comparison.
#include <cstdio>
#include <string>

namespace vistrel::cli {

struct FindOptions {
    std::string folder;
    std::string term;  // UTF-8
    bool matchCase = false;
    bool json = false;
};

// Runs the search and prints its hits to `out`: one line "PATH<TAB>DESCRIPTION<TAB>TITLE"
// each, or one JSON object with the counters. Returns the exit code: 0 (also without a
// hit), 1 when FOLDER cannot be read or the output cannot be written.
int find(const FindOptions& options, std::FILE* out = stdout, std::FILE* err = stderr);

}  // namespace vistrel::cli
