// The rehearsal on the screen, end to end in the window program: started from the menu,
// run by the program's own run control against the in-process virtual projector on
// virtual time, drawn in its window with flat-coloured pictures, followed by the list,
// paused, continued and stopped from its window, and ended every way a user can end
// it, with the run state left clean and the projector on the serial port untouched.
#include <gmock/gmock.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QThread>
#include <sys/stat.h>

#include "app/CMainFrame.h"
#include "app/FrameRunView.h"
#include "app/ShowRunWindows.h"
#include "rehearsal/WindowPlacement.h"
#include "dialogs/HomingWaitDialog.h"
#include "dialogs/InfoWindow.h"
#include "projector/RunControl.h"
#include "rehearsal/Rehearsal.h"
#include "rehearsal/RehearsalMusic.h"
#include "rehearsal/RehearsalProjector.h"
#include "rehearsal/RehearsalScene.h"
#include "rehearsal/RehearsalWindow.h"
#include "tests/app/AppFixture.h"
#include "tests/app/ShowLines.h"
#include "tests/media/SoundFiles.h"
#include "views/CVistrelView.h"

namespace vistrel::test {
namespace {

// One shared harness: a show window with lines, a folder of flat-coloured pictures, and
// virtual time moved on in frames, with the poll ticking every 700 ms as its timer would.
class Rehearse : public AppFixture {
protected:
    static constexpr int FrameMs = 20;

    CSplitterFrame& showWith(const std::vector<ShowLine>& lines) {
        CSplitterFrame& frame = *startApp().activeFrame();
        appendShowLines(frame.document(), lines);
        return frame;
    }
    // Pictures "<slide>.png" of one colour each, in a folder chosen for the show.
    void pictures(const std::vector<std::pair<int, QColor>>& slides) {
        pictureFolder = folder.filePath("bilder");
        QDir().mkpath(pictureFolder);
        for (const auto& [slide, colour] : slides) {
            QImage image(300, 200, QImage::Format_RGB32);
            image.fill(colour);
            ASSERT_TRUE(image.save(pictureFolder + QString("/%1.png").arg(slide)));
        }
        dialogs.answers.push_back(pictureFolder);
        app->runCommand(cmd::ChoosePictureFolder);
    }

    Rehearsal& rehearsal() { return app->rehearsal(); }
    sim::VirtualProjector& inProcess() { return rehearsal().projector()->projector(); }
    // Milliseconds since the current line began, as the projector counts them.
    sim::ShowRunner::Position position() { return inProcess().showPosition(); }

    // Moves the show on by `ms`: a frame every 20 ms, the poll every 700 ms.
    void play(CSplitterFrame& frame, std::int64_t ms) {
        for (std::int64_t done = 0; done < ms; done += FrameMs) {
            clock.advance(FrameMs);
            sincePoll_ += FrameMs;
            if (sincePoll_ >= RunControl::PollIntervalMs && frame.runView().polling()) {
                sincePoll_ = 0;
                frame.runView().pollNow();
            }
            if (!rehearsal().running()) return;
        }
    }
    // Moves on until the projector shows `line` in `phase`, `intoMs` into it.
    void playTo(CSplitterFrame& frame, int line, sim::ShowRunner::Phase phase, std::int64_t intoMs) {
        for (int i = 0; i < 5000 && rehearsal().running(); ++i) {
            const auto at = position();
            if (at.line == line && at.phase == phase && at.phaseElapsedMs >= intoMs) return;
            play(frame, FrameMs);
        }
        FAIL() << "line " << line << " never reached";
    }

    // The window as drawn now, once the pictures it shows are made (a bounded wait on
    // the picture store's thread).
    QImage frameImage() {
        RehearsalWindow* window = rehearsal().window();
        for (int attempt = 0; attempt < 200; ++attempt) {
            window->grab();
            const Projection& p = rehearsal().scene()->lastMoment().projection;
            auto ready = [&](const ProjectionLayer& l) {
                return l.slide == 0 || l.brightness <= 0 ||
                       rehearsal().scene()->pictures().ready(l.slide, l.lineIndex, window->size());
            };
            if (ready(p.before) && ready(p.after)) break;
            QThread::msleep(5);
        }
        return window->grab().toImage();
    }
    // Ticks the homing wait until the rehearsal is over.
    void homeAndFinish() {
        for (int tick = 0; tick < 40 && rehearsal().running(); ++tick) {
            clock.advance(HomingWait::TickMs);
            if (HomingWaitDialog* wait = app->runWindows().homingWait()) wait->tick();
        }
    }
    static QColor centre(const QImage& image) { return image.pixelColor(image.width() / 2, image.height() / 2); }

    bool enabled(int commandId) {
        app->mainFrame()->updateActions();
        return app->mainFrame()->action(commandId)->isEnabled();
    }
    bool runStateIsClean() const {
        const RunState& run = app->runState();
        return !run.showRunning && run.pauseState == 0 && !run.homingDialogOpen && !run.replyPending;
    }

    QString pictureFolder;
    std::int64_t sincePoll_ = 0;
};

MATCHER_P3(IsColour, r, g, b, "") {
    return std::abs(arg.red() - r) <= 3 && std::abs(arg.green() - g) <= 3 && std::abs(arg.blue() - b) <= 3;
}

TEST(WindowPlacement, ANewWindowOpensOverTheCentreOfItsScreen) {
    const struct {
        QRect screen;
        QSize size;
        QRect placed;
    } table[] = {
        {{0, 0, 1280, 1024}, {960, 640}, {160, 192, 960, 640}},
        {{0, 0, 800, 600}, {960, 640}, {0, 0, 800, 600}},
        {{1280, 0, 1920, 1080}, {960, 640}, {1760, 220, 960, 640}},
        {{0, 30, 1280, 994}, {960, 640}, {160, 207, 960, 640}},
        {{0, 0, 1280, 1024}, {961, 641}, {159, 191, 961, 641}},
        {{-1920, 0, 1920, 1080}, {200, 100}, {-1059, 490, 200, 100}},
    };
    for (const auto& row : table) EXPECT_EQ(centredIn(row.screen, row.size), row.placed) << row.screen.x();
}

TEST_F(Rehearse, RunsOnTheVirtualProjectorInProcessAndLeavesTheSerialPortAlone) {
    CSplitterFrame& frame = showWith({{1, 10, 20, 0, "Titel"}, {2, 10, 20, 0, "Hafen"}});
    ASSERT_TRUE(enabled(cmd::Rehearse));
    app->runCommand(cmd::Rehearse);
    ASSERT_TRUE(rehearsal().running());
    EXPECT_TRUE(prompter.messages.empty());
    ASSERT_NE(rehearsal().window(), nullptr);
    EXPECT_TRUE(rehearsal().window()->isVisible());
    EXPECT_EQ(rehearsal().window()->windowTitle(), "Probe - Vistre1");
    // Over the show window's screen, not in its corner over the list.
    const QRect screen = frame.screen()->availableGeometry();
    EXPECT_EQ(rehearsal().window()->geometry(), centredIn(screen, rehearsal().window()->size()));
    EXPECT_TRUE(screen.contains(rehearsal().window()->geometry()));
    EXPECT_TRUE(port.openAttempts().empty()) << "no serial port is opened";
    EXPECT_TRUE(projector->commandLog().empty()) << "the projector on COM2 hears nothing";
    const auto& log = inProcess().commandLog();
    EXPECT_NE(std::find(log.begin(), log.end(), "GZ:000"), log.end());
    EXPECT_TRUE(app->runState().showRunning);
    EXPECT_TRUE(frame.runView().polling());
    EXPECT_FALSE(enabled(cmd::Rehearse));
    EXPECT_FALSE(enabled(cmd::StartShow));
    EXPECT_TRUE(enabled(cmd::PauseContinue));

    // The info window asks the rehearsal's projector too.
    app->runCommand(cmd::InfoDisplay);
    ASSERT_NE(app->runWindows().infoWindow(), nullptr);
    app->runWindows().infoWindow()->tick();
    EXPECT_EQ(app->runWindows().infoWindow()->fieldText(InfoWindow::DescriptionField), "Titel");
    EXPECT_EQ(inProcess().commandLog().back(), "AZ");
    EXPECT_TRUE(projector->commandLog().empty());

    play(frame, 8000);
    EXPECT_FALSE(rehearsal().running()) << "the end of the show ends the rehearsal";
    EXPECT_TRUE(runStateIsClean());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(rehearsal().window(), nullptr);
    EXPECT_TRUE(enabled(cmd::Rehearse));
    EXPECT_TRUE(enabled(cmd::StartShow));
}

TEST_F(Rehearse, DrawsEachLinesPictureAndMixesThemInADissolve) {
    // Line 1 dissolves in for 3 s: the start waits a second after GZ, as it does for the
    // projector, and only then does virtual time go on frame by frame.
    CSplitterFrame& frame = showWith({{1, 30, 40, 0, "Rot"},       // dissolve 3 s, timer 4 s
                                      {2, 20, 40, 0, "Grün"},      // dissolve 2 s
                                      {3, 10, 40, 60, "Blau"},     // fade out/in: 1 s out, 1 s in
                                      {0, 10, 40, 0, "dunkel"}});  // slide 0
    pictures({{1, QColor(255, 0, 0)}, {2, QColor(0, 255, 0)}, {3, QColor(0, 0, 255)}});
    app->runCommand(cmd::Rehearse);
    ASSERT_TRUE(rehearsal().running());
    rehearsal().window()->resize(400, 300);
    using Phase = sim::ShowRunner::Phase;
    const struct {
        const char* what;
        int line;
        Phase phase;
        int intoMs;
        int r, g, b;
    } frames[] = {
        {"line 1 two thirds up from dark", 1, Phase::Effect, 2000, 170, 0, 0},
        {"line 1 in the middle of its timer", 1, Phase::Timer, 2000, 255, 0, 0},
        {"red to green, half way", 2, Phase::Effect, 1000, 128, 128, 0},
        {"green alone", 2, Phase::Timer, 2000, 0, 255, 0},
        {"fade out/in: green half out", 3, Phase::Effect, 500, 0, 128, 0},
        {"fade out/in: dark between", 3, Phase::Effect, 1000, 0, 0, 0},
        {"fade out/in: blue half in", 3, Phase::Effect, 1500, 0, 0, 128},
        {"slide 0 fades to black", 4, Phase::Timer, 1000, 0, 0, 0},
    };
    for (const auto& f : frames) {
        SCOPED_TRACE(f.what);
        playTo(frame, f.line, f.phase, f.intoMs);
        EXPECT_THAT(centre(frameImage()), IsColour(f.r, f.g, f.b));
    }
}

TEST_F(Rehearse, APauseLineStandsUntilSpaceInTheWindowAndTheListFollows) {
    CSplitterFrame& frame = showWith({{1, 10, 20, 0, "Anfang"}, {2, 10, 0, 0, "Warten"}, {3, 10, 20, 0, "Weiter"}});
    pictures({{1, Qt::red}, {2, Qt::green}, {3, Qt::blue}});
    app->runCommand(cmd::Rehearse);
    play(frame, 6000);
    EXPECT_EQ(position().phase, sim::ShowRunner::Phase::Pause);
    EXPECT_EQ(frame.listView()->selectedRows(), std::vector<int>{1}) << "the list follows";
    EXPECT_EQ(app->mainFrame()->pauseIndicatorText(), "PAUSE !");
    play(frame, 60000);
    EXPECT_EQ(position().line, 2) << "a pause line waits however long it takes";
    EXPECT_THAT(centre(frameImage()), IsColour(0, 255, 0));

    QTest::keyClick(rehearsal().window(), Qt::Key_Space);
    EXPECT_EQ(inProcess().commandLog().back(), "BV");
    EXPECT_EQ(app->mainFrame()->pauseIndicatorText(), "");
    play(frame, 1500);
    EXPECT_EQ(position().line, 3);
    play(frame, 700);
    EXPECT_EQ(frame.listView()->selectedRows(), std::vector<int>{2});
}

TEST_F(Rehearse, TheWindowsKeysAreTheRunCommands) {
    CSplitterFrame& frame = showWith({{1, 10, 100, 0, "a"}, {2, 10, 100, 0, "b"}, {3, 10, 100, 0, "c"}});
    pictures({{1, Qt::white}, {2, Qt::white}, {3, Qt::white}});
    app->runCommand(cmd::Rehearse);
    RehearsalWindow* window = rehearsal().window();
    play(frame, 1500);
    const struct {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* sent;  // the command the projector hears last
        int pauseState;
    } keys[] = {
        {"Space halts", Qt::Key_Space, Qt::NoModifier, "ST", 1},
        {"Space goes on", Qt::Key_Space, Qt::NoModifier, "WE", 0},
        {"Pause halts", Qt::Key_Pause, Qt::NoModifier, "ST", 1},
        {"Ctrl+Space goes on", Qt::Key_Space, Qt::ControlModifier, "WE", 0},
        {"Right is \"Bild vorwärts\"", Qt::Key_Right, Qt::NoModifier, "BV", 0},
        {"Page Down too", Qt::Key_PageDown, Qt::NoModifier, "BV", 0},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.what);
        QTest::keyClick(window, k.key, k.modifiers);
        EXPECT_EQ(inProcess().commandLog().back(), k.sent);
        EXPECT_EQ(app->runState().pauseState, k.pauseState);
    }
    EXPECT_EQ(position().line, 3);

    // Low in the picture, where the overlay's band will lie: the white picture.
    const auto low = [](const QImage& image) { return qGray(image.pixel(image.width() / 2, image.height() - 60)); };
    EXPECT_GT(low(frameImage()), 200);
    QTest::keyClick(window, Qt::Key_I);
    EXPECT_TRUE(window->overlayShown());
    play(frame, 100);
    // The overlay tells the moment drawn last, on a dark band that keeps it readable.
    EXPECT_LT(low(frameImage()), 80);
    const QStringList overlay = rehearsal().scene()->overlayLines();
    ASSERT_EQ(overlay.size(), 4);
    EXPECT_EQ(overlay[0], "Programmnummer : 003");
    EXPECT_EQ(overlay[1], "Dianummer : 3");
    EXPECT_EQ(overlay[2], "Beschreibung : c");
    EXPECT_EQ(overlay[3], "verbleibende Zeit : 10.9");
    QTest::keyClick(window, Qt::Key_I);
    EXPECT_FALSE(window->overlayShown());

    // "Springe zur Programmzeile" from the list acts on the rehearsal too.
    frame.document().jumpTarget = 1;
    app->runCommand(cmd::JumpToLine);
    EXPECT_EQ(position().line, 2);
    EXPECT_TRUE(projector->commandLog().empty());
}

TEST_F(Rehearse, EveryWayOfEndingItMidRunLeavesTheRunStateClean) {
    enum class End { EscTwice, CloseRehearsalWindow, CloseShowWindow, EndProgram };
    for (End end : {End::EscTwice, End::CloseRehearsalWindow, End::CloseShowWindow, End::EndProgram}) {
        SCOPED_TRACE(static_cast<int>(end));
        app.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CSplitterFrame& frame = showWith({{1, 10, 100, 0, "a"}, {2, 10, 0, 0, "Pause"}});
        app->settings().infoWindowAtStart = true;
        app->runCommand(cmd::Rehearse);
        ASSERT_TRUE(rehearsal().running());
        ASSERT_NE(app->runWindows().infoWindow(), nullptr);
        play(frame, 12000);  // at the pause line
        QPointer<RehearsalWindow> window = rehearsal().window();
        switch (end) {
            case End::EscTwice:
                QTest::keyClick(window, Qt::Key_F11);
                EXPECT_TRUE(window->isFullScreen());
                QTest::keyClick(window, Qt::Key_Escape);
                EXPECT_FALSE(window->isFullScreen());
                EXPECT_TRUE(app->runState().showRunning) << "the first Esc only leaves full screen";
                QTest::keyClick(window, Qt::Key_Escape);
                EXPECT_EQ(inProcess().commandLog().back(), "EN");
                EXPECT_NE(app->runWindows().homingWait(), nullptr) << "it waits for the home position";
                homeAndFinish();
                break;
            case End::CloseRehearsalWindow:
                window->close();
                homeAndFinish();
                break;
            case End::CloseShowWindow:
                frame.closeWithoutAsking();
                break;
            case End::EndProgram:
                prompter.queueAnswer(MessageAnswer::No);  // not saved
                ASSERT_TRUE(app->prepareExit());
                break;
        }
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(rehearsal().running());
        EXPECT_TRUE(runStateIsClean());
        EXPECT_TRUE(window.isNull());
        EXPECT_EQ(app->runWindows().infoWindow(), nullptr);
        EXPECT_EQ(app->runWindows().homingWait(), nullptr);
        EXPECT_TRUE(port.openAttempts().empty());
    }
}

TEST_F(Rehearse, AFolderThatGoesAwayGivesCardsAndOneStatusLine) {
    CSplitterFrame& frame = showWith({{1, 10, 40, 0, "a"}, {2, 10, 40, 0, "Zweites Bild"}, {2, 10, 40, 0, "again"}});
    pictures({{1, Qt::red}, {2, Qt::green}});
    app->runCommand(cmd::Rehearse);
    rehearsal().window()->resize(320, 240);
    playTo(frame, 1, sim::ShowRunner::Phase::Timer, 100);
    EXPECT_THAT(centre(frameImage()), IsColour(255, 0, 0));
    // Slide 2 may already be read ahead; a fresh size has it read again, from nowhere.
    ASSERT_TRUE(QDir(pictureFolder).removeRecursively());
    rehearsal().window()->resize(330, 250);
    playTo(frame, 2, sim::ShowRunner::Phase::Timer, 100);
    const QImage card = frameImage();
    EXPECT_NE(card.pixelColor(5, 5), QColor(Qt::black)) << "a card, not a black screen";
    playTo(frame, 3, sim::ShowRunner::Phase::Timer, 100);
    frameImage();
    const QString status = app->mainFrame()->statusBar()->currentMessage();
    EXPECT_TRUE(status.startsWith("Das Bild für Dia 2 kann nicht gelesen werden: ")) << status.toStdString();
    EXPECT_TRUE(rehearsal().running());
    EXPECT_TRUE(prompter.messages.empty()) << "no message box stops the show";
}

// At the end of the run the last picture stays and dissolves to dark over two seconds
// (the music with it) before the window closes, as a video ends; the rehearsal itself
// is over at once, so that another can start.
TEST_F(Rehearse, TheEndDissolvesTheLastPictureToDark) {
    CSplitterFrame& frame = showWith({{1, 10, 20, 0, "a"}});
    pictures({{1, Qt::red}});
    app->runCommand(cmd::Rehearse);
    QPointer<RehearsalWindow> window = rehearsal().window();
    window->resize(320, 240);
    playTo(frame, 1, sim::ShowRunner::Phase::Timer, 100);
    EXPECT_THAT(centre(frameImage()), IsColour(255, 0, 0));
    // Frames go on as the window's timer draws them, until the run is seen over.
    for (int step = 0; step < 100 && rehearsal().running(); ++step) {
        play(frame, 100);
        window->grab();
    }
    ASSERT_FALSE(rehearsal().running());
    ASSERT_FALSE(window.isNull()) << "the window stays for the fade";
    const int startRed = centre(window->grab().toImage()).red();
    EXPECT_GT(startRed, 100) << "not black at once";
    clock.advance(1000);
    const int halfRed = centre(window->grab().toImage()).red();
    EXPECT_LT(halfRed, startRed);
    EXPECT_GT(halfRed, 0);
    clock.advance(1100);
    EXPECT_THAT(centre(window->grab().toImage()), IsColour(0, 0, 0));
    window->frameTick();  // the window's next frame sees the fade over
    QApplication::sendPostedEvents(nullptr, 0);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()) << "closed once dark";
    EXPECT_TRUE(runStateIsClean());
}

// A picture folder that cannot be listed leaves only cards: the status bar says why,
// instead of "Bereit". (Run as an administrator, a folder without read permission
// could still be listed; a file in its place cannot.)
TEST_F(Rehearse, APictureFolderThatCannotBeReadIsSaid) {
    showWith({{1, 10, 40, 0, "a"}});
    const QString notAFolder = folder.filePath("bilder.txt");
    QFile file(notAFolder);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    dialogs.answers.push_back(notAFolder);
    app->runCommand(cmd::ChoosePictureFolder);
    app->runCommand(cmd::Rehearse);
    ASSERT_TRUE(rehearsal().running());
    EXPECT_EQ(app->mainFrame()->statusBar()->currentMessage().toStdString(),
              "Der Bilderordner " + notAFolder.toStdString() + " kann nicht gelesen werden: Die Probe zeigt die Karten der Dias.");
}

TEST_F(Rehearse, StartsAtTheMarkedRowWhenTheAnswerIsYes) {
    const struct {
        MessageAnswer answer;
        bool runs;
        int firstLine;
    } cases[] = {{MessageAnswer::Yes, true, 3}, {MessageAnswer::Cancel, false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        app.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        prompter.messages.clear();
        CSplitterFrame& frame = showWith({{1, 10, 100, 0, "a"}, {2, 10, 100, 0, "b"}, {3, 10, 100, 0, "c"}});
        frame.listView()->selectionModel()->select(frame.listView()->model()->index(2, 0),
                                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
        prompter.queueAnswer(c.answer);
        app->runCommand(cmd::Rehearse);
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text, "Möchten Sie die Show an der markierten Position\nstarten?");
        EXPECT_EQ(rehearsal().running(), c.runs);
        if (c.runs) {
            EXPECT_EQ(position().line, c.firstLine);
        } else {
            EXPECT_TRUE(runStateIsClean());
        }
    }
}

// Counts the paints a window gets.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// A picture that stands costs no painting: the window paints on a frame only what
// changed since the one before.
TEST_F(Rehearse, PaintsAFrameOnlyWhenItsPictureChanged) {
    using Phase = sim::ShowRunner::Phase;
    CSplitterFrame& frame = showWith({{1, 10, 100, 0, "Rot"}, {2, 10, 600, 0, "Grün"}});  // dissolves of 1 s
    pictures({{1, QColor(255, 0, 0)}, {2, QColor(0, 255, 0)}});
    app->runCommand(cmd::Rehearse);
    RehearsalWindow* window = rehearsal().window();
    ASSERT_NE(window, nullptr);
    PaintCounter counter;
    window->installEventFilter(&counter);
    struct Case {
        const char* what;
        int line;  // played to first: its phase, 200 ms into it
        Phase phase;
        bool overlay;
        int frames;  // of 20 ms each
        int paints;
    };
    const Case cases[] = {
        {"a picture standing: none", 1, Phase::Timer, false, 50, 0},
        {"the overlay's time left: once a tenth", 1, Phase::Timer, true, 50, 10},
        {"a dissolve: every frame", 2, Phase::Effect, false, 20, 20},
        {"into the timer: until the dissolve is over", 2, Phase::Effect, false, 50, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        playTo(frame, c.line, c.phase, 200);
        if (window->overlayShown() != c.overlay) QTest::keyClick(window, Qt::Key_I);
        frameImage();  // the pictures are made
        QApplication::processEvents();  // and what was asked for before is painted
        counter.paints = 0;
        for (int i = 0; i < c.frames; ++i) {
            play(frame, FrameMs);
            window->frameTick();
            QApplication::processEvents();
        }
        EXPECT_EQ(counter.paints, c.paints);
    }
    window->removeEventFilter(&counter);
}

TEST_F(Rehearse, MusicThatCannotBePlayedNeverStopsTheRehearsal) {
    const bool soundOutput = !QMediaDevices::audioOutputs().isEmpty();
    enum class Kind { Bytes, Wav, Pipe, Endless };
    const struct {
        const char* what;
        QByteArray bytes;  // for Kind::Bytes
        std::size_t messages;
        const char* status;  // "": not checked
        Kind kind = Kind::Bytes;
    } cases[] = {
        {"not music", "Dies ist keine Musik.\n", 1, "unplayable"},
        {"music, on a computer without sound output", QByteArray(), 0,
         soundOutput ? "" : "Keine Tonausgabe gefunden: die Probe läuft ohne Musik.", Kind::Wav},
        // Neither may hold the window: a pipe blocks whoever opens it, /dev/zero never ends.
        {"a named pipe", QByteArray(), 1, "unplayable", Kind::Pipe},
        {"a link to /dev/zero", QByteArray(), 1, "unplayable", Kind::Endless},
        // A sound stream the decoder finds no sound in: an MPEG header, then noise.
        {"music that does not decode", QByteArray("ID3\x03\0\0\0\0\0\0", 10) + QByteArray(4000, '\x55'), 1,
         "unplayable"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        app.reset();
        prompter.messages.clear();
        CSplitterFrame& frame = showWith({{1, 10, 40, 0, "a"}, {2, 10, 40, 0, "b"}});
        const QString music = folder.filePath(c.kind == Kind::Wav ? "lied.wav" : "lied.mp3");
        QFile::remove(music);
        if (c.kind == Kind::Wav) {
            media::test::writeWav(music.toStdString(), 8000, 1, 80000);
        } else if (c.kind == Kind::Pipe) {
            ASSERT_EQ(::mkfifo(music.toLocal8Bit().constData(), 0600), 0);
        } else if (c.kind == Kind::Endless) {
            ASSERT_TRUE(QFile::link("/dev/zero", music));
        } else {
            QFile file(music);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.bytes);
        }
        dialogs.answers.push_back(music);
        app->runCommand(cmd::ChooseMusic);
        app->runCommand(cmd::Rehearse);
        ASSERT_TRUE(rehearsal().running());
        ASSERT_EQ(prompter.messages.size(), c.messages);
        if (c.messages > 0) {
            EXPECT_EQ(prompter.messages[0].text, "Die Musikdatei\n" + music.toStdString() +
                                                     "\nkann nicht abgespielt werden.\nDie Probe läuft ohne Musik.");
        }
        EXPECT_EQ(rehearsal().music()->hasMusic(), c.messages == 0 && soundOutput);
        if (std::string(c.status) == "unplayable") {
            EXPECT_EQ(app->mainFrame()->statusBar()->currentMessage().toStdString(),
                      "Die Musikdatei " + music.toStdString() + " kann nicht abgespielt werden: Die Probe läuft ohne Musik.");
        } else if (*c.status) {
            EXPECT_EQ(app->mainFrame()->statusBar()->currentMessage(), c.status);
        }
        play(frame, 2000);
        EXPECT_EQ(prompter.messages.size(), c.messages) << "said once";
        EXPECT_TRUE(rehearsal().running());
    }
}

}  // namespace
}  // namespace vistrel::test
