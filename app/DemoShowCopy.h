#pragma once
// "Beispiel-Diaschau öffnen": the demo show the program carries (the show, its pictures,
// whatever else lies in its folder) copied into the user's own folder, where it can be
// changed and saved like any show. A file the user already has there is never replaced:
// opening the demo a second time finds the user's copy as it was left.
#include <QString>
#include <functional>

namespace vistrel {

class Prompter;

struct DemoCopy {
    QString show;    // the copied Willkommen.dpd to open; empty after a failure
    QString failed;  // a file that could not be copied, or the folder that could not be made
};

// The folder in the user's home that holds the copy: "Vistrel-Beispiel".
QString demoCopyFolder(const QString& home);

// Copies every plain file below `demoFolder` that `target` does not have yet (links in the
// demo folder are left out), keeping the folders' layout.
DemoCopy copyDemoShow(const QString& demoFolder, const QString& target);

// The command: the installed demo show (AppPaths' demoShowFolder()) copied into the
// user's home, then handed to `open`; a missing demo show or a failed copy is said.
void openDemoShow(Prompter& prompter, const std::function<void(const QString& show)>& open);

}  // namespace vistrel
