#include "dialogs/HomingWaitDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "res/TableText.h"
#include "res/strings/RunStrings.h"

namespace vistrel {

HomingWaitDialog::HomingWaitDialog(ProjectorProtocol& protocol, RunState& runState, Clock& clock, Hooks hooks,
                                   QWidget* parent)
    : QDialog(parent), wait_(protocol, runState, clock), hooks_(std::move(hooks)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(tableText(ids::HomingCaption));

    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(tableText(ids::HomingText));
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    bar_ = new QProgressBar;
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    layout->addWidget(bar_);
    cancel_ = new QPushButton(tableText(ids::HomingCancel));
    cancel_->setDefault(true);
    layout->addWidget(cancel_, 0, Qt::AlignCenter);
    connect(cancel_, &QPushButton::clicked, this, &HomingWaitDialog::cancelWait);
    setMinimumWidth(260);

    timer_.setInterval(HomingWait::TickMs);
    connect(&timer_, &QTimer::timeout, this, &HomingWaitDialog::tick);
    timer_.start();
}

void HomingWaitDialog::tick() {
    if (wait_.finished()) return;
    // A tick that finds the line busy is simply skipped; the next one comes in 250 ms.
    hooks_.whenLineFree([this] {
        const HomingWait::TickResult result = wait_.tick();
        bar_->setValue(wait_.progress());
        if (result != HomingWait::TickResult::Waiting) finishWindow();
    });
}

void HomingWaitDialog::cancelWait() {
    if (wait_.finished()) return;
    const bool done = hooks_.whenLineFree([this] {
        wait_.cancel();
        finishWindow();
    });
    // Pressed while a sequence is on the line: the next tick would find the wait
    // still open, so take the press up once the line is free.
    if (!done) QTimer::singleShot(HomingWait::TickMs, this, &HomingWaitDialog::cancelWait);
}

void HomingWaitDialog::reject() {
    if (wait_.finished()) {
        QDialog::reject();  // closing after the wait: the window goes
    } else {
        cancelWait();
    }
}

void HomingWaitDialog::finishWindow() {
    timer_.stop();
    if (hooks_.finished) hooks_.finished();
    close();
}

}  // namespace vistrel
