#include "app/TimelineChoice.h"

#include <QSettings>

#include "app/CSplitterFrame.h"

namespace vistrel {

namespace {
const QString kKey = QStringLiteral("Ansicht/Zeitleiste");
}  // namespace

TimelineChoice::TimelineChoice(QString profilePath) : profilePath_(std::move(profilePath)) {
    if (profilePath_.isEmpty()) return;
    shown_ = QSettings(profilePath_, QSettings::IniFormat).value(kKey, false).toBool();
}

void TimelineChoice::apply(CSplitterFrame& frame) const { frame.showTimeline(shown_); }

void TimelineChoice::toggle(const std::vector<CSplitterFrame*>& frames) {
    shown_ = !shown_;
    for (CSplitterFrame* frame : frames) apply(*frame);
    // A profile that cannot be written costs only the choice at the next start.
    if (!profilePath_.isEmpty()) QSettings(profilePath_, QSettings::IniFormat).setValue(kKey, shown_);
}

}  // namespace vistrel
