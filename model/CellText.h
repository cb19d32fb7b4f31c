#pragma once
// The texts of the program list's six cells. The list, the clipboard and printing
// all use this one form, and several line operations rebuild lines by reading the
// texts back, so writing and reading live side by side here. Bytes stay Windows-1252.
#include <array>
#include <string>
#include <string_view>

#include "model/ProgramLine.h"

namespace vistrel {

constexpr int CellColumnCount = 6;
using CellTexts = std::array<std::string, CellColumnCount>;

// Column 0 the program number text, 1 "  %d" slide, 2 and 3 "  %5.1f" seconds of the
// dissolve and timer tenths, 4 "  %d" code, 5 the description. An empty description
// is a single blank when the whole list is filled from the document
// (`emptyDescriptionAsBlank`), and stays empty where a single row is written.
std::string cellText(const ProgramLine& line, int column, bool emptyDescriptionAsBlank);
CellTexts cellTexts(const ProgramLine& line, bool emptyDescriptionAsBlank);

// Reading back. Integers: leading blanks, sign, digits up to the first other character.
int parseCellInteger(std::string_view text);
// Seconds text to tenths, truncated toward zero ("  2.5" gives 25).
int parseCellTenths(std::string_view text);
// The clipboard also accepts a decimal comma ("2,5"): the first comma reads as a point.
int parseClipboardTenths(std::string_view text);
// Cut to 178 characters; a single blank is the empty description.
std::string parseCellDescription(std::string_view text);

// The clipboard's header line, exactly as other programs and paste expect it: six
// column names, each followed by a tab, then a line feed alone.
inline constexpr std::string_view ClipboardHeaderLine = "PrNr.\tDiaNr.\tUeberblendzeit\tTimer\tSF\tBeschreibung\t\n";
// What paste compares the start of the clipboard text with (the line without its
// last tab and line feed).
inline constexpr std::string_view ClipboardHeaderPrefix = "PrNr.\tDiaNr.\tUeberblendzeit\tTimer\tSF\tBeschreibung";
// Each clipboard field carries at most this many characters of its cell.
constexpr std::size_t ClipboardFieldCapacity = 179;

// One clipboard record: every cell followed by a tab (the last one too), then CR LF.
std::string clipboardRecord(const CellTexts& cells);
std::string clipboardRecord(const ProgramLine& line, bool emptyDescriptionAsBlank);

}  // namespace vistrel
