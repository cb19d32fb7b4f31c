// How long copying and pasting a full show (999 lines) takes: the clipboard text
// alone, and through the program list of a real window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <memory>
#include <string>

#include "model/ClipboardCommands.h"
#include "model/Cp1252.h"
#include "model/LineOperations.h"
#include "platform/fake/MemoryClipboard.h"
#include "platform/fake/RecordingPrompter.h"
#include "edits/ShowHistory.h"
#include "views/CVistrelView.h"
#include "views/ListCommands.h"
#include "views/ViewServices.h"

namespace {

using namespace vistrel;

void fill(CVistrelDoc& doc, int count) {
    const int codes[] = {0, 15, 33, 60, 200, 41};
    doc.lineCount = count;
    for (int i = 0; i < count; ++i) {
        ProgramLine& line = doc.lines[static_cast<std::size_t>(i)];
        line.programNumber = std::to_string(1000 + i + 1).substr(1);
        line.slideNumber = i % 80 + 1;
        line.dissolveTime = 25;
        line.timerTime = 55 + i % 100;
        line.specialFunction = codes[i % 6];
        line.description = "Dia " + std::to_string(i + 1) + " mit einer Beschreibung f\xFC" "r die Schau";
        line.changeMarks = NotInProjector;
    }
}

// The show and its list without a window.
struct PlainShow {
    std::unique_ptr<CVistrelDoc> doc = std::make_unique<CVistrelDoc>();
    PlainProgramRows rows;
    RecordingPrompter prompter;
    ApplicationState appState;
    Settings settings;
    MemoryClipboard clipboard;
    ShowEditing editing{*doc, rows, prompter, appState, settings};
    LineOperations lines{editing, nullptr};
    ClipboardCommands clip{editing, lines, &clipboard};

    explicit PlainShow(int count) {
        fill(*doc, count);
        rows = PlainProgramRows(rowsFilledFromDocument(*doc));
    }
};

std::string fullShowText() {
    PlainShow show(MaxProgramLines);
    show.rows.selectAllRows();
    return show.clip.selectionText();
}

void CopyText(benchmark::State& state) {
    PlainShow show(MaxProgramLines);
    show.rows.selectAllRows();
    for (auto _ : state) benchmark::DoNotOptimize(show.clip.copyToClipboard());
    state.counters["bytes"] = static_cast<double>(show.clipboard.content->size());
}
BENCHMARK(CopyText)->Unit(benchmark::kMillisecond);

void PasteText(benchmark::State& state) {
    const std::string text = fullShowText();
    for (auto _ : state) {
        state.PauseTiming();
        auto show = std::make_unique<PlainShow>(1);
        show->rows.select({0});
        state.ResumeTiming();
        benchmark::DoNotOptimize(show->clip.pasteText(text));
    }
}
BENCHMARK(PasteText)->Unit(benchmark::kMillisecond);

// A show window's list, with the desktop's clipboard (in process on the offscreen platform).
struct WindowShow {
    CVistrelDoc doc;
    Settings settings;
    ApplicationState appState;
    RunState runState;
    RecordingPrompter prompter;
    ViewServices services{settings, appState, runState, prompter, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}};
    ShowHistory history{doc};
    CVistrelView list{history, services};

    explicit WindowShow(int count) {
        fill(doc, count);
        list.resize(900, 600);
        list.show();
        list.initialUpdate();
        QApplication::processEvents();
    }
};

void CopyFromList(benchmark::State& state) {
    WindowShow show(MaxProgramLines);
    show.list.selectAllRows();
    for (auto _ : state) {
        benchmark::DoNotOptimize(show.list.commands().clipboard().copyToClipboard());
        QApplication::processEvents();
    }
}
BENCHMARK(CopyFromList)->Unit(benchmark::kMillisecond);

void PasteIntoList(benchmark::State& state) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(cp1252ToUtf8(fullShowText())));
    for (auto _ : state) {
        state.PauseTiming();
        auto show = std::make_unique<WindowShow>(1);
        show->list.selectAndFocusRow(0);
        state.ResumeTiming();
        benchmark::DoNotOptimize(show->list.commands().clipboard().pasteFromClipboard());
        QApplication::processEvents();  // the list repaints
    }
}
BENCHMARK(PasteIntoList)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
