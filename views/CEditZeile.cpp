#include "views/CEditZeile.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

#include "edits/ApplyLineCommand.h"
#include "edits/ShowHistory.h"
#include "model/Cp1252.h"
#include "model/ShowLength.h"
#include "model/SpecialFunction.h"
#include "platform/Prompter.h"
#include "res/strings/ModelStrings.h"
#include "ui_EditZeile.h"
#include "views/EditorFieldCommands.h"
#include "views/EditorKeys.h"
#include "views/EditorValues.h"
#include "views/FunctionLists.h"
#include "views/SliderMapping.h"
#include "views/ViewEvents.h"
#include "views/ViewServices.h"

namespace vistrel {

namespace {

constexpr int LastEditableLine = MaxProgramLines - 1;
constexpr double DefaultDissolveSeconds = 2.5;

// True when the two selection lists can show the code's function digits.
bool fitsSelectionLists(int code) {
    const SpecialFunctionParts parts = splitSpecialFunction(code);
    return code >= 0 && parts.mechanical < MechanicalFunctionCount && parts.light < LightFunctionCount;
}

void setTextIfDifferent(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
}

int wholeSeconds(double seconds) { return static_cast<int>(std::trunc(std::clamp(seconds, -1e6, 1e6))); }

}  // namespace

CEditZeile::CEditZeile(ShowHistory& history, ViewServices& services, QWidget* parent)
    : QWidget(parent),
      doc_(history.document()),
      history_(history),
      services_(services),
      ui_(std::make_unique<Ui::EditZeile>()) {
    ui_->setupUi(this);
    Ui::EditZeile& f = *ui_;

    functions_ = std::make_unique<FunctionLists>(*f.mechanicalList, *f.lightList, *f.parameterEdit,
                                                 *f.parameterSlider, *f.parameterLabel);
    f.totalTimeCaption->hide();

    // Each field takes only what it can hold: digits, and in the times one decimal point
    // or comma. The blanks in front are the ones the times are shown with ("  4.0").
    auto accept = [this](QLineEdit* edit, const char* pattern) {
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(pattern)), edit));
    };
    accept(f.slideNumberEdit, "[0-9]*");
    accept(f.parameterEdit, "[0-9]*");
    accept(f.dissolveEdit, " *[0-9]*[.,]?[0-9]*");
    accept(f.timerEdit, " *[0-9]*[.,]?[0-9]*");

    f.slideNumberSpin->setRange(0, 999);
    f.dissolveSpin->setRange(0, 25);
    f.timerSpin->setRange(0, 600);

    timerText_ = formatSeconds(services_.settings.defaultTimer() * 0.1);
    programNumberText_ = QString::asprintf("%03d", std::min(doc_.lineCount + 1, MaxProgramLines));
    writeFields();
    f.parameterEdit->setEnabled(false);
    f.parameterSlider->setEnabled(false);

    connect(f.slideNumberEdit, &QLineEdit::textEdited, this, [this] {
        readFields();
        ui_->slideNumberSpin->setPosition(readInteger(slideNumberText_));
    });
    connect(f.dissolveEdit, &QLineEdit::textEdited, this, [this] { onTimeEdited(true); });
    connect(f.timerEdit, &QLineEdit::textEdited, this, [this] { onTimeEdited(false); });
    connect(f.parameterEdit, &QLineEdit::textEdited, this, &CEditZeile::onParameterEdited);
    connect(f.descriptionEdit, &QPlainTextEdit::textChanged, this, [this] {
        if (writingControls_) return;
        const QString kept = oneLineDescription(ui_->descriptionEdit->toPlainText());
        if (kept != ui_->descriptionEdit->toPlainText()) {
            ++writingControls_;
            ui_->descriptionEdit->setPlainText(kept);
            ui_->descriptionEdit->moveCursor(QTextCursor::End);
            --writingControls_;
        }
        descriptionText_ = kept;
    });
    connect(f.mechanicalList, &QComboBox::currentIndexChanged, this, [this] { onFunctionSelected(); });
    connect(f.lightList, &QComboBox::currentIndexChanged, this, [this] { onFunctionSelected(); });
    connect(f.dissolveSlider, &QSlider::valueChanged, this, &CEditZeile::onDissolveSlider);
    connect(f.timerSlider, &QSlider::valueChanged, this, &CEditZeile::onTimerSlider);
    connect(f.parameterSlider, &QSlider::valueChanged, this, &CEditZeile::onParameterSlider);
    connect(f.slideNumberSpin, &SpinButton::stepped, this, [this](int position) {
        readFields();
        slideNumberText_ = QString::asprintf("%d", position);
        writeFields();
    });
    connect(f.dissolveSpin, &SpinButton::stepped, this, &CEditZeile::onDissolveSpin);
    connect(f.timerSpin, &SpinButton::stepped, this, &CEditZeile::onTimerSpin);
    connect(f.applyButton, &QPushButton::clicked, this, [this] { apply(); });
    // "Übernehmen" is the form's default button: Enter in a field stores the line.
    for (QLineEdit* edit : {f.slideNumberEdit, f.dissolveEdit, f.timerEdit, f.parameterEdit})
        connect(edit, &QLineEdit::returnPressed, this, [this] { apply(); });
    // Enter on the description, a selection list or a slider stores the line too; only
    // the fields handle Enter themselves.
    new EditorKeys(*f.descriptionEdit, {f.mechanicalList, f.lightList, f.dissolveSlider, f.timerSlider, f.parameterSlider},
                   [this] { apply(); }, this);
    fieldCommands_ = std::make_unique<EditorFieldCommands>(*this, services_.runState);
    connect(qApp, &QApplication::focusChanged, this, &CEditZeile::onFocusChanged);

    doc_.addView(this);
    QCoreApplication::postEvent(this, new SliderSetupEvent);
}

CEditZeile::~CEditZeile() {
    // The fields go before the widgets do, and a field losing the focus as it goes
    // would otherwise make the form read fields that are already gone.
    disconnect(qApp, nullptr, this, nullptr);
    doc_.removeView(this);
}

bool CEditZeile::logarithmic() const { return services_.settings.logarithmicSliders; }

bool CEditZeile::focusAllowed() const {
    return !services_.runState.showRunning && !services_.appState.searchPending;
}

// ---------------------------------------------------------------------------
// Members <-> controls

void CEditZeile::readFields() {
    Ui::EditZeile& f = *ui_;
    slideNumberText_ = f.slideNumberEdit->text();
    dissolveText_ = f.dissolveEdit->text();
    timerText_ = f.timerEdit->text();
    parameterText_ = f.parameterEdit->text();
    descriptionText_ = f.descriptionEdit->toPlainText();
    mechanicalIndex_ = f.mechanicalList->currentIndex();
    lightIndex_ = f.lightList->currentIndex();
}

void CEditZeile::writeFields() {
    Ui::EditZeile& f = *ui_;
    ++writingControls_;
    const auto done = qScopeGuard([this] { --writingControls_; });
    setTextIfDifferent(f.slideNumberEdit, slideNumberText_);
    setTextIfDifferent(f.dissolveEdit, dissolveText_);
    setTextIfDifferent(f.timerEdit, timerText_);
    setTextIfDifferent(f.parameterEdit, parameterText_);
    if (f.descriptionEdit->toPlainText() != descriptionText_) f.descriptionEdit->setPlainText(descriptionText_);
    if (mechanicalIndex_ >= 0 && mechanicalIndex_ < f.mechanicalList->count())
        f.mechanicalList->setCurrentIndex(mechanicalIndex_);
    if (lightIndex_ >= 0 && lightIndex_ < f.lightList->count()) f.lightList->setCurrentIndex(lightIndex_);
    f.programNumberText->setText(programNumberText_);
    f.codeText->setText(codeText_);
}

// ---------------------------------------------------------------------------
// Special function

void CEditZeile::composeCode() {
    Ui::EditZeile& f = *ui_;
    // A list left without a selection by a loaded code the lists cannot show takes
    // part in a new code with its first item.
    ++writingControls_;
    if (f.mechanicalList->currentIndex() < 0) f.mechanicalList->setCurrentIndex(0);
    if (f.lightList->currentIndex() < 0) f.lightList->setCurrentIndex(0);
    --writingControls_;
    const int mechanical = std::max(f.mechanicalList->currentIndex(), 0);
    functions_->useShortLightList(mechanical != 0);
    const int light = FunctionLists::lightOfItem(mechanical, std::max(f.lightList->currentIndex(), 0));
    if (mechanical != 0) {
        parameterText_ = QStringLiteral("0");
    } else if (FunctionLists::takesParameter(mechanical, light)) {
        if (readInteger(parameterText_) == 0) parameterText_ = QStringLiteral("1");
    } else {
        parameterText_ = QStringLiteral("0");
    }
    const int parameter = readInteger(parameterText_);
    const ComposedSpecialFunction composed = composeSpecialFunction(mechanical, light, parameter);
    if (composed.valid) codeText_ = QString::fromStdString(composed.codeText);

    functions_->showParameterFor(mechanical, light);
    ++writingControls_;
    setTextIfDifferent(f.parameterEdit, parameterText_);
    if (parameter >= 1 && parameter <= 9) f.parameterSlider->setValue(parameter);
    f.codeText->setText(codeText_);
    --writingControls_;
    mechanicalIndex_ = mechanical;
    lightIndex_ = f.lightList->currentIndex();
}

void CEditZeile::selectLoadedFunction(int mechanical, int light, int parameter) {
    Ui::EditZeile& f = *ui_;
    // Codes from files may carry digits the lists do not offer (650): such a list shows
    // no selection, and the code itself is kept until the user composes a new one.
    const bool mechanicalKnown = mechanical < MechanicalFunctionCount;
    const bool mechanicalEffect = mechanicalKnown && mechanical != 0;
    ++writingControls_;
    f.mechanicalList->setCurrentIndex(mechanicalKnown ? mechanical : -1);
    --writingControls_;
    functions_->useShortLightList(mechanicalEffect);
    const int item = FunctionLists::itemOfLight(mechanicalEffect ? mechanical : 0, light);
    functions_->showParameterFor(mechanicalKnown ? mechanical : -1, mechanicalEffect && item == 0 ? 0 : item);
    ++writingControls_;
    f.lightList->setCurrentIndex(item);
    f.parameterSlider->setValue(std::clamp(parameter, 1, 9));
    parameterText_ = QString::asprintf("%d", parameter);
    f.parameterEdit->setText(parameterText_);
    --writingControls_;
    mechanicalIndex_ = f.mechanicalList->currentIndex();
    lightIndex_ = item;
}

void CEditZeile::showLoadedCode(int code) {
    codeText_ = QString::asprintf("%03d", code);
    ui_->codeText->setText(codeText_);
}

void CEditZeile::onFunctionSelected() {
    if (writingControls_) return;
    readFields();
    composeCode();
}

void CEditZeile::onParameterEdited() {
    if (writingControls_) return;
    readFields();
    const int parameter = readInteger(parameterText_);
    ++writingControls_;
    ui_->parameterSlider->setValue(parameter);
    --writingControls_;
    if (parameter > 9 || parameter < 0) {
        services_.prompter.showMessage(ids::InvalidSpecialFunction, MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    const QString typed = parameterText_;
    composeCode();
    // An empty or 0 parameter shows the 1 the code uses, selected, so that the next
    // digit typed replaces it instead of making it 10 or more.
    if (parameterText_ != typed) ui_->parameterEdit->selectAll();
}

// ---------------------------------------------------------------------------
// Times: fields, spins and sliders

void CEditZeile::onTimeEdited(bool dissolve) {
    if (writingControls_) return;
    readFields();
    QLineEdit* edit = dissolve ? ui_->dissolveEdit : ui_->timerEdit;
    QString& text = dissolve ? dissolveText_ : timerText_;
    // A comma is the decimal point as the user is used to type it.
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0) {
        text[comma] = QLatin1Char('.');
        const int cursor = edit->cursorPosition();
        ++writingControls_;
        edit->setText(text);
        edit->setCursorPosition(cursor);
        --writingControls_;
    }
    const double seconds = readDecimal(text);
    ++writingControls_;
    if (dissolve) {
        ui_->dissolveSlider->setValue(slider::dissolvePosition(seconds, logarithmic()));
        ui_->dissolveSpin->setPosition(wholeSeconds(seconds));
    } else {
        ui_->timerSlider->setValue(slider::timerPosition(seconds, logarithmic()));
        ui_->timerSpin->setPosition(wholeSeconds(seconds));
    }
    --writingControls_;
}

void CEditZeile::onDissolveSlider(int position) {
    if (writingControls_) return;
    readFields();
    const double seconds = slider::dissolveSeconds(position, logarithmic());
    dissolveText_ = formatSeconds(seconds);
    ui_->dissolveSpin->setPosition(wholeSeconds(seconds));
    writeFields();
}

void CEditZeile::onTimerSlider(int position) {
    if (writingControls_) return;
    readFields();
    const double seconds = slider::timerSeconds(position, logarithmic());
    timerText_ = formatSeconds(seconds);
    ui_->timerSpin->setPosition(wholeSeconds(seconds));
    writeFields();
}

void CEditZeile::onParameterSlider(int position) {
    if (writingControls_) return;
    readFields();
    parameterText_ = QString::asprintf("%d", position);
    ++writingControls_;
    ui_->parameterEdit->setText(parameterText_);
    --writingControls_;
    composeCode();
    writeFields();
}

void CEditZeile::onDissolveSpin(int position) {
    readFields();
    // A dissolve of nothing is not possible; the lowest spin step is 0.1 s.
    const double seconds = position == 0 ? 0.1 : double(position);
    dissolveText_ = formatSeconds(seconds);
    ++writingControls_;
    ui_->dissolveSlider->setValue(slider::dissolvePosition(seconds, logarithmic()));
    --writingControls_;
    writeFields();
}

void CEditZeile::onTimerSpin(int position) {
    readFields();
    timerText_ = formatSeconds(double(position));
    ++writingControls_;
    ui_->timerSlider->setValue(slider::timerPosition(double(position), logarithmic()));
    --writingControls_;
    writeFields();
}

void CEditZeile::showTimes(double dissolveSeconds, double timerSeconds) {
    dissolveText_ = formatSeconds(dissolveSeconds);
    timerText_ = formatSeconds(timerSeconds);
    ++writingControls_;
    ui_->dissolveSpin->setPosition(wholeSeconds(dissolveSeconds));
    ui_->timerSpin->setPosition(wholeSeconds(timerSeconds));
    ui_->dissolveSlider->setValue(slider::dissolvePosition(dissolveSeconds, logarithmic()));
    ui_->timerSlider->setValue(slider::timerPosition(timerSeconds, logarithmic()));
    --writingControls_;
}

void CEditZeile::setupSliders() {
    Ui::EditZeile& f = *ui_;
    ++writingControls_;
    f.dissolveSlider->setRange(slider::MinPosition, slider::MaxPosition);
    f.timerSlider->setRange(slider::MinPosition, slider::MaxPosition);
    f.parameterSlider->setRange(1, 9);
    --writingControls_;
    f.parameterEdit->setEnabled(false);
    f.parameterSlider->setEnabled(false);
    sliderInit_ = false;
}

// ---------------------------------------------------------------------------
// Reload and apply

void CEditZeile::reload(bool lineChanged) {
    Ui::EditZeile& f = *ui_;
    if (!spinsLoaded_) {
        spinsLoaded_ = true;
        f.slideNumberSpin->setPosition(readInteger(slideNumberText_));
        f.dissolveSpin->setPosition(wholeSeconds(readDecimal(dissolveText_)));
        f.timerSpin->setPosition(wholeSeconds(readDecimal(timerText_)));
    }
    showTotalTime();
    if (doc_.lineCount > 0) firstUpdate_ = false;
    if (sliderInit_) setupSliders();
    if (!lineChanged && !firstUpdate_) return;
    if (focusAllowed()) f.slideNumberEdit->setFocus();

    bool composeLoadedCode = false;
    if (doc_.appendMode) {
        if (doc_.clickBelowLastLine) {
            doc_.clickBelowLastLine = false;
            // The line after the last one, but never past the last line the show can hold.
            if (doc_.currentLine < LastEditableLine) ++doc_.currentLine;
        }
        const int previous = std::clamp(doc_.currentLine - 1, 0, LineStorageRecords - 1);
        const ProgramLine& before = doc_.lines[previous];
        const int previousCode = firstUpdate_ ? 0 : before.specialFunction;
        const SpecialFunctionParts parts = splitSpecialFunction(previousCode);
        selectLoadedFunction(std::max(parts.mechanical, 0), std::max(parts.light, 0), std::max(parts.parameter, 1));
        // The new line takes the function the lists compose from the line before; one
        // they cannot compose is taken over as it is rather than turned into another.
        composeLoadedCode = fitsSelectionLists(previousCode);
        if (!composeLoadedCode) showLoadedCode(previousCode);

        programNumberText_ = QString::asprintf("%03d", std::min(doc_.currentLine + 1, MaxProgramLines));
        descriptionText_.clear();
        const int slide = before.slideNumber + (doc_.currentLine >= MaxProgramLines ? 0 : 1);
        slideNumberText_ = QString::asprintf("%d", slide);
        f.slideNumberSpin->setPosition(slide);
        if (firstUpdate_)
            showTimes(DefaultDissolveSeconds, services_.settings.defaultTimer() * 0.1);
        else
            showTimes(before.dissolveTime * 0.1, before.timerTime * 0.1);

        firstUpdate_ = false;
        writeFields();
        if (focusAllowed()) f.slideNumberEdit->selectAll();
    } else {
        const int current = std::clamp(doc_.currentLine, 0, LineStorageRecords - 1);
        const ProgramLine& line = doc_.lines[current];
        programNumberText_ = QString::asprintf("%03d", current + 1);
        descriptionText_ = QString::fromStdString(cp1252ToUtf8(line.description.view()));
        slideNumberText_ = QString::asprintf("%d", line.slideNumber);
        f.slideNumberSpin->setPosition(line.slideNumber);
        showTimes(line.dissolveTime * 0.1, line.timerTime * 0.1);
        writeFields();
        const SpecialFunctionParts parts = splitSpecialFunction(line.specialFunction);
        selectLoadedFunction(std::max(parts.mechanical, 0), std::max(parts.light, 0), std::max(parts.parameter, 0));
        // The line keeps its code as it is: only a change in the lists or the parameter
        // composes a new one, so applying a line never alters a function it did not touch.
        showLoadedCode(line.specialFunction);
        if (focusAllowed()) f.slideNumberEdit->selectAll();
    }
    if (composeLoadedCode) composeCode();
}

bool CEditZeile::apply() {
    readFields();
    // Every value is checked before any is stored: a refused value must not reach the
    // document, and a line taken over half would be neither the old nor the new one.
    EditorFields fields{slideNumberText_, dissolveText_, timerText_, parameterText_, codeText_, descriptionText_};
    CheckedLine checked;
    if (const int refusal = checkEditorFields(fields, checked)) {
        services_.prompter.showMessage(refusal, MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    const RunningShow show{services_.runState.showRunning, services_.sendLineToRunningShow};
    const std::string number = programNumberText_.toLatin1().toStdString();

    ShowEditing editing{doc_, history_.rows(), services_.prompter, services_.appState, services_.settings, nullptr};
    const bool stored =
        history_.perform(std::make_unique<ApplyLineCommand>(history_, editing, checked, number, show)).done;
    update();
    return stored;
}

void CEditZeile::showTotalTime() {
    Ui::EditZeile& f = *ui_;
    if (!services_.settings.showTotalLength) {
        f.totalTimeCaption->hide();
        f.totalTimeText->clear();
        return;
    }
    keepShowLength(doc_, services_.settings);
    if (doc_.playingTime <= 0) return;
    f.totalTimeText->setText(totalTimeText(doc_.playingTime, doc_.showLength < 1));
    f.totalTimeCaption->show();
}

void CEditZeile::remapSliders() {
    readFields();
    ++writingControls_;
    ui_->dissolveSlider->setValue(slider::dissolvePosition(readDecimal(dissolveText_), logarithmic()));
    ui_->timerSlider->setValue(slider::timerPosition(readDecimal(timerText_), logarithmic()));
    --writingControls_;
}

void CEditZeile::documentChanged(const DocumentChange& change) { reload(change.currentLineChanged); }

// ---------------------------------------------------------------------------
// Edit commands and events

bool CEditZeile::isCommandEnabled(int commandId) const { return fieldCommands_->isEnabled(commandId); }

bool CEditZeile::handleCommand(int commandId) { return fieldCommands_->run(commandId); }

bool CEditZeile::event(QEvent* event) {
    if (event->type() == SliderSetupEvent::Type) {
        // A reload that came first has already placed the sliders for its line.
        if (sliderInit_) {
            setupSliders();
            ++writingControls_;
            ui_->dissolveSlider->setValue(slider::dissolvePosition(DefaultDissolveSeconds, logarithmic()));
            ui_->timerSlider->setValue(slider::timerPosition(services_.settings.defaultTimer() * 0.1, logarithmic()));
            --writingControls_;
        }
        return true;
    }
    return QWidget::event(event);
}

void CEditZeile::onFocusChanged(QWidget* old, QWidget* now) {
    const bool wasInside = old && (old == this || isAncestorOf(old));
    const bool isInside = now && (now == this || isAncestorOf(now));
    if (wasInside && !isInside) {
        services_.appState.searchPending = false;
        readFields();
    }
}

}  // namespace vistrel
