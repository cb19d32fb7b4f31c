#pragma once
// "Ansicht" -> "Zeitleiste": whether the show windows show their timeline. One choice for
// every window, kept in the program's profile (beside the recent files, not in the
// settings file, whose lines are fixed) so that the next start shows what this one did.
#include <QString>
#include <vector>

namespace vistrel {

class CSplitterFrame;

class TimelineChoice {
public:
    // Reads the choice from `profilePath` (empty: no profile, the timeline starts hidden).
    explicit TimelineChoice(QString profilePath);

    bool shown() const { return shown_; }
    // A new window shows what the choice says.
    void apply(CSplitterFrame& frame) const;
    // The command: every window follows the new choice, which is kept.
    void toggle(const std::vector<CSplitterFrame*>& frames);

private:
    QString profilePath_;
    bool shown_ = false;
};

}  // namespace vistrel
