#pragma once
// The progress windows of long transfers and the window of a wait for the projector,
// reached from projector/ without widgets.
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

    // A wait for the projector outside a transfer: the status waits before commands,
    // the module's answer, the search for the projector, the wait at the end of the
    // program. Core code marks where such a wait begins and ends and asks, between its
    // steps, whether the user still wants to wait. The window program shows a window
    // with "Abbrechen" ("Nicht warten" at the end of the program) once the wait lasts
    // longer than a moment; the command line takes Ctrl+C for it. Waits do not nest.
    enum class WaitKind { Ready, Module, Search, EndOfRun };
    virtual void beginWait(WaitKind /*kind*/) {}
    virtual void endWait() {}
    // True once the user has said not to wait any longer. Also keeps the windows alive.
    virtual bool waitCancelled() { return false; }
};

// Marks a wait for the projector for as long as a scope lasts.
class WaitScope {
public:
    WaitScope(ProgressWindows& windows, ProgressWindows::WaitKind kind) : windows_(windows) {
        windows_.beginWait(kind);
    }
    ~WaitScope() { windows_.endWait(); }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

private:
    ProgressWindows& windows_;
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
