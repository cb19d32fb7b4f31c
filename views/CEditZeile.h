#pragma once
// The line editor above the program list: shows one program line (the current one,
// or a new line prefilled from the line before it), lets the user change it with
// fields, spins, sliders and two selection lists, and stores it with "Übernehmen".
// It loads its line again whenever the document says the line moved or changed; the
// rules for what it may store are the line's draft (model/LineDraft), and storing it
// is one step of the show's history (ApplyLineCommand).
#include <QString>
#include <QWidget>
#include <memory>

#include "model/CVistrelDoc.h"

namespace Ui {
class EditZeile;
}

namespace vistrel {

class EditorFieldCommands;
class FunctionLists;
class ShowHistory;
struct ViewServices;

class CEditZeile : public QWidget, public DocumentView {
    Q_OBJECT

public:
    // Edits `history`'s show; every line it stores is a step of that history.
    CEditZeile(ShowHistory& history, ViewServices& services, QWidget* parent = nullptr);
    ~CEditZeile() override;

    // DocumentView: the document changed; the fields follow when the line did.
    void documentChanged(const DocumentChange& change) override;

    // The total time, the first set-up, and the fields from the document's current
    // line when `lineChanged` or on the first reload.
    void reload(bool lineChanged = false);
    // "Übernehmen": checks every field and stores the line; false when a value was refused.
    bool apply();
    // The total time "Gesamtzeit :" (also called after the settings changed).
    void showTotalTime();
    // Sets the timer and dissolve sliders from the fields with the current mapping
    // (after the slider or 500-watt option changed).
    void remapSliders();

    // Edit commands of the "Bearbeiten" menu, acting on the field that has the focus.
    bool handleCommand(int commandId);
    bool isCommandEnabled(int commandId) const;

    // The form's controls, for the window that embeds it and for tests.
    Ui::EditZeile& ui() { return *ui_; }

protected:
    bool event(QEvent* event) override;

private:
    // The form's members are copied to and from the controls explicitly.
    void readFields();
    void writeFields();

    void composeCode();
    void selectLoadedFunction(int mechanical, int light, int parameter);
    void showLoadedCode(int code);

    void onParameterEdited();
    void onTimeEdited(bool dissolve);
    void onFunctionSelected();
    void onDissolveSlider(int position);
    void onTimerSlider(int position);
    void onParameterSlider(int position);
    void onDissolveSpin(int position);
    void onTimerSpin(int position);
    void onFocusChanged(QWidget* old, QWidget* now);

    void setupSliders();
    void showTimes(double dissolveSeconds, double timerSeconds);
    bool logarithmic() const;
    bool focusAllowed() const;

    CVistrelDoc& doc_;
    ShowHistory& history_;
    ViewServices& services_;
    std::unique_ptr<Ui::EditZeile> ui_;
    std::unique_ptr<FunctionLists> functions_;
    std::unique_ptr<EditorFieldCommands> fieldCommands_;

    bool sliderInit_ = true;
    bool firstUpdate_ = true;
    bool spinsLoaded_ = false;
    // Above 0 while the form writes its own controls, so the change handlers keep still.
    int writingControls_ = 0;

    int lightIndex_ = 0;
    QString programNumberText_;
    QString codeText_ = QStringLiteral("000");
    QString descriptionText_;
    QString timerText_;
    QString dissolveText_ = QStringLiteral("  2.5");
    QString parameterText_ = QStringLiteral("1");
    QString slideNumberText_ = QStringLiteral("1");
    int mechanicalIndex_ = 0;
};

}  // namespace vistrel
