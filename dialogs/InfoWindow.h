#pragma once
// "Info": shows in large type the line the projector is at during a show, with the
// time left on it, and offers "Diaschau stoppen". It asks the projector on its own
// 700 ms timer (InfoMonitor does the asking and the deciding); the window binds the
// fields to its labels, keeps its place on the screen for the next time, and runs
// the stop when the monitor or the user asks for it.
#include <QDialog>
#include <QHash>
#include <QPoint>
#include <QTimer>
#include <functional>

#include "projector/InfoMonitor.h"

class QGridLayout;
class QLabel;
class QPushButton;

namespace vistrel {

class InfoWindow : public QDialog {
    Q_OBJECT

public:
    // The fields of the window by their control ids.
    enum Field {
        ProgramNumberField = 1022,
        DissolveField = 1023,
        SlideField = 1024,
        TimerField = 1025,
        SpecialField = 1026,
        RemainingField = 1027,
        DescriptionField = 1030,
    };

    struct Hooks {
        // Runs `work` when no other sequence is on the line; false when it was skipped.
        std::function<bool(const std::function<void()>& work)> whenLineFree;
        // The show the window describes: the active show window's, or null.
        std::function<CVistrelDoc*()> activeDocument;
        // After the window's own stop (EN sent, window closing): the homing wait opens.
        std::function<void()> stopped;
    };

    InfoWindow(ProjectorProtocol& protocol, const RunState& runState, Settings& settings, Prompter& prompter,
               Hooks hooks, QWidget* parent = nullptr);
    ~InfoWindow() override;

    // One tick of the 700 ms timer.
    void tick();
    // "Diaschau stoppen".
    void stopShow();

    QString fieldText(Field field) const;
    QFont descriptionFont() const;
    QPushButton* stopButton() const { return stop_; }
    bool timerActive() const { return timer_.isActive(); }

    // Forgets the position taken over from the settings (a new program run, for tests).
    static void resetRememberedPosition();

protected:
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

public slots:
    void done(int result) override;

private:
    QLabel* addField(QGridLayout* grid, int row, int labelId, Field field, bool seconds);
    void showFields();
    void placeOnScreen();
    void closeWindow();
    // The stop itself, with the line already ours.
    void stopNow();

    InfoMonitor monitor_;
    Settings& settings_;
    Hooks hooks_;
    QTimer timer_;
    QHash<int, QLabel*> fields_;
    QPushButton* stop_ = nullptr;
    bool placed_ = false;
    bool closing_ = false;
};

}  // namespace vistrel
