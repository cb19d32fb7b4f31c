#pragma once
// The search in the open show, on the program list's own rows: the next row whose
// description (as the list shows it) holds the application's search term is selected,
// alone, and scrolled into view; a search that finds nothing more says so. The line
// editor's current line is left alone.
namespace vistrel {

class CTextView;

void searchCurrentShow(CTextView& list);

}  // namespace vistrel
