#pragma once
// A show window as the rehearsal sees it: the show it runs, and the window's part in
// the run (its list following the projector, its poll). The program's show window is
// one; the rehearsal knows no more of it than this.
#include "projector/RunControl.h"

namespace vistrel {

class CVistrelDoc;

class RehearsedShow {
public:
    virtual ~RehearsedShow() = default;

    virtual CVistrelDoc& document() = 0;
    virtual RunView& runView() const = 0;
};

}  // namespace vistrel
