#pragma once
// Qt's own buttons and dialogs (the file and printer dialogs, the standard buttons of a
// button box) speak German, whatever the system's language: Qt's German translation,
// qtbase_de from Qt's translations folder, installed into the running application.

namespace vistrel {

// Installs the translation once; false when Qt's German texts are not installed (Qt's
// own texts then stay English, the program's own are German either way).
bool installQtGermanTexts();

}  // namespace vistrel
