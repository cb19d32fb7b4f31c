#include "dialogs/SearchTermDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMoveEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "res/TableText.h"
#include "res/strings/DialogStrings.h"
#include "res/strings/SearchStrings.h"

namespace vistrel {

namespace {
constexpr int TaskBarRoom = 22;
}  // namespace

SearchTermDialog::SearchTermDialog(const QString& term, bool matchCase, std::array<int, 2>& position, QWidget* parent)
    : QDialog(parent), position_(position) {
    setWindowTitle(tableText(ids::SearchTermCaption));
    setModal(true);
    term_ = new QLineEdit(term);
    term_->setObjectName(QStringLiteral("term"));
    term_->selectAll();
    matchCase_ = new QCheckBox(tableText(ids::MatchCaseLabel));
    matchCase_->setObjectName(QStringLiteral("matchCase"));
    matchCase_->setChecked(matchCase);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(tableText(ids::ButtonOk), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(tableText(ids::ButtonCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(term_);
    layout->addWidget(matchCase_);
    layout->addWidget(buttons);
    resize(std::max(360, sizeHint().width()), sizeHint().height());

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->availableGeometry().size() : QSize(1280, 1024);
    move(placement(position_, size(), screenSize));
    // Moves made by the window system while the dialog comes up are not the user's.
    QTimer::singleShot(0, this, [this] { following_ = true; });
}

SearchTermDialog::~SearchTermDialog() = default;

QString SearchTermDialog::term() const { return term_->text(); }
bool SearchTermDialog::matchCase() const { return matchCase_->isChecked(); }

QPoint SearchTermDialog::placement(const std::array<int, 2>& stored, QSize dialog, QSize screen) {
    const int x = std::max(0, std::min(std::max(0, stored[0]), screen.width() - dialog.width()));
    const int y = std::max(0, std::min(std::max(0, stored[1]), screen.height() - dialog.height() - TaskBarRoom));
    return {x, y};
}

void SearchTermDialog::remember() {
    // The window's outer corner, which is where it is placed again.
    const QPoint corner = frameGeometry().topLeft();
    position_ = {corner.x(), corner.y()};
}

void SearchTermDialog::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (following_) remember();
}

void SearchTermDialog::done(int result) {
    if (following_) remember();
    following_ = false;
    QDialog::done(result);
}

}  // namespace vistrel
