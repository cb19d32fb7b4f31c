#pragma once
// The program's one printer: made when first needed, its choice and page setup carry
// over from one print to the next for the whole run.
#include <memory>

class QPrinter;

namespace vistrel {

class ProgramPrinter {
public:
    ProgramPrinter();
    ~ProgramPrinter();
    ProgramPrinter(const ProgramPrinter&) = delete;
    ProgramPrinter& operator=(const ProgramPrinter&) = delete;

    QPrinter& printer();

private:
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace vistrel
