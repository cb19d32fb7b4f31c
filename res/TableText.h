#pragma once
// A text of the string table as a QString, for the layers that show it with Qt. The
// table itself stays plain C++ (model/ and projector/ read it without Qt).
#include <QString>

#include "res/StringTable.h"

namespace vistrel {

inline QString tableText(int id) { return QString::fromUtf8(res::text(id)); }

}  // namespace vistrel
