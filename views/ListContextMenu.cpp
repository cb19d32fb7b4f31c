#include "views/ListContextMenu.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QStatusTipEvent>

#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "res/TableText.h"
#include "res/strings/ListStrings.h"
#include "res/strings/ShellStrings.h"
#include "views/CTextView.h"
#include "views/ViewServices.h"

namespace vistrel {

namespace {

// Adds the entry of `commandId`: the main window's action, or one of the menu's own.
void addEntry(CTextView& list, QMenu& into, int textId, int commandId) {
    ViewServices& services = list.services();
    if (QAction* shared = services.commandAction ? services.commandAction(commandId) : nullptr) {
        into.addAction(shared);
        return;
    }
    QAction* action = into.addAction(tableText(textId));
    action->setData(commandId);
    action->setEnabled(list.isCommandEnabled(commandId));
    // What the entry does, in the status bar while the mouse is on it.
    if (res::has(ids::StatusPromptOffset + commandId))
        action->setStatusTip(tableText(ids::StatusPromptOffset + commandId));
    QObject::connect(action, &QAction::triggered, &list, [&list, commandId] {
        if (!list.handleCommand(commandId) && list.services().runCommand) list.services().runCommand(commandId);
    });
}

}  // namespace

QMenu* ListContextMenu::openOnRow(CTextView& list, int row, bool running, const QPoint& globalPos) {
    QItemSelectionModel* selection = list.selectionModel();
    CVistrelDoc& doc = list.document();
    if (running) {
        // The line being shown stays marked.
        selection->clearSelection();
        if (doc.runningLine >= 0 && doc.runningLine < list.rowCount()) {
            const QModelIndex shown = list.model()->index(doc.runningLine, 0);
            selection->setCurrentIndex(shown, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    const QModelIndex clicked = list.model()->index(row, 0);
    selection->setCurrentIndex(clicked, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list.update(clicked);
    list.setContextItem(row);
    doc.jumpTarget = running ? row : 0;
    return popup(list, running, globalPos);
}

QMenu* ListContextMenu::popup(CTextView& list, bool running, const QPoint& globalPos) {
    // The shared actions show the enabling of this moment.
    if (list.services().updateActions) list.services().updateActions();

    auto* menu = new QMenu(&list);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu has one popup "Zeile" whose entries are shown directly.
    menu->setTitle(tableText(ids::MenuLine));
    if (running) addEntry(list, *menu, ids::MenuJumpToLine, cmd::JumpToLine);
    addEntry(list, *menu, ids::MenuEditLine, cmd::EditLine);
    QMenu* insert = menu->addMenu(tableText(ids::MenuInsertLine));
    addEntry(list, *insert, ids::MenuWithoutCorrection, cmd::InsertLine);
    addEntry(list, *insert, ids::MenuWithCorrection, cmd::InsertLineCorrected);
    QMenu* remove = menu->addMenu(tableText(ids::MenuRemoveLines));
    addEntry(list, *remove, ids::MenuWithoutCorrection, cmd::RemoveLines);
    addEntry(list, *remove, ids::MenuWithCorrection, cmd::RemoveLinesCorrected);
    QMenu* timers = menu->addMenu(tableText(ids::MenuTimers));
    addEntry(list, *timers, ids::MenuTimersZero, cmd::TimersZero);
    addEntry(list, *timers, ids::MenuTimersInput, cmd::TimersInput);
    if (!running) addEntry(list, *menu, ids::MenuCorrectSlideNumbers, cmd::CorrectSlideNumbers);

    // A popup menu is a window of its own, so its entries' prompts would stop there;
    // handed to the list they reach the main window's status bar.
    auto showPrompt = [&list](const QString& prompt) {
        QStatusTipEvent tip(prompt);
        QCoreApplication::sendEvent(&list, &tip);
    };
    for (QMenu* popup : {menu, insert, remove, timers}) {
        QObject::connect(popup, &QMenu::hovered, &list,
                         [showPrompt](QAction* action) { showPrompt(action->statusTip()); });
    }
    QObject::connect(menu, &QMenu::aboutToHide, &list, [showPrompt] { showPrompt(QString()); });

    menu->popup(QPoint(globalPos.x() - menu->sizeHint().width() / 2, globalPos.y()));
    return menu;
}

}  // namespace vistrel
