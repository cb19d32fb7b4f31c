#pragma once
// "Einstellungen": runs the settings dialog, then brings every open show window up to
// date when an option that changes what the windows show was switched.
#include <vector>

class QWidget;

namespace vistrel {

class CSplitterFrame;
class ProjectorLink;
class Prompter;
struct DisplayRefresh;
struct Settings;

void runSettingsCommand(Settings& settings, ProjectorLink& link, Prompter& prompter,
                        const std::vector<CSplitterFrame*>& frames, QWidget* parent);

// What a show window does after the settings changed as `refresh` says.
void refreshShowWindow(CSplitterFrame& frame, const DisplayRefresh& refresh);

}  // namespace vistrel
