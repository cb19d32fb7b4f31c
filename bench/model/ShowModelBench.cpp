// How fast a full show (999 lines) is read, written and measured.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "model/ShowFile.h"
#include "model/ShowLength.h"
#include "platform/Prompter.h"

namespace {

using namespace vistrel;

class SilentPrompter final : public Prompter {
public:
    MessageAnswer showMessage(const std::string&, MessageIcon, MessageButtons, int) override { return MessageAnswer::Ok; }
    using Prompter::showMessage;
    void beep() override {}
    void beginWaitCursor() override {}
    void endWaitCursor() override {}
};

std::unique_ptr<CVistrelDoc> fullShow() {
    auto doc = std::make_unique<CVistrelDoc>();
    doc->header.title = "Ein langer Abend";
    const int codes[] = {0, 15, 33, 60, 200, 41};
    for (int i = 0; i < MaxProgramLines; ++i) {
        ProgramLine& line = doc->lines[static_cast<std::size_t>(i)];
        line.programNumber = std::to_string(1000 + i + 1).substr(1);
        line.slideNumber = i % 80 + 1;
        line.dissolveTime = 25;
        line.timerTime = 55 + i % 100;
        line.specialFunction = codes[i % 6];
        line.description = "Dia " + std::to_string(i + 1) + " mit einer Beschreibung f\xFC" "r die Schau";
        line.changeMarks = AllChangeMarks;
    }
    doc->lineCount = MaxProgramLines;
    return doc;
}

std::string scratchPath() { return (std::filesystem::temp_directory_path() / "vistrel-bench-999.dpd").string(); }

void BM_WriteShowFile(benchmark::State& state) {
    auto doc = fullShow();
    SilentPrompter prompter;
    const std::string path = scratchPath();
    for (auto _ : state) benchmark::DoNotOptimize(writeShowFile(*doc, path, prompter));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(path)));
}
BENCHMARK(BM_WriteShowFile);

void BM_ReadShowFile(benchmark::State& state) {
    auto source = fullShow();
    SilentPrompter prompter;
    const std::string path = scratchPath();
    writeShowFile(*source, path, prompter);
    auto doc = std::make_unique<CVistrelDoc>();
    for (auto _ : state) benchmark::DoNotOptimize(readShowFile(*doc, path, Settings{}, prompter));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(path)));
}
BENCHMARK(BM_ReadShowFile);

void BM_ParseShowText(benchmark::State& state) {
    auto source = fullShow();
    const std::string text = formatShowText(*source);
    auto doc = std::make_unique<CVistrelDoc>();
    for (auto _ : state) {
        parseShowText(*doc, text, {});
        benchmark::DoNotOptimize(doc->lineCount);
    }
}
BENCHMARK(BM_ParseShowText);

void BM_ComputeShowLength(benchmark::State& state) {
    auto doc = fullShow();
    std::vector<int> selection;
    for (int i = 0; i < MaxProgramLines; i += 3) selection.push_back(i);
    for (auto _ : state) benchmark::DoNotOptimize(computeShowLength(*doc, WholeShowAndSelection, true, selection));
}
BENCHMARK(BM_ComputeShowLength);

void BM_MeasureForScaling(benchmark::State& state) {
    auto doc = fullShow();
    for (auto _ : state) benchmark::DoNotOptimize(measureForScaling(*doc, {}).total);
}
BENCHMARK(BM_MeasureForScaling);

}  // namespace

BENCHMARK_MAIN();
