#pragma once
// The program's string table: every German text the user sees, looked up by id.
// Texts are UTF-8 here; the ids are the ones the program has always used, so that
// messages can be named by number in code and tests.
#include <initializer_list>
#include <span>
#include <string>

namespace vistrel::res {

struct StringEntry {
    int id;
    const char* text;  // UTF-8
};

// The text of `id`, or an empty string when the table has no such id.
const char* text(int id);

// True when the table holds `id`.
bool has(int id);

// The program's own texts place their values as "%1" .. "%9" (formatArgs, formatText).
// Texts taken over word for word keep the placeholder they came with: "%d" is filled
// by formatInt ("Fehlernummer %d bekommen").
std::string formatInt(int id, int value);

// A table text with "%1" .. "%9" replaced by `args` in order (a text may place them as
// its sentence needs).
std::string formatArgs(int id, std::initializer_list<std::string> args);

// A table text with its "%1" filled with one text (e.g. a file name).
std::string formatText(int id, const std::string& value);

// One area of the table each; the lookup searches all of them.
std::span<const StringEntry> modelStrings();
std::span<const StringEntry> projectorStrings();
std::span<const StringEntry> shellStrings();
std::span<const StringEntry> listStrings();
std::span<const StringEntry> editorStrings();
std::span<const StringEntry> dialogStrings();
std::span<const StringEntry> runStrings();
std::span<const StringEntry> searchStrings();
std::span<const StringEntry> safetyStrings();
std::span<const StringEntry> printStrings();
std::span<const StringEntry> lineStrings();
std::span<const StringEntry> lengthStrings();
std::span<const StringEntry> historyStrings();
std::span<const StringEntry> mediaStrings();
std::span<const StringEntry> rehearsalStrings();
std::span<const StringEntry> waitStrings();
std::span<const StringEntry> stateStrings();

// Every area, in the order the lookup searches them.
std::span<const std::span<const StringEntry>> allAreas();

}  // namespace vistrel::res
