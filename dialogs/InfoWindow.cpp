#include "dialogs/InfoWindow.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMoveEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "res/TableText.h"
#include "res/strings/RunStrings.h"

namespace vistrel {

namespace {

// Room kept below the window for the task bar, as the window has always kept it.
constexpr int BottomMargin = 22;

// The place the window had last, for the whole program run; taken from the settings
// the first time the window opens.
std::optional<QPoint> rememberedPosition;
// True while a window is open, so that its moves are recorded.
bool trackPosition = false;

// The large type of the window: the installed bold fixed-pitch face.
QFont largeFont(int pixels) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFamilies({QStringLiteral("Courier New"), QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

}  // namespace

void InfoWindow::resetRememberedPosition() {
    rememberedPosition.reset();
    trackPosition = false;
}

InfoWindow::InfoWindow(ProjectorProtocol& protocol, const RunState& runState, Settings& settings, Prompter& prompter,
                       Hooks hooks, QWidget* parent)
    : QDialog(parent),
      monitor_(protocol, runState, settings, prompter),
      settings_(settings),
      hooks_(std::move(hooks)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(tableText(ids::InfoCaption));

    auto* frame = new QGroupBox(tableText(ids::InfoFrame));
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(3, 1);  // values and units stay together on the left
    addField(grid, 0, ids::InfoProgramNumber, ProgramNumberField, false);
    addField(grid, 1, ids::InfoSlideNumber, SlideField, false);
    addField(grid, 2, ids::InfoSpecialFunction, SpecialField, false);
    addField(grid, 3, ids::InfoDissolve, DissolveField, true);
    addField(grid, 4, ids::InfoTimer, TimerField, true);
    addField(grid, 5, ids::InfoRemaining, RemainingField, false);
    QLabel* description = addField(grid, 6, ids::InfoDescription, DescriptionField, false);
    description->setFont(largeFont(18));
    description->setWordWrap(true);
    description->setMinimumWidth(description->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 28);
    description->setMinimumHeight(description->fontMetrics().height() * 2);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    stop_ = new QPushButton(tableText(ids::InfoStopShow));
    auto* ok = new QPushButton(tableText(ids::InfoOk));
    auto* cancel = new QPushButton(tableText(ids::InfoCancel));
    ok->setDefault(true);
    connect(stop_, &QPushButton::clicked, this, &InfoWindow::stopShow);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(stop_);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    timer_.setInterval(InfoMonitor::TickMs);
    connect(&timer_, &QTimer::timeout, this, &InfoWindow::tick);
    timer_.start();
}

InfoWindow::~InfoWindow() {
    // Destroyed without being closed (the end of the program): keep the place all the same.
    if (!closing_) {
        trackPosition = false;
        if (rememberedPosition) settings_.infoWindowPosition = {rememberedPosition->x(), rememberedPosition->y()};
    }
}

QLabel* InfoWindow::addField(QGridLayout* grid, int row, int labelId, Field field, bool seconds) {
    grid->addWidget(new QLabel(tableText(labelId)), row, 0, Qt::AlignLeft | Qt::AlignTop);
    auto* value = new QLabel;
    value->setFont(largeFont(14));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (field == DescriptionField) {
        grid->addWidget(value, row, 1, 1, 3);
    } else {
        grid->addWidget(value, row, 1);
    }
    if (seconds) grid->addWidget(new QLabel(tableText(ids::InfoSeconds)), row, 2);
    fields_.insert(field, value);
    return value;
}

QString InfoWindow::fieldText(Field field) const {
    const QLabel* label = fields_.value(field);
    return label ? label->text() : QString();
}

QFont InfoWindow::descriptionFont() const { return fields_.value(DescriptionField)->font(); }

void InfoWindow::showFields() {
    const InfoFields& f = monitor_.fields();
    const auto set = [this](Field field, const std::string& text) {
        fields_.value(field)->setText(QString::fromUtf8(text.c_str(), static_cast<qsizetype>(text.size())));
    };
    set(ProgramNumberField, f.programNumber);
    set(SlideField, f.slide);
    set(SpecialField, f.special);
    set(DissolveField, f.dissolve);
    set(TimerField, f.timer);
    set(RemainingField, f.remaining);
    set(DescriptionField, f.description);
}

void InfoWindow::tick() {
    if (closing_) return;
    hooks_.whenLineFree([this] {
        const InfoMonitor::TickResult result = monitor_.tick(hooks_.activeDocument ? hooks_.activeDocument() : nullptr);
        showFields();
        if (result == InfoMonitor::TickResult::Stop) stopNow();
        if (result == InfoMonitor::TickResult::LinkLost) closeWindow();
    });
}

void InfoWindow::stopShow() {
    if (closing_) return;
    // Pressed while a sequence is on the line: taken up once the line is free.
    if (!hooks_.whenLineFree([this] { stopNow(); }))
        QTimer::singleShot(InfoMonitor::TickMs, this, &InfoWindow::stopShow);
}

void InfoWindow::stopNow() {
    monitor_.stopShow();
    closeWindow();
    if (hooks_.stopped) hooks_.stopped();
}

void InfoWindow::done(int result) {
    if (!closing_) {
        closing_ = true;
        timer_.stop();
        trackPosition = false;
        if (rememberedPosition) settings_.infoWindowPosition = {rememberedPosition->x(), rememberedPosition->y()};
    }
    QDialog::done(result);
}

void InfoWindow::closeWindow() { done(QDialog::Rejected); }

void InfoWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!placed_) {
        placed_ = true;
        placeOnScreen();
    }
}

void InfoWindow::placeOnScreen() {
    if (!rememberedPosition) {
        rememberedPosition =
            QPoint(std::max(settings_.infoWindowPosition[0], 0), std::max(settings_.infoWindowPosition[1], 0));
    }
    // Kept on the screen, whatever screen the saved place came from.
    const QScreen* screen = this->screen();
    const QSize area = screen ? screen->size() : QSize(1024, 768);
    const QSize size = frameGeometry().size();
    const int x = std::min(rememberedPosition->x(), area.width() - size.width());
    const int y = std::min(rememberedPosition->y(), area.height() - size.height() - BottomMargin);
    rememberedPosition = QPoint(x, y);
    move(x, y);
    trackPosition = true;
}

void InfoWindow::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (trackPosition && placed_ && !closing_) {
        rememberedPosition = frameGeometry().topLeft();
        settings_.infoWindowPosition = {rememberedPosition->x(), rememberedPosition->y()};
    }
}

}  // namespace vistrel
