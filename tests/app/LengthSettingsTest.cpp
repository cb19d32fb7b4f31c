// "Schaulänge", "Diaschau skalieren" and "Einstellungen" through the main window's command
// routing: the real dialogs driven as a user drives them, the questions answered by the
// recording prompter, the port the in-process virtual projector.
#include <sys/stat.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "app/CMainFrame.h"
#include "dialogs/ScaleDialog.h"
#include "dialogs/SettingsDialog.h"
#include "dialogs/ShowLengthDialog.h"
#include "dialogs/SpinButton.h"
#include "projector/ProjectorLink.h"
#include "tests/media/SoundFiles.h"
#include "tests/app/AppFixture.h"
#include "views/CEditZeile.h"
#include "views/CVistrelView.h"

namespace vistrel::test {
namespace {

// A control of a dialog or form by its name in the layout.
template <class T>
T* child(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void saveScreenshot(QWidget* widget, const QString& name) {
    QDir().mkpath(QStringLiteral(VISTREL_SCREENSHOT_DIR));
    widget->adjustSize();
    QApplication::processEvents();
    EXPECT_TRUE(widget->grab().save(QStringLiteral(VISTREL_SCREENSHOT_DIR) + QLatin1Char('/') + name));
}

class LengthAndSettings : public AppFixture {
protected:
    CSplitterFrame& showWith(std::initializer_list<std::array<int, 3>> lines) {
        CVistrelApp& started = app ? *app : startApp();
        CSplitterFrame& frame = *started.activeFrame();
        CVistrelDoc& doc = frame.document();
        for (const auto& [slide, dissolve, timer] : lines) {
            doc.lines[static_cast<std::size_t>(doc.lineCount++)] = ProgramLine{"", slide, dissolve, timer, 0, "", 0};
        }
        doc.linesReplaced(CVistrelDoc::Replaced::ReadIn);
        return frame;
    }
};

TEST_F(LengthAndSettings, ShowLengthThenScaleRefillsTheList) {
    CSplitterFrame& frame = showWith({{1, 0, 40}, {2, 0, 40}, {3, 5, 40}});
    frame.listView()->selectAll();
    QString total, selected, oldLength;
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<ShowLengthDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Schaulänge");
        total = child<QLabel>(dialog, "totalText")->text();
        selected = child<QLabel>(dialog, "selectedText")->text();
        saveScreenshot(dialog, QStringLiteral("show-length-dialog.png"));
        onNextModal([&](QWidget* next) {
            auto* scale = qobject_cast<ScaleDialog*>(next);
            ASSERT_NE(scale, nullptr);
            EXPECT_EQ(scale->windowTitle(), "Show skalieren");
            oldLength = child<QLabel>(scale, "oldLengthText")->text();
            EXPECT_EQ(child<QLineEdit>(scale, "secondsEdit")->text(), "13");  // 12.5 s offered as 13 s
            saveScreenshot(scale, QStringLiteral("scale-dialog.png"));
            child<QLineEdit>(scale, "secondsEdit")->setText(QString());
            QTest::keyClicks(child<QLineEdit>(scale, "secondsEdit"), "24");
            QTest::mouseClick(child<QPushButton>(scale, "okButton"), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(dialog, "scaleButton"), Qt::LeftButton);
    });
    prompter.queueAnswer(MessageAnswer::No);  // not only the selection: the whole show
    app->runCommand(cmd::ShowLength);

    EXPECT_EQ(total, "00:00:12");
    EXPECT_EQ(selected, "00:00:12");
    EXPECT_EQ(oldLength, "00:00:13");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "Möchten Sie die Skalierung nur auf die selektierten\nProgrammzellen anwenden?");
    // 12.5 s to 24 s: the 0.5 s dissolve stays and so do the odd tenths, so 24.5 s.
    const CVistrelDoc& doc = frame.document();
    EXPECT_EQ(doc.lines[0].timerTime, 80);
    EXPECT_EQ(doc.lines[2].timerTime, 80);
    EXPECT_EQ(doc.lines[1].changeMarks, AllChangeMarks);
    EXPECT_EQ(frame.listView()->cellText(1, 3).trimmed(), "8.0");
}

TEST_F(LengthAndSettings, TheScaleSpinsWriteTwoDigitsAndFollowTheField) {
    ScaleDialog dialog;
    dialog.setOldLength(36049);  // 1 h 0 min 4.9 s, offered as 01:00:05
    EXPECT_EQ(child<QLabel>(&dialog, "oldLengthText")->text(), "01:00:05");
    EXPECT_EQ(child<QLineEdit>(&dialog, "hoursEdit")->text(), "01");
    child<SpinButton>(&dialog, "minutesSpin")->stepUp();
    EXPECT_EQ(child<QLineEdit>(&dialog, "minutesEdit")->text(), "01");
    // A typed value is where the next step starts; the spin stops at its range.
    child<QLineEdit>(&dialog, "secondsEdit")->setText(QString());
    QTest::keyClicks(child<QLineEdit>(&dialog, "secondsEdit"), "59");
    QTest::keyClick(child<QLineEdit>(&dialog, "secondsEdit"), Qt::Key_Up);
    EXPECT_EQ(child<QLineEdit>(&dialog, "secondsEdit")->text(), "60");
    child<SpinButton>(&dialog, "secondsSpin")->stepUp();
    EXPECT_EQ(child<QLineEdit>(&dialog, "secondsEdit")->text(), "60");
    for (int i = 0; i < 30; ++i) child<SpinButton>(&dialog, "hoursSpin")->stepUp();
    EXPECT_EQ(child<QLineEdit>(&dialog, "hoursEdit")->text(), "23");
    EXPECT_EQ(dialog.enteredLength(), (23 * 3600 + 60 + 60) * 10);
}

TEST_F(LengthAndSettings, MusicLengthFillsTheNewLengthInWholeSeconds) {
    const struct {
        const char* what;
        // At 8000 per second; -1: no music chosen, 0: a file that is no music, -2: a named
        // pipe, -3: a link to /dev/zero (neither may freeze the window).
        std::int64_t musicFrames;
        const char* hours;
        const char* minutes;
        const char* seconds;
        bool buttonEnabled;
        std::size_t messages;
    } cases[] = {
        {"65.7 s of music", 525600, "00", "01", "06", true, 0},
        {"65.4 s of music", 523200, "00", "01", "05", true, 0},
        {"no music chosen", -1, "00", "00", "13", false, 0},
        {"a file that is no music", 0, "00", "00", "13", true, 1},
        {"a named pipe", -2, "00", "00", "13", true, 1},
        {"a link to /dev/zero", -3, "00", "00", "13", true, 1},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        app.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        prompter.messages.clear();
        showWith({{1, 0, 40}, {2, 0, 40}, {3, 5, 40}});
        if (c.musicFrames != -1) {
            const QString music = folder.filePath(QString("musik%1.wav").arg(index++));
            if (c.musicFrames == -2) {
                ASSERT_EQ(::mkfifo(QFile::encodeName(music).constData(), 0600), 0);
            } else if (c.musicFrames == -3) {
                ASSERT_TRUE(QFile::link("/dev/zero", music));
            } else if (c.musicFrames > 0) {
                media::test::writeWav(music.toStdString(), 8000, 1, c.musicFrames);
            } else {
                QFile text(music);
                ASSERT_TRUE(text.open(QIODevice::WriteOnly));
                text.write("keine Musik");
            }
            dialogs.answers.push_back(music);
            app->runCommand(cmd::ChooseMusic);
        }
        QString hours, minutes, seconds;
        bool enabled = false;
        onNextModal([&](QWidget* modal) {
            auto* scale = qobject_cast<ScaleDialog*>(modal);
            ASSERT_NE(scale, nullptr);
            auto* button = child<QPushButton>(scale, "musicLengthButton");
            EXPECT_EQ(button->text(), "Musiklänge übernehmen");
            enabled = button->isEnabled();
            QTest::mouseClick(button, Qt::LeftButton);
            hours = child<QLineEdit>(scale, "hoursEdit")->text();
            minutes = child<QLineEdit>(scale, "minutesEdit")->text();
            seconds = child<QLineEdit>(scale, "secondsEdit")->text();
            QTest::mouseClick(child<QPushButton>(scale, "cancelButton"), Qt::LeftButton);
        });
        app->runCommand(cmd::ScaleShow);
        EXPECT_EQ(enabled, c.buttonEnabled);
        EXPECT_EQ(hours, c.hours);
        EXPECT_EQ(minutes, c.minutes);
        EXPECT_EQ(seconds, c.seconds);
        EXPECT_EQ(prompter.messages.size(), c.messages);
    }
}

TEST_F(LengthAndSettings, ScaleWithAPauseIsRefused) {
    CSplitterFrame& frame = showWith({{1, 25, 40}, {2, 25, 0}});
    app->runCommand(cmd::ScaleShow);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "In der Diaschau ist eine Pause !\nDeshalb kann die Show nicht skaliert werden.\nSie können aber Teile "
              "der Diaschau selektieren\nund dann skalieren.");
    EXPECT_EQ(frame.document().lines[0].timerTime, 40);
}

// A show with a pause has music time: its music's length fits it, a typed length does not.
TEST_F(LengthAndSettings, AShowWithAPauseIsFittedToItsMusic) {
    const struct {
        const char* what;
        const char* typedSeconds;  // typed over the music's length; nullptr: taken as it is
        std::vector<int> timers;
        std::size_t messages;
    } cases[] = {
        {"the music's length", nullptr, {80, 0, 80}, 0},
        {"a typed length", "20", {40, 0, 40}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        app.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        prompter.messages.clear();
        CSplitterFrame& frame = showWith({{1, 0, 40}, {2, 0, 0}, {3, 0, 40}});
        const QString music = folder.filePath("sechzehn.wav");
        media::test::writeWav(music.toStdString(), 8000, 1, 8000 * 16);
        dialogs.answers.push_back(music);
        app->runCommand(cmd::ChooseMusic);
        onNextModal([&](QWidget* modal) {
            auto* scale = qobject_cast<ScaleDialog*>(modal);
            ASSERT_NE(scale, nullptr);
            QTest::mouseClick(child<QPushButton>(scale, "musicLengthButton"), Qt::LeftButton);
            if (c.typedSeconds) child<QLineEdit>(scale, "secondsEdit")->setText(c.typedSeconds);
            QTest::mouseClick(child<QPushButton>(scale, "okButton"), Qt::LeftButton);
        });
        app->runCommand(cmd::ScaleShow);
        std::vector<int> timers;
        for (int i = 0; i < 3; ++i) timers.push_back(frame.document().lines[static_cast<std::size_t>(i)].timerTime);
        EXPECT_EQ(timers, c.timers);
        EXPECT_EQ(prompter.messages.size(), c.messages);
    }
}

TEST_F(LengthAndSettings, SettingsDialogShowsItsControlsInOrder) {
    qputenv("VISTREL_COM3", "/dev/vistrel-test-adapter");
    CVistrelApp& started = startApp();
    QStringList options;
    QString lamp, portGroup, generalGroup;
    QStringList devices;
    bool com2Checked = false;
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<SettingsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Einstellungen");
        for (QCheckBox* box : dialog->optionBoxes()) options << box->text();
        lamp = child<QLineEdit>(dialog, "lampBrightnessEdit")->text();
        generalGroup = child<QGroupBox>(dialog, "generalGroup")->title();
        portGroup = child<QGroupBox>(dialog, "portGroup")->title();
        devices << child<QLabel>(dialog, "com1Device")->text() << child<QLabel>(dialog, "com3Device")->text();
        com2Checked = dialog->portButton(2)->isChecked();
        saveScreenshot(dialog, QStringLiteral("settings-dialog.png"));
        QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
    });
    started.runCommand(cmd::Settings);
    qunsetenv("VISTREL_COM3");

    EXPECT_EQ(options, (QStringList{"Laden mit Endekennung", "Differenzielle Übertragung (beachten Sie dazu die Hilfe)",
                                    "Laden mit Konvertierung der DOS-Umlaute",
                                    "Beim Verlassen von Vistrel den PC-Modus ausschalten",
                                    "Beim Starten der Diaschau Infofenster öffnen",
                                    "Sonderfunktioncodes durch Text ersetzen",
                                    "Schieberegler für die Timer- und Überblendzeit logarithmisch",
                                    "Gesamtlänge der Diaschau anzeigen",
                                    "Dokumentenfenster auf Gesamtgröße initialisieren",
                                    "500Watt-Timerzeiten benutzen"}));
    EXPECT_EQ(lamp, "100");
    EXPECT_EQ(generalGroup, "Allgemeines");
    EXPECT_EQ(portGroup, "Schnittstelle ");
    EXPECT_EQ(devices, (QStringList{"/dev/ttyS0", "/dev/vistrel-test-adapter"}));
    EXPECT_TRUE(com2Checked);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(LengthAndSettings, ChangedDisplayOptionsRefreshTheOpenWindows) {
    CSplitterFrame& frame = showWith({{1, 25, 400}});
    CEditZeile& editor = *frame.editor();
    QApplication::sendPostedEvents();
    EXPECT_TRUE(child<QLabel>(&editor, "totalTimeText")->text().isEmpty());
    ASSERT_TRUE(app->settings().logarithmicSliders);
    const int logarithmicPosition = child<QSlider>(&editor, "timerSlider")->value();

    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<SettingsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        child<QCheckBox>(dialog, "showTotalLengthCheck")->setChecked(true);
        child<QCheckBox>(dialog, "logarithmicSlidersCheck")->setChecked(false);
        child<QLineEdit>(dialog, "lampBrightnessEdit")->setText("250");
        QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    app->runCommand(cmd::Settings);

    EXPECT_TRUE(app->settings().showTotalLength);
    EXPECT_FALSE(app->settings().logarithmicSliders);
    EXPECT_EQ(app->settings().lampBrightness, 100);
    EXPECT_EQ(child<QLabel>(&editor, "totalTimeText")->text().trimmed(), "00:00:42");
    // 40 s on the linear slider is position 80; on the logarithmic one it was elsewhere.
    EXPECT_EQ(child<QSlider>(&editor, "timerSlider")->value(), 80);
    EXPECT_NE(logarithmicPosition, 80);
    EXPECT_TRUE(projector->commandLog().empty());  // the port did not change: no traffic
}

TEST_F(LengthAndSettings, TestFindsTheProjectorAndAMissingPortKeepsTheDialogOpen) {
    CVistrelApp& started = startApp();
    bool com2AfterTest = false, stillOpen = false;
    onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<SettingsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->portButton(4)->setChecked(true);
        QTest::mouseClick(child<QPushButton>(dialog, "testButton"), Qt::LeftButton);
        com2AfterTest = dialog->portButton(2)->isChecked();
        // No COM3 on this machine: the dialog stays open with the message.
        dialog->portButton(3)->setChecked(true);
        child<QCheckBox>(dialog, "showTotalLengthCheck")->setChecked(true);
        QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        stillOpen = dialog->isVisible();
        QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
    });
    started.runCommand(cmd::Settings);

    EXPECT_TRUE(com2AfterTest);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{"Der Projektor antwortet an der Schnittstelle COM2.",
                                        "Die Schnittstelle konnte nicht initialisiert werden!\n\nKlicken Sie am "
                                        "besten auf den Test-Knopf,\num die Schnittstelle automatisch festzustellen."}));
    // What OK applied stays applied after Cancel, and the port chosen is the one kept,
    // not connected: it did not open.
    EXPECT_TRUE(started.settings().showTotalLength);
    EXPECT_EQ(started.settings().portName, "COM3");
    EXPECT_FALSE(started.link().connected);
}

}  // namespace
}  // namespace vistrel::test
