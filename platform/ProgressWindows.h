#pragma once
// The progress windows of long transfers, reached from projector/ without widgets.
#include <string>

namespace vistrel {

class ProgressWindows {
public:
    virtual ~ProgressWindows() = default;

    // Write progress ("Schreiben der Diaschau in den Projektor"): a bar 0..total bytes.
    virtual void openWriteProgress(int totalBytes) = 0;
    virtual void setWriteProgress(int bytesDone) = 0;
    virtual void closeWriteProgress() = 0;

    // Read progress ("Diaschau aus den Projektor lesen"): "Lese Zeile :" and a number.
    virtual void openReadProgress() = 0;
    virtual void setReadLine(int lineNumber) = 0;
    virtual void closeReadProgress() = 0;

    // Module window ("Daten werden ins Modul übertragen"); its title changes when reading.
    virtual void openModuleWindow(bool reading) = 0;
    virtual void closeModuleWindow() = 0;

    // A window that only says what the program is waiting for (UTF-8 texts), for waits
    // outside a transfer, such as the projector at the end of the run. Headless: nothing.
    virtual void openWaitWindow(const std::string& /*title*/, const std::string& /*text*/) {}
    virtual void closeWaitWindow() {}
};

// Headless: no windows.
class NoProgressWindows final : public ProgressWindows {
public:
    void openWriteProgress(int) override {}
    void setWriteProgress(int) override {}
    void closeWriteProgress() override {}
    void openReadProgress() override {}
    void setReadLine(int) override {}
    void closeReadProgress() override {}
    void openModuleWindow(bool) override {}
    void closeModuleWindow() override {}
};

}  // namespace vistrel
