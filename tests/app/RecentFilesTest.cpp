// The recent-file list: four entries, newest first, kept under "Recent File List" as
// File1 .. File4, shown in the file menu and opened from there.
#include <QAction>
#include <QSettings>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "app/CMainFrame.h"
#include "app/RecentFileList.h"
#include "tests/app/AppFixture.h"

namespace vistrel::test {
namespace {

class RecentFiles : public AppFixture {};

TEST_F(RecentFiles, KeepsFourNewestFirstWithoutDuplicates) {
    const QString profile = folder.filePath("Vistrel.ini");
    RecentFileList list(profile);
    for (const char* name : {"/s/a.dpd", "/s/b.dpd", "/s/c.dpd", "/s/d.dpd", "/s/b.dpd", "/s/e.dpd"}) list.add(name);
    EXPECT_EQ(list.entries(), (QStringList{"/s/e.dpd", "/s/b.dpd", "/s/d.dpd", "/s/c.dpd"}));
    list.save();

    QSettings stored(profile, QSettings::IniFormat);
    EXPECT_EQ(stored.value("Recent File List/File1").toString(), "/s/e.dpd");
    EXPECT_EQ(stored.value("Recent File List/File4").toString(), "/s/c.dpd");
    EXPECT_FALSE(stored.contains("Recent File List/File5"));

    RecentFileList reloaded(profile);
    reloaded.load();
    EXPECT_EQ(reloaded.entries(), list.entries());
}

// A profile that is no plain file is neither read (a pipe would stop the program at its
// start, /dev/zero never ends) nor replaced by one; an oversized one is left alone.
TEST_F(RecentFiles, AProfileThatIsNoPlainFileIsNeitherReadNorReplaced) {
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        std::function<bool(const std::string&)> stillThere;
    };
    namespace fs = std::filesystem;
    const Case cases[] = {
        {"pipe.ini", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); },
         [](const std::string& p) { return fs::is_fifo(p); }},
        {"zero.ini", [](const std::string& p) { fs::create_symlink("/dev/zero", p); },
         [](const std::string& p) { return fs::is_symlink(p) && fs::read_symlink(p) == "/dev/zero"; }},
        {"folder.ini", [](const std::string& p) { fs::create_directory(p); },
         [](const std::string& p) { return fs::is_directory(p); }},
        {"huge.ini",
         [](const std::string& p) {
             std::ofstream(p) << "[Recent File List]\nFile1=/s/a.dpd\n" << std::string(2 * 1024 * 1024, ';');
         },
         [](const std::string& p) { return fs::file_size(p) == 2 * 1024 * 1024 + 34; }},
    };
    for (const Case& c : cases) {
        const std::string path = folder.filePath(c.name).toStdString();
        c.make(path);
        RecentFileList list(QString::fromStdString(path));
        list.load();
        EXPECT_TRUE(list.entries().isEmpty()) << c.name;
        list.add("/s/b.dpd");
        list.save();
        EXPECT_TRUE(c.stillThere(path)) << c.name;
    }
}

TEST_F(RecentFiles, ShortenedMenuTextsKeepTheFileName) {
    struct Case {
        const char* path;
        const char* shown;
    } cases[] = {
        {"/home/ute/a.dpd", "/home/ute/a.dpd"},
        {"/home/ute/Diaschauen/2001/Sommerreise.dpd", "/.../2001/Sommerreise.dpd"},
        {"/a/ganz-langer-ordnername-ohne-ende/x.dpd", "/.../x.dpd"},
        {"/a/eine-sehr-lange-diaschau-mit-namen.dpd", "eine-sehr-lange-diaschau-mit-namen.dpd"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RecentFileList::abbreviate(c.path, 30), QString(c.shown)) << c.path;
    }
}

TEST_F(RecentFiles, OpenedShowsEnterTheMenuAndOpenFromIt) {
    const QString first = showFile("first.dpd");
    const QString second = showFile("second.dpd");
    CVistrelApp& started = startApp({first});
    started.openShow(second);
    CMainFrame& frame = *started.mainFrame();
    const QList<QAction*>& entries = frame.recentFileActions();
    ASSERT_EQ(started.recentFiles().entries(), (QStringList{second, first}));

    // Close both, then open the older one from the menu.
    ASSERT_TRUE(started.prepareExit());
    frame.setDocumentMenus(false);
    EXPECT_TRUE(entries.at(0)->isVisible());
    EXPECT_TRUE(entries.at(0)->text().startsWith("&1 "));
    EXPECT_FALSE(entries.at(2)->isVisible());
    EXPECT_FALSE(frame.action(cmd::FileMruFirst)->isVisible());
    entries.at(1)->trigger();
    ASSERT_EQ(started.frames().size(), 1u);
    EXPECT_EQ(started.activeFrame()->document().windowTitle, "first.dpd");
    EXPECT_EQ(started.recentFiles().entries().first(), first);
}

TEST_F(RecentFiles, AProfileThatCannotBeWrittenIsSaidOnceARun) {
    // A folder where the profile belongs cannot be written over, not even by root.
    QDir(folder.path()).mkpath("config/Vistrel.ini");
    qputenv("VISTREL_CONFIG_DIR", folder.filePath("config").toUtf8());
    CVistrelApp& started = startApp();
    const int before = static_cast<int>(prompter.messages.size());
    started.openShow(showFile("first.dpd"));
    started.openShow(showFile("second.dpd"));
    ASSERT_TRUE(started.prepareExit());
    started.endOfRun();

    const std::vector<std::string> texts = messageTexts();
    ASSERT_EQ(static_cast<int>(texts.size()), before + 1);
    EXPECT_EQ(texts.back(), "Die Liste der zuletzt geöffneten Dateien kann nicht gespeichert werden.\n"
                            "Vistrel kann die Datei\n" + folder.filePath("config/Vistrel.ini").toStdString() +
                                "\nnicht schreiben.");
    // The menu still offers what was opened during the run.
    EXPECT_EQ(started.recentFiles().entries().size(), 2);
}

TEST_F(RecentFiles, TheListSurvivesARestart) {
    const QString path = showFile();
    {
        CVistrelApp& started = startApp({path});
        ASSERT_TRUE(started.prepareExit());
        started.endOfRun();
        app.reset();
    }
    CVistrelApp& again = startApp();
    EXPECT_EQ(again.recentFiles().entries(), QStringList{path});
}

}  // namespace
}  // namespace vistrel::test
