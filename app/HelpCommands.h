#pragma once
// "Hilfethemen", "Index" and "Info über Vistrel...": the help pages in one window of
// their own (kept for the run, brought to the front when asked again) and the about box.
#include <QPointer>

class QWidget;

namespace vistrel {

class HelpCommands {
public:
    HelpCommands() = default;
    ~HelpCommands();
    HelpCommands(const HelpCommands&) = delete;
    HelpCommands& operator=(const HelpCommands&) = delete;

    void showHelp();
    void showAbout(QWidget* parent);
    // The end of the program: the help window closes with it.
    void closeHelp();

private:
    QPointer<QWidget> helpWindow_;
};

}  // namespace vistrel
