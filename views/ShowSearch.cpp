#include "views/ShowSearch.h"

#include <QItemSelectionModel>
#include <algorithm>
#include <string>
#include <vector>

#include "model/Cp1252.h"
#include "model/ShowLength.h"
#include "model/ShowSearchStep.h"
#include "platform/Prompter.h"
#include "views/CTextView.h"
#include "views/ViewServices.h"

namespace vistrel {

namespace {
constexpr int DescriptionColumn = 5;
}

void searchCurrentShow(CTextView& list) {
    ViewServices& services = list.services();
    CVistrelDoc& doc = list.document();
    const SearchTerm term(services.appState.searchText, services.appState.matchCase);

    // The cells hold UTF-8 for display; the comparison works on the code page's bytes.
    std::string cell;
    auto description = [&list, &cell](int row) -> std::string_view {
        cell = utf8ToCp1252(list.cellText(row, DescriptionColumn).toStdString());
        return cell;
    };
    const ShowSearchStep step = nextSearchStep(doc.searchIndex, list.rowCount(), description, term);

    if (step.hitRow < 0) {
        services.prompter.showMessage(step.messageId, MessageIcon::Information, MessageButtons::Ok);
        doc.searchIndex = step.searchIndex;
        return;
    }
    QItemSelectionModel* selection = list.selectionModel();
    const QModelIndex hit = list.model()->index(step.hitRow, 0);
    selection->setCurrentIndex(hit, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list.scrollTo(hit, QAbstractItemView::EnsureVisible);
    list.viewport()->update();
    doc.searchIndex = step.searchIndex;
    // The hit is the line the user looks at now: the editor shows it, as after a click
    // on its row, so that what is typed next changes this line and no other.
    doc.currentLine = std::min(step.hitRow, MaxProgramLines - 1);
    doc.appendMode = false;
    doc.clickBelowLastLine = false;
    keepShowLength(doc, services.settings);
    DocumentChange change;
    change.currentLineChanged = true;
    doc.announce(change, &list);
}

}  // namespace vistrel
