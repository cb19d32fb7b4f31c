// The printing subcommands of vistrel-cli: "Drucken" of a show and its magazine plan
// on a PDF printer, with the same pages as the window program prints on paper. Built
// only where the print library is (it needs fonts, so QtGui).
#include <QFileInfo>
#include <QPageSize>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli/CommandRegistry.h"
#include "cli/ConsolePrompter.h"
#include "cli/ShowFileOptions.h"
#include "cli/TerminalProgress.h"
#include "model/CVistrelDoc.h"
#include "model/Settings.h"
#include "model/ShowFile.h"
#include "platform/qt/core/AppPaths.h"
#include "print/MagazinePlan.h"
#include "print/PrintJob.h"
#include "res/strings/ModelStrings.h"
#include "res/strings/PrintStrings.h"

namespace vistrel::cli {

namespace {

std::optional<QPageSize> pageSizeNamed(const std::string& name) {
    const QString wanted = QString::fromStdString(name);
    if (wanted.compare(QStringLiteral("A4"), Qt::CaseInsensitive) == 0) return QPageSize(QPageSize::A4);
    if (wanted.compare(QStringLiteral("Letter"), Qt::CaseInsensitive) == 0) return QPageSize(QPageSize::Letter);
    return std::nullopt;
}

// What both printing commands do around their pages: FILE read as "Öffnen" reads it,
// never written over (the PDF would take its place), the PDF named on --pdf written by
// `write` and a failure told. `write` gets the show, its title set to the file's name.
int printToPdf(const CommandLine& line, const std::function<bool(const CVistrelDoc&, const QString& pdf)>& write) {
    const std::string file = line.positional(0);
    const std::string pdf = *line.value("pdf");
    if (pdf.empty()) return line.usageError("--pdf needs a file name");

    ConsolePrompter prompter;
    if (const int refused = refuseOutputOverInput(file, pdf, "the PDF")) return refused;
    const auto doc = readShowAsTheWindowProgramDoes(file, prompter);
    if (!doc) return 1;
    doc->windowTitle = QFileInfo(QString::fromStdString(file)).fileName().toStdString();
    if (!write(*doc, QString::fromStdString(pdf))) {
        prompter.setSubject(pdf);
        prompter.showMessage(ids::FileSaveFailed, MessageIcon::Exclamation, MessageButtons::Ok);
        return 1;
    }
    return 0;
}

int runPrint(const CommandLine& line) {
    const std::string pageSizeName = line.value("page-size").value_or("A4");
    const std::optional<QPageSize> pageSize = pageSizeNamed(pageSizeName);
    if (!pageSize) return line.usageError("--page-size takes A4 or Letter, not '" + pageSizeName + "'");
    return printToPdf(line, [&](const CVistrelDoc& doc, const QString& pdf) {
        const Settings settings = readSettings(settingsFilePath().toStdString());
        print::PrintOptions options;
        options.columnWidths = settings.columnWidths;
        options.sfCodesAsText = line.flag("sf-text", settings.sfCodesAsText);
        if (line.has("pictures")) options.pictureFolder = pictureFolderFor(line, line.positional(0));
        TerminalProgress progress;
        const bool written = print::writeShowPdf(pdf, doc, options, *pageSize, [&progress](int page, int count) {
            progress.show("Drucken: Seite " + std::to_string(page) + " von " + std::to_string(count));
        });
        progress.clear();
        return written;
    });
}

const CommandRegistration printCommand{{
    .name = "print",
    .positionals = {"FILE"},
    .options = {requiredValueOption("pdf", "OUT.pdf", "the PDF file to write (replaced only once it is complete)"),
                zeroOrOneOption("sf-text", "print special-function codes as text (1) or as numbers (0), as the "
                                           "setting \"Sonderfunktioncodes durch Text ersetzen\" does (default: "
                                           "the settings' value)"),
                valueOption("page-size", "A4|Letter", "the paper, portrait (default A4)"),
                switchOption("pictures", "print each row with a small picture of its slide; rows grow to the "
                                         "picture's height"),
                imagesOption()},
    .summary = "Reads the show FILE as \"Öffnen\" reads it and prints it as \"Drucken\" does, on a PDF printer: "
               "the same pages, header, rows, rules and footer as on paper, one PDF page per printed page. The "
               "column widths are those of the program list in the settings.",
    .notes = "The settings are read from vistrel.def where the window program keeps them (VISTREL_CONFIG_DIR "
             "chooses another folder). Every line is printed, however many pages it takes. OUT.pdf must not be "
             "FILE itself (also not by way of a link): that is refused. No display is needed. With --pictures a "
             "slide whose folder has no picture for it (or one that cannot be read) keeps its row as it is; "
             "--images alone changes nothing.",
    .exitCodes = {{0, "printed"},
                  {1, "the show could not be read, OUT.pdf is FILE, or the PDF could not be written (the "
                      "program's German message on stderr)"},
                  {2, "usage error"}},
    .run = runPrint,
}};

// The magazine size of --slots: one of those magazines are made in.
std::optional<int> magazineSize(const std::optional<std::string>& text) {
    if (!text) return print::DefaultMagazineSize;
    for (const int size : print::MagazineSizes) {
        if (*text == std::to_string(size)) return size;
    }
    return std::nullopt;
}

int runMagazine(const CommandLine& line) {
    const std::optional<int> magazineSlots = magazineSize(line.value("slots"));
    if (!magazineSlots) return line.usageError("--slots takes 50, 80, 100 or 140, not '" + *line.value("slots") + "'");
    return printToPdf(line, [&](const CVistrelDoc& doc, const QString& pdf) {
        return print::writeMagazinePdf(pdf, doc, *magazineSlots, pictureFolderFor(line, line.positional(0)),
                                       QPageSize(QPageSize::A4));
    });
}

const CommandRegistration magazineCommand{{
    .name = "magazine",
    .positionals = {"FILE"},
    .options = {requiredValueOption("pdf", "OUT", "the PDF file to write (replaced only once it is complete)"),
                imagesOption(),
                valueOption("slots", "N", "slides to a magazine: 50, 80, 100 or 140 (default 80)")},
    .summary = "Reads the show FILE as \"Öffnen\" reads it and prints its magazine plan as \"Magazinplan "
               "drucken...\" does, on an A4 PDF printer: the slots from 1 to the highest slide number the show "
               "uses, N to a magazine, each with its number, the slide's picture, the description of the first "
               "line showing it and how many lines show it; a slot no line uses reads \"leer\". Each magazine "
               "starts a new page headed \"Magazin 2, Dias 81–160\".",
    .notes = "Slide 0 (dark) is no slot. A slot whose slide has no picture in the folder (or one that cannot be "
             "read) shows none. OUT must not be FILE itself (also not by way of a link): that is refused. No "
             "display is needed.",
    .exitCodes = {{0, "printed"},
                  {1, "the show could not be read, OUT is FILE, or the PDF could not be written (the program's "
                      "German message on stderr)"},
                  {2, "usage error"}},
    .run = runMagazine,
}};

}  // namespace

}  // namespace vistrel::cli
