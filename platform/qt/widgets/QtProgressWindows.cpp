#include "platform/qt/widgets/QtProgressWindows.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/qt/widgets/ProjectorWaitDialog.h"
#include "res/TableText.h"
#include "res/strings/DialogStrings.h"
#include "res/strings/ProjectorStrings.h"
#include "res/strings/SafetyStrings.h"
#include "res/strings/WaitStrings.h"

namespace vistrel {

namespace {

constexpr int TickMs = 200;

}  // namespace

// --- TransferProgressDialog ------------------------------------------------------------

TransferProgressDialog::TransferProgressDialog(QWidget* parent, Kind kind, const QString& title,
                                               const QString& text,
                                               std::function<void(TransferProgressDialog&)> onTick)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), onTick_(std::move(onTick)) {
    setWindowTitle(title);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    if (kind == Kind::LineNumber) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(tableText(ids::ReadLineLabel), this));
        lineNumber_ = new QLabel(this);
        lineNumber_->setObjectName(QStringLiteral("lineNumber"));
        row->addWidget(lineNumber_);
        row->addStretch();
        layout->addLayout(row);
    }
    if (kind == Kind::Bar) {
        bar_ = new QProgressBar(this);
        bar_->setObjectName(QStringLiteral("progressBar"));
        bar_->setTextVisible(false);
        bar_->setRange(0, 0);
        layout->addWidget(bar_);
    }
    layout->addWidget(new QLabel(text, this));
    setMinimumWidth(320);

    timer_ = new QTimer(this);
    timer_->setInterval(TickMs);
    QObject::connect(timer_, &QTimer::timeout, this, [this] {
        if (onTick_) onTick_(*this);
    });
}

TransferProgressDialog::~TransferProgressDialog() { finish(); }

void TransferProgressDialog::begin() {
    if (running_) return;
    running_ = true;
    show();
    raise();
    capture();
    timer_->start();
}

void TransferProgressDialog::finish() {
    if (!running_) return;
    running_ = false;
    timer_->stop();
    release();
    hide();
}

void TransferProgressDialog::capture() {
    if (captured_) return;
    captured_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    grabMouse();
}

void TransferProgressDialog::release() {
    if (!captured_) return;
    captured_ = false;
    releaseMouse();
    QApplication::restoreOverrideCursor();
}

bool TransferProgressDialog::event(QEvent* event) {
    // A message box raised in the middle of a transfer (a failure report) must get the
    // mouse and a normal cursor, or its button could not be clicked.
    if (running_ && event->type() == QEvent::WindowBlocked) release();
    if (running_ && event->type() == QEvent::WindowUnblocked) capture();
    return QDialog::event(event);
}

void TransferProgressDialog::setBarRange(int total) {
    if (bar_) bar_->setRange(0, std::max(total, 0));
}

void TransferProgressDialog::setBarValue(int value) {
    if (bar_) bar_->setValue(std::clamp(value, bar_->minimum(), bar_->maximum()));
}

void TransferProgressDialog::setLineNumber(int number) {
    if (lineNumber_) lineNumber_->setNum(number);
}

// --- QtProgressWindows -------------------------------------------------------------------

QtProgressWindows::QtProgressWindows(QWidget* parent) : parent_(parent) {}

QtProgressWindows::~QtProgressWindows() {
    delete write_.data();
    delete read_.data();
    delete module_.data();
    delete wait_.data();
}

void QtProgressWindows::open(DialogPtr& slot, TransferProgressDialog* dialog) {
    const bool wasBusy = busy();
    delete slot.data();  // a window opened twice is replaced, not stacked
    slot = dialog;
    slot->begin();
    if (!wasBusy && onBusyChanged) onBusyChanged(true);
}

void QtProgressWindows::close(DialogPtr& slot) {
    if (!slot) return;
    delete slot.data();  // finishes: releases the mouse and the cursor
    slot = nullptr;
    if (!busy() && onBusyChanged) onBusyChanged(false);
}

void QtProgressWindows::openWriteProgress(int totalBytes) {
    writeDone_ = 0;
    auto* dialog = new TransferProgressDialog(
        parent_, TransferProgressDialog::Kind::Bar, tableText(ids::WriteProgressTitle), tableText(ids::PleaseWaitText),
        [this](TransferProgressDialog& window) { window.setBarValue(writeDone_); });
    dialog->setBarRange(totalBytes);
    dialog->setBarValue(0);
    open(write_, dialog);
}

void QtProgressWindows::setWriteProgress(int bytesDone) { writeDone_ = bytesDone; }

void QtProgressWindows::closeWriteProgress() { close(write_); }

void QtProgressWindows::openReadProgress() {
    readLine_ = 1;
    auto* dialog = new TransferProgressDialog(
        parent_, TransferProgressDialog::Kind::LineNumber, tableText(ids::ReadProgressTitle),
        tableText(ids::PleaseWaitText), [this](TransferProgressDialog& window) { window.setLineNumber(readLine_); });
    dialog->setLineNumber(readLine_);
    open(read_, dialog);
}

void QtProgressWindows::setReadLine(int lineNumber) { readLine_ = lineNumber; }

void QtProgressWindows::closeReadProgress() { close(read_); }

void QtProgressWindows::openModuleWindow(bool reading) {
    const QString title = tableText(reading ? ids::ReadingFromModuleTitle : ids::ModuleWindowTitle);
    open(module_, new TransferProgressDialog(parent_, TransferProgressDialog::Kind::TextOnly, title,
                                             tableText(ids::ModulePleaseWaitText), nullptr));
}

void QtProgressWindows::closeModuleWindow() { close(module_); }

void QtProgressWindows::beginWait(WaitKind kind) {
    waitKind_ = kind;
    waitCancelled_ = false;
    waitClock_.start();
}

void QtProgressWindows::endWait() {
    waitKind_.reset();
    waitCancelled_ = false;
    if (!wait_) return;
    delete wait_.data();
    wait_ = nullptr;
    if (!busy() && onBusyChanged) onBusyChanged(false);
}

bool QtProgressWindows::waitCancelled() {
    if (!waitKind_) return false;
    if (!wait_ && !waitCancelled_ && waitClock_.elapsed() >= ShowWaitAfterMs) showWaitWindow();
    if (wait_ && wait_->cancelled()) waitCancelled_ = true;
    return waitCancelled_;
}

void QtProgressWindows::showWaitWindow() {
    QString title = tableText(ids::WaitCaption);
    QString text = tableText(ids::WaitReadyText);
    QString button = tableText(ids::WaitCancel);
    switch (*waitKind_) {
        case WaitKind::Ready: break;
        case WaitKind::Module: text = tableText(ids::WaitModuleText); break;
        case WaitKind::Search: text = tableText(ids::WaitSearchText); break;
        case WaitKind::EndOfRun:
            title = tableText(ids::EndOfRunWaitTitle);
            text = tableText(ids::EndOfRunWaitText);
            button = tableText(ids::WaitDontWait);
            break;
    }
    const bool wasBusy = busy();
    wait_ = new ProjectorWaitDialog(parent_, title, text, button);
    // A transfer window that holds the mouse lets go of it for a modal window only.
    if (QWidget::mouseGrabber() != nullptr) wait_->setWindowModality(Qt::ApplicationModal);
    wait_->show();
    wait_->raise();
    // Painted now, not only after the next step of the wait, which may take a while.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!wasBusy && onBusyChanged) onBusyChanged(true);
}

}  // namespace vistrel
