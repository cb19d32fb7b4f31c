// How fast a full show (999 lines) is laid out and printed to a PDF, as
// `vistrel-cli print` does it. The goal is well under a second for the whole PDF.
// With pictures (999 photos of 1200 x 800): the printout with pictures and the magazine
// plan of 999 slides, each picture decoded once for its page.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QPageLayout>
#include <QPdfWriter>
#include <memory>
#include <string>

#include "model/CVistrelDoc.h"
#include "print/MagazinePlan.h"
#include "print/PrintJob.h"
#include "print/ShowPrintout.h"

namespace {

using namespace vistrel;

std::unique_ptr<CVistrelDoc> fullShow() {
    auto doc = std::make_unique<CVistrelDoc>();
    doc->header.title = "Ein langer Abend";
    doc->header.description = "Alle Dias der Reise";
    doc->windowTitle = "abend.dpd";
    const int codes[] = {0, 15, 33, 60, 200, 41, 570};
    for (int i = 0; i < MaxProgramLines; ++i) {
        ProgramLine& line = doc->lines[static_cast<std::size_t>(i)];
        line.programNumber = std::to_string(1000 + i + 1).substr(1);
        line.slideNumber = i % 80 + 1;
        line.dissolveTime = 25;
        line.timerTime = 55 + i % 100;
        line.specialFunction = codes[i % 7];
        // Every third description runs over two or three lines on paper.
        std::string description = "Dia " + std::to_string(i + 1) + " mit einer Beschreibung f\xFC" "r die Schau";
        if (i % 3 == 0) description += " und einem langen Zusatz, der auf dem Papier umbrochen werden muss";
        line.description = description;
    }
    doc->lineCount = MaxProgramLines;
    return doc;
}

void LayOutFullShow(benchmark::State& state) {
    const auto doc = fullShow();
    for (auto _ : state) {
        const print::ShowPrintout printout(*doc, {}, {210, 297, 1200});
        benchmark::DoNotOptimize(printout.pageCount());
    }
}
BENCHMARK(LayOutFullShow)->Unit(benchmark::kMillisecond);

void PrintFullShowToPdfFile(benchmark::State& state) {
    const auto doc = fullShow();
    const QString path = QDir::temp().filePath(QStringLiteral("vistrel-print-bench.pdf"));
    int pages = 0;
    for (auto _ : state) {
        if (!print::writeShowPdf(path, *doc, {}, QPageSize(QPageSize::A4), {}, &pages)) state.SkipWithError("no PDF");
    }
    state.counters["pages"] = pages;
    QFile::remove(path);
}
BENCHMARK(PrintFullShowToPdfFile)->Unit(benchmark::kMillisecond);

// A folder of 999 photos "001.jpg" .. "999.jpg", made once for all runs.
QString pictureFolder() {
    static QTemporaryDir folder;
    static bool made = false;
    if (!made) {
        for (int slide = 1; slide <= MaxProgramLines; ++slide) {
            QImage photo(1200, 800, QImage::Format_RGB32);
            photo.fill(QColor::fromHsv(slide * 37 % 360, 160, 200));
            QPainter(&photo).drawEllipse(QRect(200 + slide % 400, 100, 500, 500));
            photo.save(folder.filePath(QStringLiteral("%1.jpg").arg(slide, 3, 10, QLatin1Char('0'))), "JPEG", 85);
        }
        made = true;
    }
    return folder.path();
}

// Every slide 1 .. 999 once.
std::unique_ptr<CVistrelDoc> showOfEverySlide() {
    auto doc = fullShow();
    for (int i = 0; i < MaxProgramLines; ++i) doc->lines[static_cast<std::size_t>(i)].slideNumber = i + 1;
    return doc;
}

void PrintFullShowWithPicturesToPdfFile(benchmark::State& state) {
    const auto doc = showOfEverySlide();
    print::PrintOptions options;
    options.pictureFolder = pictureFolder().toStdString();
    const QString path = QDir::temp().filePath(QStringLiteral("vistrel-print-pictures-bench.pdf"));
    int pages = 0;
    for (auto _ : state) {
        if (!print::writeShowPdf(path, *doc, options, QPageSize(QPageSize::A4), {}, &pages))
            state.SkipWithError("no PDF");
    }
    state.counters["pages"] = pages;
    QFile::remove(path);
}
BENCHMARK(PrintFullShowWithPicturesToPdfFile)->Unit(benchmark::kMillisecond)->Iterations(1);

void MagazinePlanOf999SlidesToPdfFile(benchmark::State& state) {
    const auto doc = showOfEverySlide();
    const std::filesystem::path folder = pictureFolder().toStdString();
    const QString path = QDir::temp().filePath(QStringLiteral("vistrel-magazine-bench.pdf"));
    int pages = 0;
    for (auto _ : state) {
        if (!print::writeMagazinePdf(path, *doc, 80, folder, QPageSize(QPageSize::A4), &pages))
            state.SkipWithError("no PDF");
    }
    state.counters["pages"] = pages;
    QFile::remove(path);
}
BENCHMARK(MagazinePlanOf999SlidesToPdfFile)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
