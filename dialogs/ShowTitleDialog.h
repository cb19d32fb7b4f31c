#pragma once
// "Diaschautitel": the show's title, description, storage location and module
// number. The description's continuation is shown joined to it and folded into it
// when the dialog is confirmed. Limits are checked on OK: a text that is too long is
// refused with a message and the dialog stays open.
#include <QDialog>
#include <QString>

class QGridLayout;
class QLineEdit;

namespace vistrel {

class Prompter;

struct ShowTitleTexts {
    QString title;
    QString description;
    QString descriptionContinued;
    QString storageLocation;
    QString moduleNumber;
};

class ShowTitleDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int TitleLimit = 179;
    static constexpr int DescriptionLimit = 179;
    static constexpr int StorageLocationLimit = 19;
    static constexpr int ModuleNumberLimit = 19;

    ShowTitleDialog(const ShowTitleTexts& texts, Prompter& prompter, QWidget* parent = nullptr);

    // What the dialog shows in its description field.
    static QString joinedDescription(const ShowTitleTexts& texts);

    // The texts after OK: the joined description, the continuation empty.
    ShowTitleTexts texts() const { return result_; }

    QLineEdit* titleEdit() const { return title_; }
    QLineEdit* descriptionEdit() const { return description_; }
    QLineEdit* storageLocationEdit() const { return storageLocation_; }
    QLineEdit* moduleNumberEdit() const { return moduleNumber_; }

public slots:
    void accept() override;

private:
    QLineEdit* addField(QGridLayout* grid, int row, int labelId, const QString& text, int limit);
    // Refuses the first field over its limit with the message; true when all fit.
    bool checkLimits();

    Prompter& prompter_;
    QLineEdit* title_ = nullptr;
    QLineEdit* description_ = nullptr;
    QLineEdit* storageLocation_ = nullptr;
    QLineEdit* moduleNumber_ = nullptr;
    ShowTitleTexts result_;
};

}  // namespace vistrel
