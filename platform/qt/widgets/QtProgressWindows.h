#pragma once
// The progress windows of long show transfers as real, modeless dialogs: the write
// progress with its bar, the read progress with the number of the line being read, and
// the module window; and the window of a wait for the projector (ProjectorWaitDialog). The transfer only sets counters; each open window picks them up
// on its own 200 ms timer, which runs whenever the transfer drains the event queue.
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <functional>
#include <optional>

#include "platform/ProgressWindows.h"
#include "platform/qt/widgets/ProjectorWaitDialog.h"

class QLabel;
class QProgressBar;
class QTimer;

namespace vistrel {

// One progress dialog: a text, optionally a bar or a line number, a 200 ms timer that
// asks its owner for fresh values, the wait cursor and the mouse captured while it is up.
class TransferProgressDialog final : public QDialog {
public:
    enum class Kind { Bar, LineNumber, TextOnly };

    TransferProgressDialog(QWidget* parent, Kind kind, const QString& title, const QString& text,
                           std::function<void(TransferProgressDialog&)> onTick);
    ~TransferProgressDialog() override;

    // Shows the dialog, captures the mouse, sets the wait cursor and starts the timer.
    void begin();
    // Stops the timer, releases the mouse, ends the wait cursor and hides the dialog.
    void finish();

    void setBarRange(int total);
    void setBarValue(int value);
    void setLineNumber(int number);

    QProgressBar* bar() const { return bar_; }
    QLabel* lineNumberLabel() const { return lineNumber_; }

protected:
    bool event(QEvent* event) override;
    // Escape must not hide a window whose transfer is still running.
    void reject() override {}

private:
    void capture();
    void release();

    QProgressBar* bar_ = nullptr;
    QLabel* lineNumber_ = nullptr;
    QTimer* timer_ = nullptr;
    std::function<void(TransferProgressDialog&)> onTick_;
    bool captured_ = false;
    bool running_ = false;
};

class QtProgressWindows final : public ProgressWindows {
public:
    explicit QtProgressWindows(QWidget* parent = nullptr);
    ~QtProgressWindows() override;

    void openWriteProgress(int totalBytes) override;
    void setWriteProgress(int bytesDone) override;
    void closeWriteProgress() override;

    void openReadProgress() override;
    void setReadLine(int lineNumber) override;
    void closeReadProgress() override;

    void openModuleWindow(bool reading) override;
    void closeModuleWindow() override;

    // The wait window comes up once a wait has lasted ShowWaitAfterMs: a wait that the
    // projector answers at once (nearly every one) shows nothing.
    static constexpr int ShowWaitAfterMs = 300;
    void beginWait(WaitKind kind) override;
    void endWait() override;
    bool waitCancelled() override;

    // The application's busy flag: true while any progress window is up.
    bool busy() const { return write_ || read_ || module_ || wait_; }
    // Told whenever busy() changes, so the window program can block its commands.
    std::function<void(bool)> onBusyChanged;

    // The open windows, or null.
    TransferProgressDialog* writeWindow() const { return write_; }
    TransferProgressDialog* readWindow() const { return read_; }
    TransferProgressDialog* moduleWindow() const { return module_; }
    ProjectorWaitDialog* waitWindow() const { return wait_; }

    // The parent of windows opened from now on (the main window once it exists).
    void setParent(QWidget* parent) { parent_ = parent; }

private:
    // A window may have a parent that deletes it first (the main window at program end);
    // the guarded pointer then simply becomes null.
    using DialogPtr = QPointer<TransferProgressDialog>;
    void open(DialogPtr& slot, TransferProgressDialog* dialog);
    void close(DialogPtr& slot);

    void showWaitWindow();

    QWidget* parent_;
    DialogPtr write_;
    DialogPtr read_;
    DialogPtr module_;
    QPointer<ProjectorWaitDialog> wait_;
    int writeDone_ = 0;
    int readLine_ = 0;
    // The wait going on, since when, and whether its window's button was pressed.
    std::optional<WaitKind> waitKind_;
    QElapsedTimer waitClock_;
    bool waitCancelled_ = false;
};

}  // namespace vistrel
