// The media module: opened on first use only, its functions as vistrel-cli has them,
// and without it a message and a disabled "Als Video exportieren..." instead of a crash.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSpinBox>
#include <QTest>

#include "app/CMainFrame.h"
#include "app/MediaModule.h"
#include "res/CommandIds.h"
#include "tests/app/AppFixture.h"
#include "tests/cli/CliProcess.h"
#include "tests/media/SoundFiles.h"

namespace vistrel::test {
namespace {

const std::string kModuleMissing =
    "Vistrel kann keine Videos schreiben und keine Musikdateien lesen: Das Modul %1 fehlt oder lässt sich nicht laden.";

std::string missingText(const QString& file) {
    std::string text = kModuleMissing;
    return text.replace(text.find("%1"), 2, file.toStdString());
}

TEST(MediaModule, LoadsOnlyARealModuleAndSaysWhyNot) {
    QTemporaryDir folder;
    const QString notALibrary = folder.filePath("vistrel-media.so");
    QFile text(notALibrary);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("kein Modul\n");
    text.close();
    const std::string wav = folder.filePath("Musik.wav").toStdString();
    media::test::writeWav(wav, 44100, 2, 66150);  // 1.5 s

    struct Case {
        const char* what;
        QString file;
        bool presentBefore;
        bool loads;
    };
    const Case cases[] = {
        {"no file", folder.filePath("fehlt/vistrel-media.so"), false, false},
        {"a file that is no library", notALibrary, true, false},
        {"the module of this build", QStringLiteral(VISTREL_MEDIA_MODULE_FILE), true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MediaModule module(c.file);
        EXPECT_EQ(module.present(), c.presentBefore);
        const mediamodule::MediaFunctions* functions = module.functions();
        ASSERT_EQ(functions != nullptr, c.loads);
        EXPECT_EQ(module.present(), c.loads) << "a module that failed once counts as missing";
        if (!c.loads) {
            EXPECT_EQ(module.error().toStdString().substr(0, missingText(c.file).size()), missingText(c.file));
            continue;
        }
        EXPECT_EQ(module.error(), QString());
        const media::AudioLength length = functions->audioLength(wav);
        EXPECT_EQ(length.milliseconds, 1500);
        EXPECT_FALSE(length.failure.failed());
    }
}

// The window program as it starts: Qt's widgets are in, FFmpeg's libraries are not.
TEST(MediaModule, NothingOfItIsMappedAfterTheStart) {
    QTemporaryDir config;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("VISTREL_CONFIG_DIR", config.path());
    environment.insert("VISTREL_LOG", config.filePath("DIA.LOG"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VISTREL_APP), {});
    ASSERT_TRUE(program.waitForStarted(5000));
    const QString maps = QStringLiteral("/proc/%1/maps").arg(program.processId());
    // The platform plugin comes with the application object: every library the
    // program links was mapped before it.
    QByteArray mapped;
    const bool started = QTest::qWaitFor([&] {
        QFile file(maps);
        mapped = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return mapped.contains("libqoffscreen.so");
    }, 20000);
    program.kill();
    program.waitForFinished(5000);
    ASSERT_TRUE(started);
    EXPECT_TRUE(mapped.contains("libQt6Widgets.so"));
    for (const char* library : {"libavcodec.so", "libavformat.so", "libswscale.so", "libx264.so", "vistrel-media.so"}) {
        EXPECT_FALSE(mapped.contains(library)) << library;
    }
}

class MediaModuleInApp : public AppFixture {};

TEST_F(MediaModuleInApp, WithoutItTheExportIsDisabled) {
    qputenv("VISTREL_MEDIA_MODULE", folder.filePath("fehlt.so").toUtf8());
    CVistrelApp& started = startApp({showFile()});
    qputenv("VISTREL_MEDIA_MODULE", VISTREL_MEDIA_MODULE_FILE);
    started.mainFrame()->updateActions();
    EXPECT_FALSE(started.mainFrame()->action(cmd::FileExportVideo)->isEnabled());
    EXPECT_TRUE(started.mainFrame()->action(cmd::ScaleShow)->isEnabled());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MediaModuleInApp, ABrokenModuleIsSaidOnceAndThenDisabled) {
    const QString broken = folder.filePath("vistrel-media.so");
    QFile text(broken);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("kein Modul\n");
    text.close();
    qputenv("VISTREL_MEDIA_MODULE", broken.toUtf8());
    CVistrelApp& started = startApp({showFile()});
    qputenv("VISTREL_MEDIA_MODULE", VISTREL_MEDIA_MODULE_FILE);
    started.mainFrame()->updateActions();
    ASSERT_TRUE(started.mainFrame()->action(cmd::FileExportVideo)->isEnabled());
    started.runCommand(cmd::FileExportVideo);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text.substr(0, missingText(broken).size()), missingText(broken));
    started.mainFrame()->updateActions();
    EXPECT_FALSE(started.mainFrame()->action(cmd::FileExportVideo)->isEnabled());
}

// The window program's export through the module writes the bytes `vistrel-cli video`
// writes with the same values.
TEST_F(MediaModuleInApp, ExportsTheVideoOfTheCommandLine) {
    CVistrelApp& started = startApp({showFile()});
    const QString out = folder.filePath("Fenster.mp4");
    onNextModal([out](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("videoFile")->setText(out);
        dialog->findChild<QComboBox*>("videoSize")->setCurrentIndex(3);
        dialog->findChild<QSpinBox*>("videoWidth")->setValue(160);
        dialog->findChild<QSpinBox*>("videoHeight")->setValue(90);
        static_cast<QDialog*>(dialog)->accept();
    });
    started.runCommand(cmd::FileExportVideo);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompter.messages.empty(); }, 60'000));
    ASSERT_EQ(messageTexts(), std::vector<std::string>{"Das Video " + out.toStdString() + " ist fertig."});

    const std::string cliOut = folder.filePath("Kommandozeile.mp4").toStdString();
    const CliResult cli = runProcess(VISTREL_CLI, {"video", folder.filePath("sample.dpd").toStdString(), cliOut,
                                                   "--size", "160x90", "--audio="});
    ASSERT_EQ(cli.exitCode, 0) << cli.err;
    const std::string written = readWholeFile(out.toStdString());
    EXPECT_EQ(written.substr(4, 4), "ftyp");
    EXPECT_EQ(written, readWholeFile(cliOut));
}

}  // namespace
}  // namespace vistrel::test
