#include "app/SettingsCommand.h"

#include "app/CSplitterFrame.h"
#include "dialogs/SettingsDialog.h"
#include "projector/SettingsEditing.h"
#include "views/CEditZeile.h"
#include "views/CVistrelView.h"

namespace vistrel {

void runSettingsCommand(Settings& settings, ProjectorLink& link, Prompter& prompter,
                        const std::vector<CSplitterFrame*>& frames, QWidget* parent) {
    const DisplayOptions before = DisplayOptions::of(settings);
    {
        SettingsEditing editing(settings, link, prompter);
        SettingsDialog dialog(editing, parent);
        dialog.exec();
    }
    // Options applied by an OK that kept the dialog open count too, whatever button closed it.
    const DisplayRefresh refresh = refreshNeeded(before, DisplayOptions::of(settings));
    if (!refresh.repaint) return;
    for (CSplitterFrame* frame : frames) refreshShowWindow(*frame, refresh);
}

void refreshShowWindow(CSplitterFrame& frame, const DisplayRefresh& refresh) {
    CEditZeile& editor = *frame.editor();
    CVistrelView& list = *frame.listView();
    editor.update();
    list.viewport()->update();
    editor.showTotalTime();
    if (refresh.remapSliders) editor.remapSliders();
    if (refresh.redrawRows) list.refreshAllItems();
}

}  // namespace vistrel
