// The help pages: every command a user can reach has its entry, the entry does not
// promise a command that is still greyed out (nor hide one that works), and every link
// between the pages leads somewhere.
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>
#include <map>
#include <set>

#include "app/CMainFrame.h"
#include "app/EnablingRules.h"
#include "res/StringTable.h"
#include "tests/app/AppFixture.h"

namespace vistrel::test {
namespace {

const QString NotAvailable = QStringLiteral("Dieser Befehl ist in dieser Version noch nicht verfügbar");

// Every page of the help, by file name.
std::map<QString, QString> helpPages() {
    std::map<QString, QString> pages;
    const QDir folder(QStringLiteral(":/help"));
    for (const QString& name : folder.entryList({QStringLiteral("*.html")})) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        pages[name] = QString::fromUtf8(file.readAll());
    }
    return pages;
}

// The entry of each command: from its anchor to the next heading of the same or a
// higher level.
std::map<int, QString> commandEntries(const std::map<QString, QString>& pages) {
    std::map<int, QString> entries;
    static const QRegularExpression anchor(QStringLiteral("<a name=\"cmd-(\\d+)\"></a>"));
    static const QRegularExpression nextHeading(QStringLiteral("<h[12][ >]"));
    for (const auto& [name, html] : pages) {
        auto it = anchor.globalMatch(html);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            const qsizetype end = html.indexOf(nextHeading, match.capturedEnd());
            // Line breaks in the page are blanks to the reader.
            entries[match.captured(1).toInt()] =
                html.mid(match.capturedEnd(), end < 0 ? -1 : end - match.capturedEnd()).simplified();
        }
    }
    return entries;
}

void collectMenuCommands(const QMenu* menu, std::set<int>& ids) {
    for (QAction* action : menu->actions()) {
        if (action->menu()) collectMenuCommands(action->menu(), ids);
        bool isId = false;
        const int id = action->data().toInt(&isId);
        if (isId && id != 0) ids.insert(id);
    }
}

class HelpPages : public AppFixture {};

TEST_F(HelpPages, EveryCommandOfMenusToolBarAndKeysHasItsEntry) {
    CVistrelApp& started = startApp();  // a show is open: the fuller set of menus
    CMainFrame& frame = *started.mainFrame();
    std::set<int> ids;
    for (QMenu* menu : frame.menuBar()->findChildren<QMenu*>()) collectMenuCommands(menu, ids);
    for (QAction* action : frame.toolBar()->actions())
        if (action->data().toInt() != 0) ids.insert(action->data().toInt());
    // Commands on keys only, and the entries of the list's menu "Zeile".
    for (int id : {cmd::PauseContinue, cmd::HelpIndex, cmd::EditLine, cmd::InsertLine, cmd::InsertLineCorrected,
                   cmd::RemoveLines, cmd::RemoveLinesCorrected, cmd::TimersZero, cmd::TimersInput,
                   cmd::CorrectSlideNumbers, cmd::JumpToLine})
        ids.insert(id);
    ASSERT_GT(ids.size(), 40u);

    const std::map<int, QString> entries = commandEntries(helpPages());
    for (int id : ids) {
        const auto found = entries.find(id);
        ASSERT_NE(found, entries.end()) << "no help entry for command " << id << " \"" << res::text(id) << "\"";
        EXPECT_GT(found->second.size(), 40) << "command " << id << " has an empty entry";
    }
}

TEST_F(HelpPages, AnEntrySaysNotYetAvailableExactlyWhileTheCommandIsNotBuilt) {
    // Commands whose availability the list or the editor decides are left out: the help
    // may describe them in part (the editor's fields) while their list side is missing.
    auto context = [](bool running, bool viewAnswers) {
        CommandContext c;
        c.documentActive = true;
        c.documentWindows = 1;
        c.lineCount = 3;
        c.searchIndex = 0;
        c.showRunning = running;
        c.recentFiles = 1;
        c.viewEnables = [viewAnswers](int) { return viewAnswers; };
        return c;
    };
    auto decidedByView = [&](int id) {
        const bool withoutView = ruleAllows(id, context(false, false)) || ruleAllows(id, context(true, false));
        return !withoutView;
    };
    const std::map<int, QString> entries = commandEntries(helpPages());
    int checked = 0;
    for (const auto& [id, text] : entries) {
        if (decidedByView(id)) continue;
        ++checked;
        const bool saysNotAvailable = text.contains(NotAvailable);
        EXPECT_EQ(saysNotAvailable, !isCommandBuilt(id))
            << "command " << id << " \"" << res::text(id) << "\": the help says "
            << (saysNotAvailable ? "it is not available, but it is built" : "what it does, but it is not built yet");
    }
    EXPECT_GT(checked, 25);
}

TEST_F(HelpPages, EveryLinkLeadsToAPageAndAnchorThatExist) {
    const std::map<QString, QString> pages = helpPages();
    ASSERT_TRUE(pages.count(QStringLiteral("index.html")));
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#]*)(?:#([^\"]*))?\""));
    std::set<QString> reached{QStringLiteral("index.html")};
    for (const auto& [name, html] : pages) {
        auto it = link.globalMatch(html);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            const QString target = match.captured(1).isEmpty() ? name : match.captured(1);
            if (target.startsWith(QStringLiteral("http"))) continue;
            reached.insert(target);
            const auto page = pages.find(target);
            ASSERT_NE(page, pages.end()) << name.toStdString() << " links to a missing page " << target.toStdString();
            const QString anchor = match.captured(2);
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(page->second.contains(QStringLiteral("<a name=\"%1\">").arg(anchor)))
                    << name.toStdString() << " links to a missing anchor " << target.toStdString() << "#"
                    << anchor.toStdString();
            }
        }
    }
    for (const auto& [name, html] : pages) EXPECT_TRUE(reached.count(name)) << name.toStdString() << " is never linked";
}

}  // namespace
}  // namespace vistrel::test
