#pragma once
// A show window as the tests need it: a document, the shared services with a
// recording prompter, and the line editor above the program list.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSplitter>
#include <QString>
#include <memory>

#include "edits/ShowHistory.h"
#include "model/CVistrelDoc.h"
#include "platform/fake/RecordingPrompter.h"
#include "views/CEditZeile.h"
#include "views/CVistrelView.h"
#include "views/ViewServices.h"

namespace vistrel::test {

struct ShowWindow {
    Settings settings;
    ApplicationState appState;
    RunState runState;
    RecordingPrompter prompter;
    ViewServices services{settings, appState, runState, prompter, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}};
    CVistrelDoc doc;
    // The show window's history, handed to both views as the window hands it.
    ShowHistory history{doc};
    std::unique_ptr<QSplitter> window;
    CEditZeile* editor = nullptr;
    CVistrelView* list = nullptr;

    explicit ShowWindow(bool logarithmic = true, bool use500Watt = true) {
        settings.logarithmicSliders = logarithmic;
        settings.use500WattTimes = use500Watt;
    }

    // Builds the window the way the document window does and lets the posted events run.
    void open(int width = 900, int height = 520) {
        window = std::make_unique<QSplitter>(Qt::Vertical);
        editor = new CEditZeile(history, services, window.get());
        list = new CVistrelView(history, services, window.get());
        window->addWidget(editor);
        window->addWidget(list);
        window->resize(width, height);
        window->show();
        list->initialUpdate();
        settle();
    }

    static void settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    // A control of the line editor by its name in the form.
    template <typename T>
    T* field(const char* name) const {
        return editor->findChild<T*>(QString::fromLatin1(name));
    }

    // Adds lines straight to the document (slide, dissolve tenths, timer tenths, code, text).
    void addLine(int slide, int dissolve, int timer, int code, const std::string& description = {}) {
        ProgramLine& line = doc.lines[doc.lineCount];
        line.programNumber = QString::asprintf("%03d", doc.lineCount + 1).toStdString();
        line.slideNumber = slide;
        line.dissolveTime = dissolve;
        line.timerTime = timer;
        line.specialFunction = code;
        line.description = description;
        line.changeMarks = NotInProjector;
        ++doc.lineCount;
    }

    // As after loading a file: the list rebuilds itself and the editor follows.
    void reloadFromDocument() {
        doc.linesReplaced(CVistrelDoc::Replaced::ReadIn);
        settle();
    }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : prompter.messages) texts.push_back(m.text);
        return texts;
    }
};

inline QString screenshotPath(const QString& name) {
    QDir().mkpath(QStringLiteral(VISTREL_SCREENSHOT_DIR));
    return QStringLiteral(VISTREL_SCREENSHOT_DIR) + QLatin1Char('/') + name;
}

}  // namespace vistrel::test
