#include "dialogs/AboutDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "dialogs/CStaticLink.h"
#include "res/TableText.h"
#include "res/strings/DialogStrings.h"

namespace vistrel {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tableText(ids::AboutCaption));
    setModal(true);

    auto* icon = new QLabel;
    icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* program = new QLabel(tableText(ids::AboutProgramVersion));
    auto* maker = new QLabel(tableText(ids::AboutMaker));
    link_ = new CStaticLink(tableText(ids::AboutWebAddress));
    link_->setObjectName(QStringLiteral("link1054"));
    link_->setCursor(Qt::ArrowCursor);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(tableText(ids::ButtonOk), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 3, 1);
    grid->addWidget(program, 0, 1);
    grid->addWidget(maker, 1, 1);
    grid->addWidget(link_, 2, 1);
    grid->addWidget(buttons, 0, 2, 3, 1, Qt::AlignTop);
    grid->setHorizontalSpacing(18);
    setFixedSize(sizeHint());
}

}  // namespace vistrel
