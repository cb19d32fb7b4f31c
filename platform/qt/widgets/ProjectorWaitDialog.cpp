#include "platform/qt/widgets/ProjectorWaitDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vistrel {

ProjectorWaitDialog::ProjectorWaitDialog(QWidget* parent, const QString& title, const QString& text,
                                         const QString& buttonText)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(title);
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(text, this);
    text_->setAlignment(Qt::AlignCenter);
    layout->addWidget(text_);
    auto* bar = new QProgressBar(this);
    bar->setRange(0, 0);  // runs for as long as the program handles its windows
    bar->setTextVisible(false);
    layout->addWidget(bar);
    button_ = new QPushButton(buttonText, this);
    button_->setAutoDefault(false);
    layout->addWidget(button_, 0, Qt::AlignCenter);
    connect(button_, &QPushButton::clicked, this, &ProjectorWaitDialog::cancel);
    setMinimumWidth(340);
}

QString ProjectorWaitDialog::text() const { return text_->text(); }

void ProjectorWaitDialog::cancel() {
    cancelled_ = true;
    // Pressed once is enough; the wait ends at its next step.
    button_->setEnabled(false);
}

}  // namespace vistrel
