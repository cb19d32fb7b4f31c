// The print subcommand of vistrel-cli: "Drucken" of a show on a PDF printer, with the
// same pages as the window program prints on paper. Built only where the print
// library is (it needs fonts, so QtGui).
#include <QFileInfo>
#include <QPageSize>
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

int runPrint(const CommandLine& line) {
    const std::string pageSizeName = line.value("page-size").value_or("A4");
    const std::optional<QPageSize> pageSize = pageSizeNamed(pageSizeName);
    if (!pageSize) return line.usageError("--page-size takes A4 or Letter, not '" + pageSizeName + "'");
    const std::string file = line.positional(0);
    const std::string pdf = *line.value("pdf");
    if (pdf.empty()) return line.usageError("--pdf needs a file name");

    ConsolePrompter prompter;
    const auto doc = readShowAsTheWindowProgramDoes(file, prompter);
    if (!doc) return 1;
    const Settings settings = readSettings(settingsFilePath().toStdString());
    doc->windowTitle = QFileInfo(QString::fromStdString(file)).fileName().toStdString();

    print::PrintOptions options;
    options.columnWidths = settings.columnWidths;
    options.sfCodesAsText = line.flag("sf-text", settings.sfCodesAsText);
    TerminalProgress progress;
    int pages = 0;
    const bool written = print::writeShowPdf(
        QString::fromStdString(pdf), *doc, options, *pageSize,
        [&progress](int page, int count) {
            progress.show("Drucken: Seite " + std::to_string(page) + " von " + std::to_string(count));
        },
        &pages);
    progress.clear();
    if (!written) {
        prompter.showMessage(ids::FileSaveFailed, MessageIcon::Exclamation, MessageButtons::Ok);
        return 1;
    }
    // The printed page table ends at page 110; say so rather than hand over a short PDF silently.
    if (pages > print::LastPageWithLines)
        prompter.showMessage(ids::PrintPagesCut, MessageIcon::Exclamation, MessageButtons::Ok);
    return 0;
}

const CommandRegistration printCommand{{
    .name = "print",
    .positionals = {"FILE"},
    .options = {requiredValueOption("pdf", "OUT.pdf", "the PDF file to write (replaced only once it is complete)"),
                zeroOrOneOption("sf-text", "print special-function codes as text (1) or as numbers (0), as the "
                                           "setting \"Sonderfunktioncodes durch Text ersetzen\" does (default: "
                                           "the settings' value)"),
                valueOption("page-size", "A4|Letter", "the paper, portrait (default A4)")},
    .summary = "Reads the show FILE as \"Öffnen\" reads it and prints it as \"Drucken\" does, on a PDF printer: "
               "the same pages, header, rows, rules and footer as on paper, one PDF page per printed page. The "
               "column widths are those of the program list in the settings.",
    .notes = "The settings are read from vistrel.def where the window program keeps them (VISTREL_CONFIG_DIR "
             "chooses another folder). A show longer than 109 printed pages is printed up to page 110, with a "
             "note on stderr. No display is needed.",
    .exitCodes = {{0, "printed"},
                  {1, "the show could not be read or the PDF not written (the program's German message on stderr)"},
                  {2, "usage error"}},
    .run = runPrint,
}};

}  // namespace

}  // namespace vistrel::cli
