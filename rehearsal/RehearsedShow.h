#pragma once
// A show window as the rehearsal sees it: the show it runs, and the window's part in
// the run (its list following the projector, its poll). The program's show window is
// one; the rehearsal knows no more of it than this.
#include "projector/RunControl.h"

class QScreen;

namespace vistrel {

class CVistrelDoc;

class RehearsedShow {
public:
    virtual ~RehearsedShow() = default;

    virtual CVistrelDoc& document() = 0;
    virtual RunView& runView() const = 0;
    // The screen the show window stands on, where the rehearsal opens (null when hidden).
    virtual QScreen* shownOn() const = 0;
};

}  // namespace vistrel
