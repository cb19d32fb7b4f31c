// Start-up with and without a show on the command line, the ".dpd" check, a show
// opened twice, and the end of the run.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QTest>
#include <QTextStream>

#include "app/CMainFrame.h"
#include "app/RecentFileList.h"
#include "model/Settings.h"
#include "projector/ProjectorLink.h"
#include "res/StringTable.h"
#include "res/strings/ModelStrings.h"
#include "tests/app/AppFixture.h"
#include "tests/cli/CliProcess.h"

namespace vistrel::test {
namespace {

class StartUp : public AppFixture {};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST_F(StartUp, WithoutArgumentOpensOneEmptyShowNamedVistre1) {
    CVistrelApp& started = startApp();
    ASSERT_EQ(started.frames().size(), 1u);
    const CVistrelDoc& doc = started.frames().front()->document();
    EXPECT_EQ(doc.windowTitle, "Vistre1");
    EXPECT_EQ(doc.lineCount, 0);
    EXPECT_TRUE(doc.filePath.empty());
    EXPECT_TRUE(started.mainFrame()->documentMenus());
    EXPECT_TRUE(prompter.messages.empty());
}

// A new user starts the program and types the first slide number at once.
TEST_F(StartUp, ANewShowTakesTheKeyboardInTheSlideNumberField) {
    CVistrelApp& started = startApp();
    started.mainFrame()->activateWindow();
    QWidget* focus = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&focus] {
        focus = QApplication::focusWidget();
        return focus && focus->objectName() == QStringLiteral("slideNumberEdit");
    }, 2000)) << (focus ? focus->objectName().toStdString() : std::string("no focus"));

    QTest::keyClicks(focus, QStringLiteral("9"));
    QTest::keyClick(focus, Qt::Key_Return);
    const CVistrelDoc& doc = started.frames().front()->document();
    ASSERT_EQ(doc.lineCount, 1);
    EXPECT_EQ(doc.lines[0].slideNumber, 9);
}

TEST_F(StartUp, NewShowsAreNumberedOnAndNeverReuseANumber) {
    CVistrelApp& started = startApp();
    started.runCommand(cmd::FileNew);
    started.frames().back()->closeWithoutAsking();
    started.runCommand(cmd::FileNew);
    std::vector<std::string> titles;
    for (CSplitterFrame* frame : started.frames()) titles.push_back(frame->document().windowTitle);
    EXPECT_EQ(titles, (std::vector<std::string>{"Vistre1", "Vistre3"}));
}

struct CommandLineCase {
    const char* name;
    const char* fileName;
    bool opens;
};
void PrintTo(const CommandLineCase& c, std::ostream* os) { *os << c.name; }


class CommandLine : public AppFixture, public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(CommandLine, OpensOnlyShowFiles) {
    const CommandLineCase& c = GetParam();
    const QString path = showFile(c.fileName);
    CVistrelApp& shell = makeApp();
    EXPECT_EQ(shell.startUp({path}), c.opens);
    if (c.opens) {
        ASSERT_EQ(shell.frames().size(), 1u);
        EXPECT_EQ(shell.frames().front()->document().windowTitle, c.fileName);
        EXPECT_GT(shell.frames().front()->document().lineCount, 0);
        EXPECT_TRUE(prompter.messages.empty());
        // The folder of the show opened last is where the open dialog starts next time.
        EXPECT_EQ(QString::fromStdString(shell.settings().lastFolder), folder.path() + "/");
    } else {
        // The identification message and nothing else: no window, no empty show.
        EXPECT_TRUE(shell.frames().empty());
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text, res::text(ids::NotADpdFile));
        EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Exclamation);
    }
}

INSTANTIATE_TEST_SUITE_P(App, CommandLine,
                         ::testing::Values(CommandLineCase{"LowerCase", "show.dpd", true},
                                           CommandLineCase{"UpperCase", "ABC.DPD", true},
                                           CommandLineCase{"MixedCase", "Abc.Dpd", true},
                                           CommandLineCase{"Text", "abc.txt", false},
                                           CommandLineCase{"DpdInTheMiddle", "abc.dpd.bak", false}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(StartUp, AShowFromTheCommandLineThatWasReadInPartIsToldOnceTheWindowShows) {
    const QString path = folder.filePath(QStringLiteral("damaged.dpd"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("/p 001 001\r\n/q 1\r\n/p 002 002\r\n"));
    file.close();
    CVistrelApp& started = startApp({path});
    EXPECT_TRUE(prompter.messages.empty()) << "not over an empty screen";
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompter.messages.empty(); }, 2000));
    EXPECT_EQ(messageTexts(), std::vector<std::string>{
                                  "Eine Zeile der Datei konnte nicht gelesen werden;\nbeim Speichern fehlt sie."});
    EXPECT_EQ(started.activeFrame()->document().lineCount, 2);
}

TEST(StartOptions, HelpAndVersionNeedNoDisplay) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    qunsetenv("QT_QPA_PLATFORM");  // and no DISPLAY: a terminal without any graphical session
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    for (const auto& [argument, begins] : {std::pair{"--help", "Aufruf: vistrel [DATEI.dpd]\n"},
                                           std::pair{"--version", "Vistrel, Version 1."}}) {
        const CliResult result = runProcess(VISTREL_APP, {"show.dpd", argument});
        EXPECT_EQ(result.exitCode, 0) << argument << ": " << result.err;
        EXPECT_EQ(result.out.rfind(begins, 0), 0u) << result.out;
    }
    qputenv("QT_QPA_PLATFORM", platform);
    if (!display.isEmpty()) qputenv("DISPLAY", display);
}

TEST_F(StartUp, TheDemoShowOpensAsACopyInTheUsersFolderAndKeepsTheUsersChanges) {
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", folder.filePath("home").toUtf8());
    qputenv("VISTREL_DEMO_DIR", folder.filePath("demo").toUtf8());
    QDir(folder.path()).mkpath("demo/Willkommen");
    QFile::copy(showFile(), folder.filePath("demo/Willkommen.dpd"));
    QFile::copy(QStringLiteral(VISTREL_TEST_DATA "/sample.dpd"), folder.filePath("demo/Willkommen/001.jpg"));
    QFile::setPermissions(folder.filePath("demo/Willkommen.dpd"), QFile::ReadOwner);  // as installed: read-only
    const QString copy = folder.filePath("home/Vistrel-Beispiel/Willkommen.dpd");
    CVistrelApp& started = startApp();
    const QByteArray copied = readAll(QStringLiteral(VISTREL_TEST_DATA "/sample.dpd"));
    for (const QByteArray& expected : {copied, QByteArray("/h1 Meine")}) {
        started.runCommand(cmd::OpenDemoShow);
        ASSERT_NE(started.activeFrame(), nullptr);
        EXPECT_EQ(started.activeFrame()->document().filePath, copy.toStdString());
        EXPECT_EQ(readAll(copy), expected) << "the second time, the user's copy as it was left";
        EXPECT_TRUE(QFileInfo(folder.filePath("home/Vistrel-Beispiel/Willkommen/001.jpg")).isFile());
        EXPECT_TRUE(QFileInfo(copy).isWritable()) << "the copy is the user's to change";
        ASSERT_TRUE(started.prepareExit());
        QFile changed(copy);
        ASSERT_TRUE(changed.open(QIODevice::WriteOnly));
        changed.write("/h1 Meine");
    }
    const std::size_t readLoss = prompter.messages.size();  // whatever the changed copy gave

    // Without the demo show: said, nothing opened.
    ASSERT_TRUE(started.prepareExit());
    qputenv("VISTREL_DEMO_DIR", folder.filePath("nowhere").toUtf8());
    started.runCommand(cmd::OpenDemoShow);
    EXPECT_TRUE(started.frames().empty());
    ASSERT_EQ(prompter.messages.size(), readLoss + 1);
    EXPECT_EQ(prompter.messages.back().text,
              "Die Beispiel-Diaschau ist nicht installiert.\nSie fehlt in\n" +
                  QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/vistrel/demo").toStdString());
    qunsetenv("VISTREL_DEMO_DIR");
    qputenv("HOME", oldHome);
}

TEST_F(StartUp, TheSameShowOpenedTwiceIsOnlyActivated) {
    const QString path = showFile();
    CVistrelApp& started = startApp({path});
    started.runCommand(cmd::FileNew);
    ASSERT_EQ(started.activeFrame()->document().windowTitle, "Vistre1");

    // Another spelling of the same path.
    EXPECT_TRUE(started.openShow(folder.path() + "/./sample.dpd"));
    EXPECT_EQ(started.frames().size(), 2u);
    EXPECT_EQ(started.activeFrame()->document().windowTitle, "sample.dpd");
}

TEST_F(StartUp, OpenDialogStartsInTheLastFolderWithTheShowFilter) {
    CVistrelApp& started = startApp();
    const QString path = showFile("other.dpd");
    dialogs.answers = {path, QString()};
    started.runCommand(cmd::FileOpen);
    started.runCommand(cmd::FileOpen);  // cancelled: nothing happens
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[0].filter, "Vistrel-Files (*.dpd)");
    EXPECT_EQ(dialogs.calls[1].folderOrPreset, folder.path());
    EXPECT_EQ(started.frames().size(), 2u);
}

TEST_F(StartUp, EndOfRunWritesTheSettingsFile) {
    CVistrelApp& started = startApp();
    started.settings().blockDelay = 33;
    ASSERT_TRUE(started.prepareExit());
    started.endOfRun();
    QFile file(folder.filePath("vistrel.def"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    EXPECT_GE(lines.size(), 23);
    EXPECT_EQ(readSettings(folder.filePath("vistrel.def").toStdString()).blockDelay, 33);
}

struct PcModeCase {
    const char* name;
    bool connectFirst;
    bool pcModeOffAtExit;
    bool expectRs;
};
void PrintTo(const PcModeCase& c, std::ostream* os) { *os << c.name; }


class EndOfRun : public AppFixture, public ::testing::WithParamInterface<PcModeCase> {};

TEST_P(EndOfRun, SwitchesPcModeOffOnlyWhenConnectedAndWished) {
    const PcModeCase& c = GetParam();
    CVistrelApp& started = startApp();
    started.settings().pcModeOffAtExit = c.pcModeOffAtExit;
    if (c.connectFirst) {
        started.runCommand(cmd::ProjectorVersion);
        ASSERT_TRUE(started.link().connected);
    }
    ASSERT_TRUE(started.prepareExit());
    started.endOfRun();
    const auto& log = projector->commandLog();
    EXPECT_EQ(!log.empty() && log.back() == "RS", c.expectRs);
    EXPECT_FALSE(port.isOpen());
}

TEST_F(StartUp, EndOfRunWithTheProjectorGoneIsBoundedAndNichtWartenEndsIt) {
    // "Nicht warten" pressed after this long (-1: never), and how long the end then lasts.
    for (const auto& [cancelAfterMs, atMostMs] : {std::pair{-1, 31000}, std::pair{500, 1500}}) {
        CVistrelApp& started = startApp();
        started.settings().pcModeOffAtExit = true;
        started.runCommand(cmd::ProjectorVersion);
        port.attachSilent("COM2");  // switched off while the program ran
        ASSERT_TRUE(started.prepareExit());
        progress.cancelAfterMs = cancelAfterMs;
        const auto start = clock.nowMs();
        started.endOfRun();
        EXPECT_LE(clock.nowMs() - start, atMostMs);
        EXPECT_EQ(progress.waits.back().kind, ProgressWindows::WaitKind::EndOfRun);
        EXPECT_FALSE(port.isOpen());
        EXPECT_TRUE(QFile::exists(folder.filePath("vistrel.def"))) << "the settings are still written";
        app.reset();
        projector = &port.attachProjector("COM2");
    }
}

TEST_F(StartUp, EndOfRunWithAReadyProjectorShowsNoWaitWindow) {
    CVistrelApp& started = startApp();
    started.settings().pcModeOffAtExit = true;
    started.runCommand(cmd::ProjectorVersion);
    ASSERT_TRUE(started.prepareExit());
    started.endOfRun();
    EXPECT_LT(progress.waits.back().lastedMs, 300) << "answered at once: no window";
    EXPECT_EQ(projector->commandLog().back(), "RS");
}

INSTANTIATE_TEST_SUITE_P(App, EndOfRun,
                         ::testing::Values(PcModeCase{"ConnectedAndOn", true, true, true},
                                           PcModeCase{"ConnectedAndOff", true, false, false},
                                           PcModeCase{"NeverConnected", false, true, false}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace vistrel::test
