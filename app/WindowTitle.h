#pragma once
// A show window's title is the show's file name with Qt's placeholder "[*]" after it:
// Qt shows "*" there while the window holds unsaved changes (setWindowModified) and
// nothing otherwise, so the name itself never changes. A "[*]" inside the file name is
// doubled, which Qt shows as the name has it.
#include <QString>

namespace vistrel {

// `name` with the change mark's placeholder after it.
QString titleWithChangeMark(const QString& name);

// What Qt shows for a title holding placeholders: "*" for the mark while `modified`,
// nothing for it otherwise; a doubled "[*]" as one. The window menu lists this text.
QString shownTitle(const QString& title, bool modified);

}  // namespace vistrel
