#pragma once
// A whole application on the offscreen platform with everything it talks to replaced:
// the recording Prompter answers the questions, the file dialogs answer from a queue,
// the serial port leads to the in-process virtual projector on virtual time, and the
// configuration lives in a temporary folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "app/CSplitterFrame.h"
#include "app/CVistrelApp.h"
#include "app/FileDialogs.h"
#include "platform/EventPump.h"
#include "platform/ProgressWindows.h"
#include "platform/fake/RecordingPrompter.h"
#include "platform/fake/VirtualClock.h"
#include "res/CommandIds.h"
#include "sim/SimulatedSerialPort.h"

namespace vistrel::test {

// File dialogs that answer from a queue (an empty answer is a cancel) and remember
// what they were asked.
class ScriptedFileDialogs final : public FileDialogs {
public:
    std::deque<QString> answers;
    struct Call {
        bool save;
        QString folderOrPreset;
        QString filter;
    };
    std::vector<Call> calls;

    QString getOpenFileName(QWidget*, const QString&, const QString& folder, const QString& filter) override {
        calls.push_back({false, folder, filter});
        return next();
    }
    QString getSaveFileName(QWidget*, const QString&, const QString& preset, const QString& filter) override {
        calls.push_back({true, preset, filter});
        return next();
    }
    QString getExistingFolder(QWidget*, const QString&, const QString& folder) override {
        calls.push_back({false, folder, QString()});
        return next();
    }

private:
    QString next() {
        if (answers.empty()) return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Runs `action` on the modal dialog that the next call opens, once it is up.
inline void onNextModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        action(modal);
    });
}

// No windows; a test may act "while the write-progress window is up", as a user
// could while the transfer handles input between its blocks.
class ScriptedProgressWindows final : public ProgressWindows {
public:
    std::function<void()> whileWriting;
    void openWriteProgress(int) override {
        if (whileWriting) whileWriting();
    }
    void setWriteProgress(int) override {}
    void closeWriteProgress() override {}
    void openReadProgress() override {}
    void setReadLine(int) override {}
    void closeReadProgress() override {}
    void openModuleWindow(bool) override {}
    void closeModuleWindow() override {}
    // The texts of every wait window opened, and how many are still open.
    std::vector<std::string> waitTexts;
    int waitOpen = 0;
    void openWaitWindow(const std::string&, const std::string& text) override {
        waitTexts.push_back(text);
        ++waitOpen;
    }
    void closeWaitWindow() override { --waitOpen; }
};

class AppFixture : public ::testing::Test {
protected:
    AppFixture() : port(clock) {
        qputenv("VISTREL_CONFIG_DIR", folder.path().toUtf8());
        qputenv("VISTREL_LOG", (folder.path() + "/DIA.LOG").toUtf8());
        projector = &port.attachProjector("COM2");
    }

    ~AppFixture() override {
        app.reset();
        // Windows closed with deleteLater must go before the next test starts.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Creates the application (not yet started). `screen` is what the document
    // windows' first-size check sees.
    CVistrelApp& makeApp(QSize screen = QSize(1280, 1024), bool handOver = false) {
        app = std::make_unique<CVistrelApp>(CVistrelApp::Environment{
            prompter, dialogs, port, clock, events, progress, handOver, [screen] { return screen; }});
        return *app;
    }

    CVistrelApp& startApp(const QStringList& arguments = {}) {
        CVistrelApp& started = app ? *app : makeApp();
        EXPECT_TRUE(started.startUp(arguments));
        return started;
    }

    // A copy of a test show under `name` in the temporary folder.
    QString showFile(const QString& name = "sample.dpd") {
        const QString path = folder.filePath(name);
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(QStringLiteral(VISTREL_TEST_DATA "/sample.dpd"), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : prompter.messages) texts.push_back(message.text);
        return texts;
    }

    // Marks the first line of a show window as changed, as an edit would.
    static void addChangedLine(CSplitterFrame& frame, int slide = 1) {
        CVistrelDoc& doc = frame.document();
        ProgramLine& line = doc.lines[static_cast<std::size_t>(doc.lineCount)];
        line.slideNumber = slide;
        line.dissolveTime = 25;
        line.timerTime = 55;
        line.changeMarks = AllChangeMarks;
        ++doc.lineCount;
    }

    QTemporaryDir folder;
    RecordingPrompter prompter;
    ScriptedFileDialogs dialogs;
    VirtualClock clock;
    sim::SimulatedSerialPort port;
    sim::VirtualProjector* projector = nullptr;
    NoEventPump events;
    ScriptedProgressWindows progress;
    std::unique_ptr<CVistrelApp> app;
};

}  // namespace vistrel::test
