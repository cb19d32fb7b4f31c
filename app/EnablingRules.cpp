#include "app/EnablingRules.h"

#include "res/CommandIds.h"

namespace vistrel {

bool isCommandBuilt(int) {
    // Every command of the menus, the tool bar and the keys is built. An unfinished
    // command would be held back here, staying in its menu but disabled.
    return true;
}

bool ruleAllows(int commandId, const CommandContext& c) {
    using namespace cmd;
    const bool doc = c.documentActive;
    const bool idle = !c.showRunning;
    auto view = [&](int id) { return doc && c.viewEnables && c.viewEnables(id); };

    switch (commandId) {
    // Always there, with or without a show.
    case FileNew:
    case FileOpen:
    case FilePrintSetup:
    case AppExit:
    case ViewToolBar:
    case ViewStatusBar:
    case HelpTopics:
    case HelpIndex:
    case ContextHelp:
    case AppAbout:
    case OpenDemoShow:
        return true;
    case FileMruFirst:
        return c.recentFiles > 0;

    // The document's own commands.
    case FileClose:
    case FileSave:
    case FileSaveAs:
    case EditTitle:
    case StandardColumns:
    case OpenLightTable:
    case ViewTimeline:
        return doc;

    // Printing belongs to the list: it says whether it can print.
    case FilePrint:
    case FilePrintDirect:
    case FilePrintPreview:
        return view(commandId);

    // Edit commands: the list (or the editor field with the focus) decides, and
    // changing the show's lines is refused while it runs.
    case EditCopy:
    case EditRemove:
    case EditSelectAll:
        return view(commandId);
    case EditCut:
    case EditPaste:
        return idle && view(commandId);
    // The show's steps, or the typing in the editor's field; nothing while a show runs,
    // as the projector holds what the list shows.
    case EditUndo:
        return doc && idle && (c.canUndo || view(commandId));
    case EditRedo:
        return doc && idle && (c.canRedo || view(commandId));

    // Transfers.
    case WriteToModule:
    case WriteToProjector:
        return doc && idle && c.lineCount > 0;
    case LoadFromProjector:
    case LoadFromModule:
        return doc && idle;
    case ProjectorVersion:
        return idle;

    // Run control.
    case StartShow:
        return doc && idle;
    case StopShow:
    case InfoDisplay:
    case JumpToLine:
        return doc;
    case PauseContinue:
        return doc && c.showRunning && !c.commandBusy && c.pauseState != 2;
    case NextPicture:
        return doc && c.showRunning && !c.commandBusy;
    case Rehearse:
        return doc && idle && c.lineCount > 0;
    case ChoosePictureFolder:
    case ChooseMusic:
        return doc;
    // The list carries them out (it knows the show's picture folder); a show without
    // lines has no slide to check or to plan.
    case CheckPictures:
    case PrintMagazinePlan:
        return doc && c.lineCount > 0 && view(commandId);

    case Settings:
    case SearchCurrent:
    case ShowLength:
        return doc && idle;
    case SearchRepeat:
        return doc && idle && c.searchIndex != -1;
    case SearchFolders:
        return idle;
    case ScaleShow:
        return doc && c.lineCount > 0;
    case FileExportVideo:
        return doc && c.lineCount > 0 && c.mediaModulePresent;

    // Window arrangement needs windows to arrange.
    case WindowCascade:
    case WindowTile:
    case WindowArrange:
        return c.documentWindows > 0;
    default:
        break;
    }
    // Row commands of the context menus go to the list, which knows its own rules.
    return view(commandId);
}

}  // namespace vistrel
