#pragma once
// The search in the open show, on the program list's own rows: the next row whose
// description (as the list shows it) holds the application's search term is selected,
// alone, scrolled into view and made the line editor's current line, as a click on
// it would; a search that finds nothing more says so.
namespace vistrel {

class CTextView;

void searchCurrentShow(CTextView& list);

}  // namespace vistrel
