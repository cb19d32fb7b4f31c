#include "app/HelpCommands.h"

#include <QTextBrowser>
#include <QUrl>

#include "dialogs/AboutDialog.h"
#include "res/TableText.h"
#include "res/strings/ShellStrings.h"

namespace vistrel {

HelpCommands::~HelpCommands() { delete helpWindow_.data(); }

void HelpCommands::showHelp() {
    if (!helpWindow_) {
        auto* browser = new QTextBrowser;
        browser->setAttribute(Qt::WA_DeleteOnClose);
        browser->setWindowTitle(tableText(ids::HelpWindowTitle));
        browser->setOpenExternalLinks(true);
        browser->setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
        browser->resize(720, 640);
        helpWindow_ = browser;
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void HelpCommands::showAbout(QWidget* parent) {
    AboutDialog about(parent);
    about.exec();
}

void HelpCommands::closeHelp() {
    if (helpWindow_) helpWindow_->close();
}

}  // namespace vistrel
