#include "app/ProgramPrinter.h"

#include <QPrinter>

#include "views/ListPrinting.h"

namespace vistrel {

ProgramPrinter::ProgramPrinter() = default;

ProgramPrinter::~ProgramPrinter() = default;

QPrinter& ProgramPrinter::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The page starts at the corner of the printable area, as it always has; margins
        // set in the page setup narrow the table from there.
        print::useWholePrintableArea(*printer_);
    }
    return *printer_;
}

}  // namespace vistrel
