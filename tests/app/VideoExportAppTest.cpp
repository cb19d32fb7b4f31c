// "Als Video exportieren...": what the dialog hands to the export, and the command
// from the menu to the finished file, or to nothing after "Abbrechen".
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "app/CSplitterFrame.h"
#include "dialogs/VideoExportDialog.h"
#include "res/CommandIds.h"
#include "tests/app/AppFixture.h"

namespace vistrel::test {
namespace {

template <typename Field>
Field* field(QWidget* dialog, const char* name) {
    auto* found = dialog->findChild<Field*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(VideoExportDialog, HandsOverWhatTheUserChose) {
    RecordingPrompter prompter;
    video::VideoRequest initial;
    initial.outputPath = "/tmp/Urlaub.mp4";
    initial.musicPath = "/tmp/Musik.mp3";
    struct Case {
        const char* what;
        std::function<void(QWidget*)> edit;
        std::function<void(const video::VideoRequest&)> check;
    };
    const Case cases[] = {
        {"the offered values", [](QWidget*) {},
         [](const video::VideoRequest& r) {
             EXPECT_EQ(r.outputPath, "/tmp/Urlaub.mp4");
             EXPECT_EQ(r.size, QSize(1920, 1080));
             EXPECT_EQ(r.fps, 25);
             EXPECT_EQ(r.pauseHoldMs, 5000);
             EXPECT_EQ(r.fromLine, 1);
             EXPECT_EQ(r.toLine, 12);
             EXPECT_EQ(r.musicPath, "/tmp/Musik.mp3");
         }},
        {"an own odd size comes out even; 50 frames a second",
         [](QWidget* d) {
             field<QComboBox>(d, "videoSize")->setCurrentIndex(3);
             field<QSpinBox>(d, "videoWidth")->setValue(1001);
             field<QSpinBox>(d, "videoHeight")->setValue(555);
             field<QComboBox>(d, "videoFps")->setCurrentIndex(2);
         },
         [](const video::VideoRequest& r) {
             EXPECT_EQ(r.size, QSize(1002, 556));
             EXPECT_EQ(r.fps, 50);
         }},
        {"a name without a video ending gets .mp4",
         [](QWidget* d) { field<QLineEdit>(d, "videoFile")->setText("/tmp/Film"); },
         [](const video::VideoRequest& r) { EXPECT_EQ(r.outputPath, "/tmp/Film.mp4"); }},
        {"lines, pause and music off",
         [](QWidget* d) {
             field<QSpinBox>(d, "videoFrom")->setValue(4);
             field<QSpinBox>(d, "videoTo")->setValue(2);  // held at the first line
             field<QDoubleSpinBox>(d, "videoPause")->setValue(2.5);
             field<QCheckBox>(d, "videoMusic")->setChecked(false);
         },
         [](const video::VideoRequest& r) {
             EXPECT_EQ(r.fromLine, 4);
             EXPECT_EQ(r.toLine, 4);
             EXPECT_EQ(r.pauseHoldMs, 2500);
             EXPECT_EQ(r.musicPath, "");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VideoExportDialog dialog(initial, 12, prompter, {});
        c.edit(&dialog);
        dialog.accept();
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
        c.check(dialog.request());
    }
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(VideoExportDialog, AsksForAFileNameAndWithoutMusicOffersNone) {
    RecordingPrompter prompter;
    VideoExportDialog dialog(video::VideoRequest{}, 3, prompter, {});
    EXPECT_FALSE(field<QCheckBox>(&dialog, "videoMusic")->isEnabled());
    field<QLineEdit>(&dialog, "videoFile")->setText("  ");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Bitte geben Sie den Namen der Videodatei an.");
}

// Runs `action` on the progress window once it is up (it opens after the dialog closes).
void onProgressWindow(std::function<void(QProgressDialog*)> action) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(window);
            if (!progress || !progress->isVisible()) continue;
            poll->stop();
            poll->deleteLater();
            action(progress);
            return;
        }
    });
    poll->start();
}

class VideoExportCommandTest : public AppFixture {};

TEST_F(VideoExportCommandTest, WritesTheVideoOrNothingWhenCancelled) {
    CVistrelApp& started = startApp({showFile()});
    const QString out = folder.filePath("sample.mp4");
    // Written: the dialog's values, then the progress window until the end.
    onNextModal([out](QWidget* dialog) {
        field<QLineEdit>(dialog, "videoFile")->setText(out);
        field<QComboBox>(dialog, "videoSize")->setCurrentIndex(3);
        field<QSpinBox>(dialog, "videoWidth")->setValue(160);
        field<QSpinBox>(dialog, "videoHeight")->setValue(90);
        static_cast<QDialog*>(dialog)->accept();
    });
    started.runCommand(cmd::FileExportVideo);
    // The export runs in the background; its end is said when it comes.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompter.messages.empty(); }, 60'000));
    ASSERT_EQ(messageTexts(), std::vector<std::string>{"Das Video " + out.toStdString() + " ist fertig."});
    EXPECT_GT(QFile(out).size(), 1000);

    // Cancelled as soon as the progress window is up: the file of before stays. (A show
    // of twenty ten-minute lines, so that the export is surely still going.)
    QString longShow = "/h1 Lang\r\n";
    for (int i = 1; i <= 20; ++i) longShow += QStringLiteral("/p %1 001 /d 025 /t 6000 /s 000 \r\n").arg(i, 3, 10, QLatin1Char('0'));
    QFile longFile(folder.filePath("Lang.dpd"));
    ASSERT_TRUE(longFile.open(QIODevice::WriteOnly));
    longFile.write(longShow.toLatin1());
    longFile.close();
    ASSERT_TRUE(started.openShow(longFile.fileName()));
    QFile::remove(out);
    QFile old(out);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    onNextModal([out](QWidget* dialog) {
        field<QLineEdit>(dialog, "videoFile")->setText(out);
        static_cast<QDialog*>(dialog)->accept();  // 1920x1080: long enough to cancel
    });
    bool seen = false;
    QPointer<QProgressDialog> shown;  // goes once the export has ended
    onProgressWindow([&seen, &shown](QProgressDialog* window) {
        seen = true;
        shown = window;
        auto* cancel = window->findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), "Abbrechen");
        cancel->click();
    });
    started.runCommand(cmd::FileExportVideo);
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen && !shown; }, 60'000));
    EXPECT_EQ(messageTexts().size(), 1u) << "a cancel says nothing";
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
    EXPECT_EQ(QDir(folder.path()).entryList({".vistrel-*"}, QDir::Hidden | QDir::Files), QStringList());
}

}  // namespace
}  // namespace vistrel::test
