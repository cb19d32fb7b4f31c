// The searches as a user meets them: "in aktueller Datei" and "Suche wiederholen" on
// an open show, "in Unterverzeichnissen" from the term to the result window and a
// show opened from a hit, and the pieces of the folder dialog and result window.
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include "app/CMainFrame.h"
#include "app/SearchCommands.h"
#include "app/SearchResultWindow.h"
#include "dialogs/FolderTree.h"
#include "dialogs/SearchTermDialog.h"
#include "dialogs/VolumeKind.h"
#include "tests/app/AppFixture.h"
#include "views/CEditZeile.h"
#include "views/CVistrelView.h"

namespace vistrel::test {
namespace {

// A show file with these descriptions (Windows-1252) and a title.
std::string showText(const std::string& title, std::initializer_list<const char*> descriptions) {
    std::string text = "/h1 " + title + "\r\n/h2 \r\n/h3 \r\n/h4 \r\n/a \r\n";
    int number = 1;
    for (const char* description : descriptions) {
        char head[64];
        std::snprintf(head, sizeof head, "/p %03d %03d /d 025 /t 0055 /s 000 ", number, number);
        text += head;
        text += *description ? std::string("/c ") + description + "\r\n" : std::string("\r\n");
        ++number;
    }
    return text;
}

class Search : public AppFixture {
protected:
    QString writeShow(const QString& relative, const std::string& text) {
        const QString path = folder.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    }

    // Answers the next "Suchbegriff eingeben" with `term`, or cancels it.
    void answerTerm(const QString& term, bool matchCase = false, bool cancel = false) {
        onNextModal([=](QWidget* modal) {
            auto* dialog = qobject_cast<SearchTermDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Suchbegriff eingeben"));
            dialog->termEdit()->setText(term);
            dialog->matchCaseBox()->setChecked(matchCase);
            if (cancel)
                dialog->reject();
            else
                dialog->accept();
        });
    }

    std::vector<int> selected() const { return app->activeFrame()->listView()->selectedRows(); }
    std::string lastMessage() const { return prompter.messages.empty() ? "" : prompter.messages.back().text; }

    // Runs "in Unterverzeichnissen" on `start` and waits until the walk has ended.
    SearchResultWindow* searchFolders(const QString& term, const QString& start, bool matchCase = false) {
        app->searchCommands().setChooseFolder([start](QWidget*) { return start; });
        answerTerm(term, matchCase);
        app->runCommand(cmd::SearchFolders);
        SearchResultWindow* window = app->searchCommands().resultWindow();
        if (window) {
            EXPECT_TRUE(QTest::qWaitFor([window] { return !window->searching(); }, 5000));
        }
        return window;
    }
};

TEST_F(Search, InTheOpenShowStepsThroughTheHitsAndRunsOut) {
    startApp({writeShow("reise.dpd", showText("Reise", {"Titel", "Meer am Morgen", "", "Wald", "MEER am Abend"}))});
    struct Step {
        int command;
        std::vector<int> selection;
        const char* message;  // the message box the step shows, "" for none
        int searchIndex;
        const char* editorDescription;  // the hit is the line the editor shows
    };
    answerTerm("meer");
    const Step steps[] = {
        {cmd::SearchCurrent, {1}, "", 1, "Meer am Morgen"},
        {cmd::SearchRepeat, {4}, "", 4, "MEER am Abend"},
        {cmd::SearchRepeat, {4}, "Es wurden keine passenden Datensätze gefunden.", -2, "MEER am Abend"},
        {cmd::SearchRepeat, {1}, "", 1, "Meer am Morgen"},  // from the top again, no wrap-around before
    };
    for (const Step& step : steps) {
        prompter.messages.clear();
        app->runCommand(step.command);
        EXPECT_EQ(selected(), step.selection) << step.command;
        EXPECT_EQ(lastMessage(), step.message);
        const CVistrelDoc& doc = app->activeFrame()->document();
        EXPECT_EQ(doc.searchIndex, step.searchIndex);
        EXPECT_EQ(doc.currentLine, step.selection.front());
        EXPECT_FALSE(doc.appendMode);
        auto* description = app->activeFrame()->editor()->findChild<QPlainTextEdit*>("descriptionEdit");
        EXPECT_EQ(description->toPlainText(), QString::fromUtf8(step.editorDescription));
    }
}

TEST_F(Search, CaseAndTheFirstSearchWithoutAHit) {
    startApp({writeShow("reise.dpd", showText("Reise", {"Anfang", "Titel"}))});
    EXPECT_FALSE(app->mainFrame()->action(cmd::SearchRepeat)->isEnabled());

    answerTerm("titel", true);
    app->runCommand(cmd::SearchCurrent);
    EXPECT_EQ(lastMessage(), "Es wurden keine weiteren Daten gefunden.");
    EXPECT_EQ(prompter.messages.back().icon, MessageIcon::Information);
    EXPECT_EQ(app->activeFrame()->document().searchIndex, -2);
    app->mainFrame()->updateActions();
    EXPECT_TRUE(app->mainFrame()->action(cmd::SearchRepeat)->isEnabled());

    answerTerm("titel", false);
    app->runCommand(cmd::SearchCurrent);
    EXPECT_EQ(selected(), std::vector<int>{1});
    EXPECT_TRUE(app->appState().searchText == "titel" && !app->appState().matchCase);

    // A cancelled dialog changes nothing.
    answerTerm("anfang", false, true);
    app->runCommand(cmd::SearchCurrent);
    EXPECT_EQ(app->appState().searchText, "titel");
    EXPECT_EQ(selected(), std::vector<int>{1});
}

TEST_F(Search, AHitLeavesExactlyItsRowSelected) {
    startApp({writeShow("reise.dpd", showText("Reise", {"a", "b", "c", "Ziel"}))});
    CVistrelView* list = app->activeFrame()->listView();
    list->selectAll();
    ASSERT_EQ(selected().size(), 4u);
    answerTerm("ziel");
    app->runCommand(cmd::SearchCurrent);
    EXPECT_EQ(selected(), std::vector<int>{3});
    EXPECT_EQ(list->selectionModel()->currentIndex().row(), 3);
}

TEST_F(Search, InFoldersListsHitsWithCountersAndOpensAHitAtItsLine) {
    writeShow("shows/b/urlaub.dpd", showText("Urlaub \xFC" "berall", {"Titeldia", "Sonnenuntergang", "Sonne"}));
    writeShow("shows/a.DPD", showText("Winter", {"Schnee", "SONNE im Schnee"}));
    writeShow("shows/c.dpd", std::string(2000, 'x'));
    writeShow("shows/leer.dpd", "");
    writeShow("shows/c.dpd.bak", showText("Alt", {"Sonne"}));
    startApp();
    const QString start = folder.filePath("shows");
    SearchResultWindow* window = searchFolders("sonne", start);
    ASSERT_NE(window, nullptr);

    EXPECT_EQ(window->termText(), "sonne");
    EXPECT_EQ(window->filesText(), "3");
    EXPECT_EQ(window->kilobytesText(), "2");
    ASSERT_EQ(window->rowCount(), 2);
    EXPECT_EQ(window->cell(0, 0), start + "/a.DPD");
    EXPECT_EQ(window->cell(0, 1), "SONNE im Schnee");
    EXPECT_EQ(window->cell(0, 2), " Winter");
    EXPECT_EQ(window->cell(1, 0), start + "/b/urlaub.dpd");
    EXPECT_EQ(window->cell(1, 1), "Sonnenuntergang");
    EXPECT_EQ(window->cell(1, 2), QString::fromUtf8(" Urlaub überall"));
    EXPECT_EQ(prompter.beeps, 1);  // the end of the walk

    // A row selected makes OK "Datei laden".
    EXPECT_EQ(window->okButton()->text(), "OK");
    window->list()->setCurrentIndex(window->list()->model()->index(1, 0));
    EXPECT_EQ(window->okButton()->text(), "Datei laden");

    // A double-click opens the show at the matching line and keeps the window.
    emit window->list()->doubleClicked(window->list()->model()->index(1, 1));
    CSplitterFrame* opened = app->activeFrame();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(QString::fromStdString(opened->document().filePath), start + "/b/urlaub.dpd");
    EXPECT_EQ(opened->listView()->selectedRows(), std::vector<int>{1});
    EXPECT_EQ(opened->document().currentLine, 1);
    EXPECT_FALSE(opened->document().appendMode);
    EXPECT_FALSE(app->appState().searchPending);
    EXPECT_EQ(app->searchCommands().resultWindow(), window);
    EXPECT_TRUE(window->isMinimized());
}

TEST_F(Search, AHitInAShowOpenAlreadySelectsItsLineThere) {
    const QString path = writeShow("s/reise.dpd", showText("Reise", {"Meer", "Berge", "Sonne"}));
    startApp({path});
    answerTerm("meer");
    app->runCommand(cmd::SearchCurrent);
    ASSERT_EQ(selected(), std::vector<int>{0});

    SearchResultWindow* window = searchFolders("sonne", folder.filePath("s"));
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->rowCount(), 1);
    window->list()->setCurrentIndex(window->list()->model()->index(0, 0));
    window->okButton()->click();  // "Datei laden": the show, and the window goes
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app->frames().size(), 1u);
    EXPECT_EQ(selected(), std::vector<int>{2});
    EXPECT_EQ(app->activeFrame()->document().currentLine, 2);
    EXPECT_FALSE(app->appState().searchPending);
    EXPECT_EQ(app->searchCommands().resultWindow(), nullptr);
}

TEST_F(Search, NoFolderChosenEndsTheCommandAndANewSearchReplacesTheWindow) {
    writeShow("x/a.dpd", showText("A", {"eins"}));
    startApp();
    app->searchCommands().setChooseFolder([](QWidget*) { return QString(); });
    answerTerm("eins");
    app->runCommand(cmd::SearchFolders);
    EXPECT_EQ(app->searchCommands().resultWindow(), nullptr);
    EXPECT_TRUE(app->appState().searchFolder.empty());

    QPointer<SearchResultWindow> first = searchFolders("eins", folder.filePath("x"));
    ASSERT_TRUE(first);
    QPointer<SearchResultWindow> second = searchFolders("zwei", folder.filePath("x"));
    EXPECT_FALSE(first);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->rowCount(), 0);  // nothing found is said by the empty list alone
    EXPECT_EQ(second->filesText(), "1");
    EXPECT_TRUE(prompter.messages.empty());
    second->cancelButton()->click();  // the walk has ended: Cancel closes
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(second);
}

TEST(SearchResultLayout, ButtonsAndListFollowTheWindowSize) {
    struct Case {
        QSize window;
        QRect list, ok, cancel;
    };
    const Case table[] = {
        {{1000, 420}, {16, 68, 952, 260}, {695, 357, 75, 23}, {895, 357, 75, 23}},
        {{600, 300}, {16, 68, 552, 140}, {295, 237, 75, 23}, {495, 237, 75, 23}},
    };
    for (const Case& c : table) {
        const SearchResultWindow::Layout layout = SearchResultWindow::layoutFor(c.window, {75, 23});
        EXPECT_EQ(layout.list, c.list);
        EXPECT_EQ(layout.ok, c.ok);
        EXPECT_EQ(layout.cancel, c.cancel);
    }
}

TEST(SearchTermPlacement, KeepsTheDialogOnTheScreen) {
    struct Case {
        std::array<int, 2> stored;
        QPoint placed;
    };
    const QSize dialog(300, 120), screen(1280, 1024);
    const Case table[] = {
        {{200, 200}, {200, 200}},
        {{-50, -7}, {0, 0}},
        {{1200, 1000}, {980, 882}},  // 1280 - 300; 1024 - 120 - 22
        {{980, 882}, {980, 882}},
    };
    for (const Case& c : table) EXPECT_EQ(SearchTermDialog::placement(c.stored, dialog, screen), c.placed);
}

TEST(SearchTermDialog, RemembersWhereItWasLeft) {
    std::array<int, 2> position{200, 200};
    SearchTermDialog dialog("alt", true, position);
    EXPECT_EQ(dialog.termEdit()->text(), "alt");
    EXPECT_TRUE(dialog.matchCaseBox()->isChecked());
    EXPECT_EQ(dialog.matchCaseBox()->text(), QString::fromUtf8("Groß- / Kleinschreibung beachten"));
    dialog.show();
    QTest::qWait(10);
    dialog.move(321, 123);
    dialog.reject();
    EXPECT_EQ(position, (std::array<int, 2>{321, 123}));
}

TEST(VolumeKinds, SortTheMountedFileSystems) {
    struct Case {
        VolumeFacts volume;
        VolumeKind kind;
    };
    const Case table[] = {
        {{"/data", "ext4", "/dev/sda3", false}, VolumeKind::FixedDisk},
        {{"/media/anna/STICK", "vfat", "/dev/sdb1", true}, VolumeKind::Removable},
        {{"/run/media/anna/KARTE", "exfat", "/dev/mmcblk0p1", false}, VolumeKind::Removable},
        {{"/mnt/usb", "vfat", "/dev/sdc1", true}, VolumeKind::Removable},
        {{"/media/cdrom", "iso9660", "/dev/sr0", true}, VolumeKind::Optical},
        {{"/mnt/dvd", "udf", "/dev/sr0", true}, VolumeKind::Optical},
        {{"/mnt/archiv", "nfs4", "server:/export", false}, VolumeKind::Network},
        {{"/mnt/nas", "cifs", "//nas/shows", false}, VolumeKind::Network},
        {{"/mnt/ram", "tmpfs", "tmpfs", false}, VolumeKind::RamDisk},
        {{"/tmp", "tmpfs", "tmpfs", false}, VolumeKind::RamDisk},
        {{"/run", "tmpfs", "tmpfs", false}, VolumeKind::NotListed},
        {{"/dev/shm", "tmpfs", "tmpfs", false}, VolumeKind::NotListed},
        {{"/proc", "proc", "proc", false}, VolumeKind::NotListed},
        {{"/sys/fs/cgroup", "cgroup2", "cgroup2", false}, VolumeKind::NotListed},
        {{"/boot/efi", "vfat", "/dev/sda1", false}, VolumeKind::NotListed},
        {{"/snap/core/1", "squashfs", "/dev/loop0", false}, VolumeKind::NotListed},
    };
    for (const Case& c : table) EXPECT_EQ(volumeKind(c.volume), c.kind) << c.volume.rootPath.toStdString();
}

class FolderTreeTest : public ::testing::Test {
protected:
    FolderTreeTest() : folderTree(&tree) {
        for (const char* path : {"disk/Zebra/tief", "disk/alpha", "disk/Beta", "disk/.versteckt", "stick/shows/2001"})
            QDir().mkpath(base.filePath(path));
        folderTree.setMediumOf([this](const QString&) { return medium; });
        folderTree.fill({{base.filePath("disk"), VolumeKind::FixedDisk}, {base.filePath("stick"), VolumeKind::Removable}});
    }
    static QStringList childTexts(const QTreeWidgetItem* item) {
        QStringList texts;
        for (int i = 0; i < item->childCount(); ++i) texts << item->child(i)->text(0);
        return texts;
    }
    QTemporaryDir base;
    QTreeWidget tree;
    QString medium = QStringLiteral("sdb1#1");
    FolderTree folderTree;
};

TEST_F(FolderTreeTest, ListsFixedDisksAtOnceAndOthersOnOpening) {
    QTreeWidgetItem* disk = tree.topLevelItem(0);
    QTreeWidgetItem* stick = tree.topLevelItem(1);
    EXPECT_EQ(childTexts(disk), (QStringList{"alpha", "Beta", "Zebra"}));  // sorted, hidden ones left out
    EXPECT_EQ(childTexts(stick), QStringList{""});                          // the placeholder
    EXPECT_EQ(childTexts(disk->child(2)), QStringList{""});                 // Zebra has a folder below
    EXPECT_EQ(disk->child(0)->childCount(), 0);                             // alpha has none

    tree.expandItem(stick);
    EXPECT_EQ(childTexts(stick), QStringList{"shows"});
    EXPECT_EQ(FolderTree::pathOf(stick->child(0)), base.filePath("stick/shows"));
    tree.collapseItem(stick);
    EXPECT_EQ(childTexts(stick), QStringList{""});
}

TEST_F(FolderTreeTest, AChangedOrMissingMediumClosesTheVolumeAgain) {
    QTreeWidgetItem* stick = tree.topLevelItem(1);
    tree.expandItem(stick);
    ASSERT_EQ(childTexts(stick), QStringList{"shows"});

    // Another medium: the volume closes once; the new medium is then the one known.
    medium = QStringLiteral("sdc1#2");
    tree.setCurrentItem(stick->child(0));
    EXPECT_FALSE(stick->isExpanded());
    EXPECT_EQ(childTexts(stick), QStringList{""});
    tree.expandItem(stick);
    EXPECT_EQ(childTexts(stick), QStringList{"shows"});

    // No medium: every attempt to open the volume is refused.
    medium.clear();
    tree.setCurrentItem(stick->child(0));
    EXPECT_EQ(childTexts(stick), QStringList{""});
    tree.expandItem(stick);
    EXPECT_FALSE(stick->isExpanded());
    EXPECT_EQ(childTexts(stick), QStringList{""});
}

TEST_F(FolderTreeTest, AVanishedFolderIsTakenOutOfTheTree) {
    QTreeWidgetItem* disk = tree.topLevelItem(0);
    QTreeWidgetItem* zebra = disk->child(2);
    ASSERT_EQ(zebra->text(0), "Zebra");
    QDir(base.filePath("disk/Zebra")).removeRecursively();
    tree.expandItem(zebra);
    EXPECT_EQ(childTexts(disk), (QStringList{"alpha", "Beta"}));
}

}  // namespace
}  // namespace vistrel::test
