// The document window's first size and panes, and the web link of the about box.
#include <QCoreApplication>
#include <QFile>
#include <QDir>
#include <QTemporaryDir>
#include <QHeaderView>
#include <QTreeView>
#include <QFileDialog>
#include <QApplication>
#include <QTimer>
#include <QTest>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QDialogButtonBox>
#include <QSplitter>

#include "app/CMainFrame.h"
#include "app/FileDialogs.h"
#include "app/QtGermanTexts.h"
#include "dialogs/LineEntryDialog.h"
#include "dialogs/ScaleDialog.h"
#include "res/strings/LineStrings.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/CStaticLink.h"
#include "platform/qt/widgets/QtPrompter.h"
#include "res/StringTable.h"
#include "res/strings/ShellStrings.h"
#include "tests/app/AppFixture.h"
#include "views/CEditZeile.h"
#include "views/CVistrelView.h"
#include "views/LightTable.h"
#include "views/TimelinePane.h"

namespace vistrel::test {
namespace {

class DocumentWindow : public AppFixture {};

TEST_F(DocumentWindow, EditorAboveListBelowAndTheListActive) {
    CVistrelApp& started = startApp();
    CSplitterFrame& frame = *started.activeFrame();
    ASSERT_EQ(frame.splitter()->count(), 3);
    EXPECT_EQ(frame.splitter()->widget(0), frame.editor());
    EXPECT_EQ(frame.splitter()->widget(1), frame.listView());
    // The timeline waits under the list until "Zeitleiste" is chosen.
    EXPECT_EQ(frame.splitter()->widget(2), static_cast<QWidget*>(frame.timeline()));
    EXPECT_FALSE(frame.timelineShown());
    EXPECT_EQ(frame.splitter()->orientation(), Qt::Vertical);
    EXPECT_EQ(frame.focusProxy(), frame.listView());
    QCoreApplication::processEvents();
    EXPECT_EQ(frame.editor()->height(), CSplitterFrame::EditorHeight);
}

TEST_F(DocumentWindow, LightTableIsOnePerShowWindowAndClosesWithIt) {
    CVistrelApp& started = startApp();
    CSplitterFrame& frame = *started.activeFrame();
    EXPECT_EQ(frame.lightTable(), nullptr);
    started.runCommand(cmd::OpenLightTable);
    QPointer<QWidget> table = frame.lightTable();
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->isVisible());
    EXPECT_EQ(table->windowTitle().toStdString(), "Leuchtpult - Vistre1");
    started.runCommand(cmd::OpenLightTable);
    EXPECT_EQ(frame.lightTable(), table.data());
    frame.closeWithoutAsking();
    EXPECT_FALSE(table && table->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(table.isNull());
}

TEST_F(DocumentWindow, FullSizeOptionOpensEveryWindowMaximized) {
    CVistrelApp& started = startApp();
    EXPECT_FALSE(started.activeFrame()->isMaximized());
    started.settings().fullSizeDocumentWindows = true;
    started.runCommand(cmd::FileNew);
    EXPECT_TRUE(started.activeFrame()->isMaximized());
    // The first-size check leaves a maximized window alone.
    started.activeFrame()->checkFirstSize(QSize(1280, 1024));
    EXPECT_TRUE(started.activeFrame()->isMaximized());
}

TEST_F(DocumentWindow, ASmallScreenWarnsOncePerRunAndMaximizes) {
    CVistrelApp& shell = makeApp(QSize(640, 480));
    ASSERT_TRUE(shell.startUp({}));
    shell.runCommand(cmd::FileNew);
    for (CSplitterFrame* frame : shell.frames()) frame->checkFirstSize(QSize(640, 480));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, res::text(ids::ResolutionWarning));
    EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(shell.frames().back()->isMaximized());
}

TEST_F(DocumentWindow, ATooSmallWindowOnALargeScreenIsEnlarged) {
    CVistrelApp& started = startApp();
    CSplitterFrame& frame = *started.activeFrame();
    frame.showNormal();
    frame.resize(300, 200);
    frame.checkFirstSize(QSize(1280, 1024));
    EXPECT_EQ(frame.size(), QSize(CSplitterFrame::ResizedWidth, CSplitterFrame::ResizedHeight));
    EXPECT_FALSE(frame.firstSizePending());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(DocumentWindow, StandardColumnsResetEveryOpenList) {
    CVistrelApp& started = startApp();
    started.runCommand(cmd::FileNew);
    started.settings().columnWidths = {10, 20, 30, 40, 50, 60};
    started.runCommand(cmd::StandardColumns);
    EXPECT_EQ(started.settings().columnWidths, (std::array<int, 6>{80, 80, 80, 80, 80, 350}));
    for (CSplitterFrame* frame : started.frames()) {
        EXPECT_EQ(frame->listView()->columnWidth(5), 350);
        EXPECT_EQ(frame->listView()->columnWidth(0), 80);
    }
}

struct LinkCase {
    const char* name;
    std::vector<bool> opens;  // what each click's open returns
    bool visited;
    int beeps;
};
void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }


class StaticLink : public ::testing::TestWithParam<LinkCase> {};

TEST_P(StaticLink, TurnsPurpleOnlyAfterASuccessfulOpen) {
    const LinkCase& c = GetParam();
    CStaticLink link(QStringLiteral("http://example.invalid/"));
    std::vector<QString> opened;
    std::size_t click = 0;
    link.setOpener([&](const QString& address) {
        opened.push_back(address);
        return c.opens[click++];
    });
    int beeps = 0;
    link.setBeep([&] { ++beeps; });
    for (std::size_t i = 0; i < c.opens.size(); ++i) link.follow();

    EXPECT_EQ(opened.size(), c.opens.size());  // every click tries again
    EXPECT_EQ(opened.front(), "http://example.invalid/");
    EXPECT_EQ(link.visited(), c.visited);
    EXPECT_EQ(beeps, c.beeps);
    EXPECT_EQ(link.palette().color(QPalette::WindowText), c.visited ? QColor(128, 0, 128) : QColor(0, 0, 255));
    EXPECT_TRUE(link.font().underline());
}

INSTANTIATE_TEST_SUITE_P(App, StaticLink,
                         ::testing::Values(LinkCase{"Opened", {true}, true, 0},
                                           LinkCase{"Failed", {false}, false, 1},
                                           LinkCase{"OpenedTwice", {true, true}, true, 0},
                                           LinkCase{"FailedAfterSuccessStaysPurple", {true, false}, true, 1}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(AboutBox, ShowsNameVersionAndLink) {
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), QString::fromUtf8("Info über Vistrel"));
    bool versionShown = false;
    for (QLabel* label : about.findChildren<QLabel*>()) versionShown |= label->text() == "Vistrel, Version 1.14";
    EXPECT_TRUE(versionShown);
    ASSERT_NE(about.link(), nullptr);
    EXPECT_TRUE(about.link()->text().startsWith("http://"));
}

struct PrompterCase {
    const char* name;
    MessageButtons buttons;
    int defaultButton;
    QStringList labels;
    const char* clicked;
    MessageAnswer answer;
};
void PrintTo(const PrompterCase& c, std::ostream* os) { *os << c.name; }

class GermanMessageBox : public ::testing::TestWithParam<PrompterCase> {};

TEST_P(GermanMessageBox, OffersGermanButtonsAndReportsTheOneClicked) {
    const PrompterCase& c = GetParam();
    QtPrompter prompter;
    QStringList labels;
    QString defaultLabel;
    onNextModal([&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons()) labels << button->text();
        defaultLabel = box->defaultButton()->text();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == QString::fromUtf8(c.clicked)) button->click();
        }
    });
    const MessageAnswer answer = prompter.showMessage("Frage", MessageIcon::Question, c.buttons, c.defaultButton);
    labels.sort();
    QStringList expected = c.labels;
    expected.sort();
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(defaultLabel, c.labels.at(c.defaultButton));
    EXPECT_EQ(answer, c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    App, GermanMessageBox,
    ::testing::Values(PrompterCase{"Ok", MessageButtons::Ok, 0, {"OK"}, "OK", MessageAnswer::Ok},
                      PrompterCase{"YesNo", MessageButtons::YesNo, 0, {"&Ja", "&Nein"}, "&Ja", MessageAnswer::Yes},
                      PrompterCase{"SecondIsDefault", MessageButtons::YesNoCancel, 1, {"&Ja", "&Nein", "Abbrechen"},
                                   "&Nein", MessageAnswer::No},
                      PrompterCase{"Cancel", MessageButtons::YesNoCancel, 0, {"&Ja", "&Nein", "Abbrechen"},
                                   "Abbrechen", MessageAnswer::Cancel}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(GermanButtons, QtsOwnButtonsAndTheProgramsDialogsSpeakGerman) {
    ASSERT_TRUE(installQtGermanTexts()) << "Qt's German texts (qt6-translations-l10n) are missing";
    QDialogButtonBox qtButtons(QDialogButtonBox::Cancel | QDialogButtonBox::Close | QDialogButtonBox::Save |
                               QDialogButtonBox::Apply);
    ScaleDialog scale;
    LineEntryDialog timer(ids::TimerDialogCaption, ids::TimerDialogLabel, 5, {}, nullptr);
    const struct {
        const char* what;
        QString shown;
        const char* text;
    } table[] = {
        {"Qt's Cancel", qtButtons.button(QDialogButtonBox::Cancel)->text(), "Abbrechen"},
        {"Qt's Close", qtButtons.button(QDialogButtonBox::Close)->text(), "Schließen"},
        {"Qt's Save", qtButtons.button(QDialogButtonBox::Save)->text(), "Speichern"},
        {"Qt's Apply", qtButtons.button(QDialogButtonBox::Apply)->text(), "Anwenden"},
        {"scaling dialog", scale.findChild<QPushButton*>("cancelButton")->text(), "Abbrechen"},
        {"timer dialog", timer.findChild<QDialogButtonBox*>()->buttons().last()->text(), "Abbrechen"},
    };
    for (const auto& row : table) EXPECT_EQ(row.shown, QString::fromUtf8(row.text)) << row.what;
}

TEST(GermanMessageBoxKeys, AnswerLettersAndEscape) {
    // The default button is never the expected answer: a key that did nothing leaves
    // the box to be closed on its default.
    const struct {
        MessageButtons buttons;
        int defaultButton;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        MessageAnswer answer;
    } cases[] = {
        {MessageButtons::YesNo, 0, Qt::Key_N, Qt::AltModifier, MessageAnswer::No},
        {MessageButtons::YesNo, 1, Qt::Key_J, Qt::AltModifier, MessageAnswer::Yes},
        {MessageButtons::YesNoCancel, 0, Qt::Key_N, Qt::NoModifier, MessageAnswer::No},
        {MessageButtons::YesNoCancel, 1, Qt::Key_J, Qt::NoModifier, MessageAnswer::Yes},
        {MessageButtons::YesNoCancel, 0, Qt::Key_Escape, Qt::NoModifier, MessageAnswer::Cancel},
        {MessageButtons::YesNo, 0, Qt::Key_Escape, Qt::NoModifier, MessageAnswer::No},
    };
    for (const auto& c : cases) {
        QtPrompter prompter;
        onNextModal([&](QWidget* widget) {
            QPointer<QMessageBox> box = qobject_cast<QMessageBox*>(widget);
            QApplication::setActiveWindow(box);
            QTest::keyClick(box, c.key, c.modifiers);
            QTimer::singleShot(500, box, [box] {
                if (box && box->isVisible()) box->defaultButton()->click();
            });
        });
        EXPECT_EQ(prompter.showMessage("Frage", MessageIcon::Question, c.buttons, c.defaultButton), c.answer)
            << int(c.buttons) << " key " << c.key;
    }
}

TEST(FileDialog, StartsInItsFolderWithNoColumnCut) {
    QTemporaryDir folder;
    QFile show(folder.filePath("Sommerreise an die Ostsee 2001.dpd"));
    ASSERT_TRUE(show.open(QIODevice::WriteOnly));
    show.write(QByteArray(123456, 'x'));
    show.close();

    for (const bool save : {false, true}) {
        QString shownFolder;
        std::vector<std::pair<int, int>> columns;  // width given, width needed
        onNextModal([&](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            ASSERT_NE(dialog, nullptr);
            shownFolder = dialog->directory().absolutePath();
            auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            ASSERT_NE(details, nullptr);
            // The folder is read in the background; wait for the file to be listed.
            for (int i = 0; i < 200 && details->model()->rowCount(details->rootIndex()) == 0; ++i)
                QTest::qWait(10);
            QTest::qWait(50);
            for (int column = 0; column < details->header()->count(); ++column) {
                if (details->header()->isSectionHidden(column)) continue;
                const QAbstractItemView* view = details;
                columns.emplace_back(details->header()->sectionSize(column), view->sizeHintForColumn(column));
            }
            dialog->reject();
        });
        QtFileDialogs dialogs;
        if (save)
            dialogs.getSaveFileName(nullptr, "Speichern unter", folder.filePath("Vistre1"), "Vistrel-Files (*.dpd)");
        else
            dialogs.getOpenFileName(nullptr, "Öffnen", folder.path(), "Vistrel-Files (*.dpd)");
        EXPECT_EQ(shownFolder, QDir(folder.path()).absolutePath()) << save;
        ASSERT_GE(columns.size(), 4u) << save;
        for (std::size_t c = 0; c < columns.size(); ++c)
            EXPECT_GE(columns[c].first, columns[c].second) << "column " << c << (save ? " (save)" : " (open)");
    }
}

}  // namespace
}  // namespace vistrel::test
