#include "dialogs/ShowTitleDialog.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include "platform/Prompter.h"
#include "res/TableText.h"
#include "res/strings/DialogStrings.h"

namespace vistrel {

namespace {

int characterCount(const QString& text) { return static_cast<int>(text.size()); }

// While typing, a field takes no more than its limit. A text that was already longer
// when the dialog opened (a long description joined to its continuation) is left as it
// is, so that OK can refuse it instead of cutting it off unseen; it can only shrink.
void limitTyping(QLineEdit* edit, int limit) {
    auto apply = [edit, limit] { edit->setMaxLength(std::max(limit, characterCount(edit->text()))); };
    apply();
    QObject::connect(edit, &QLineEdit::textChanged, edit, apply);
}


// The width a field needs to show `count` of the font's widest letters with its frame,
// margins and cursor, measured as the field measures itself.
int widthForCharacters(QLineEdit* edit, int count) {
    const QFontMetrics metrics = edit->fontMetrics();
    const int widest = std::max(metrics.horizontalAdvance(QLatin1Char('W')), metrics.horizontalAdvance(QLatin1Char('M')));
    const QMargins text = edit->textMargins();
    const QMargins contents = edit->contentsMargins();
    constexpr int InnerMargin = 2;  // the field's own space left and right of its text
    constexpr int Cursor = 1;
    const int width = widest * count + 2 * InnerMargin + Cursor + text.left() + text.right() + contents.left() +
                      contents.right();
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(width, metrics.height()), edit).width();
}

}  // namespace

ShowTitleDialog::ShowTitleDialog(const ShowTitleTexts& texts, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), result_(texts) {
    setWindowTitle(tableText(ids::TitleDialogCaption));
    setModal(true);

    auto* grid = new QGridLayout;
    title_ = addField(grid, 0, ids::TitleLabel, texts.title, TitleLimit);
    description_ = addField(grid, 1, ids::DescriptionLabel, joinedDescription(texts), DescriptionLimit);
    storageLocation_ = addField(grid, 2, ids::StorageLocationLabel, texts.storageLocation, StorageLocationLimit);
    moduleNumber_ = addField(grid, 3, ids::ModuleNumberLabel, texts.moduleNumber, ModuleNumberLimit);
    // The two short fields show all of their 19 characters, however wide, and no more.
    for (QLineEdit* edit : {storageLocation_, moduleNumber_}) edit->setFixedWidth(widthForCharacters(edit, 19));

    // The only button is OK; Escape and the close box cancel.
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(tableText(ids::ButtonOk), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &ShowTitleDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    resize(560, sizeHint().height());
}

QString ShowTitleDialog::joinedDescription(const ShowTitleTexts& texts) {
    if (texts.descriptionContinued.isEmpty()) return texts.description;
    return texts.description + QLatin1Char(' ') + texts.descriptionContinued;
}

QLineEdit* ShowTitleDialog::addField(QGridLayout* grid, int row, int labelId, const QString& text, int limit) {
    auto* label = new QLabel(tableText(labelId));
    auto* edit = new QLineEdit(text);
    limitTyping(edit, limit);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    // The two short fields keep to the left instead of floating in the middle.
    grid->addWidget(edit, row, 1, limit < 100 ? Qt::AlignLeft : Qt::Alignment());
    grid->setColumnStretch(1, 1);
    return edit;
}

bool ShowTitleDialog::checkLimits() {
    const struct {
        QLineEdit* edit;
        int limit;
    } fields[] = {{title_, TitleLimit},
                  {description_, DescriptionLimit},
                  {storageLocation_, StorageLocationLimit},
                  {moduleNumber_, ModuleNumberLimit}};
    for (const auto& field : fields) {
        if (characterCount(field.edit->text()) <= field.limit) continue;
        const QString message = tableText(ids::TooManyCharacters).arg(field.limit);
        prompter_.showMessage(message.toStdString(), MessageIcon::Exclamation, MessageButtons::Ok);
        field.edit->setFocus();
        field.edit->selectAll();
        return false;
    }
    return true;
}

void ShowTitleDialog::accept() {
    if (!checkLimits()) return;
    result_.title = title_->text();
    result_.description = description_->text();
    result_.descriptionContinued.clear();
    result_.storageLocation = storageLocation_->text();
    result_.moduleNumber = moduleNumber_->text();
    QDialog::accept();
}

}  // namespace vistrel
