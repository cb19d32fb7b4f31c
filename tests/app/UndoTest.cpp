// Undo and redo of every kind of step, through the program's own commands: the show's
// file bytes and change marks after undo are those before the step, after redo those
// after it; the saved point makes the show unmodified; a running show disables both.
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/CMainFrame.h"
#include "dialogs/LineEntryDialog.h"
#include "dialogs/ScaleDialog.h"
#include "dialogs/ShowTitleDialog.h"
#include "edits/ShowHistory.h"
#include "model/ShowFile.h"
#include "tests/app/AppFixture.h"
#include "views/CEditZeile.h"
#include "views/CVistrelView.h"
#include "views/TimelinePane.h"

namespace vistrel::test {
namespace {

// Slides 10 .. 50, descriptions "Eins" .. "Fünf".
const char* const FiveLines =
    "/h1 Urlaub\r\n/h2 Ostsee\r\n/h3 \r\n/h4 Schrank 2\r\n/a 7\r\n"
    "/p 001 010 /d 025 /t 0055 /s 000 /c Eins\r\n/p 002 020 /d 025 /t 0040 /s 000 /c Zwei\r\n"
    "/p 003 030 /d 020 /t 0060 /s 033 /c Drei\r\n/p 004 040 /d 025 /t 0055 /s 000 /c Vier\r\n"
    "/p 005 050 /d 010 /t 0030 /s 000 /c F\xFCnf\r\n";

// What a user would compare: the file the show saves to, and the marks of its lines.
struct Snapshot {
    std::string bytes;
    std::vector<int> marks;
    bool operator==(const Snapshot&) const = default;
};
void PrintTo(const Snapshot& shot, std::ostream* os) {
    *os << "marks";
    for (int m : shot.marks) *os << ' ' << m;
    *os << "\n" << shot.bytes;
}

Snapshot snapshotOf(const CVistrelDoc& doc) {
    CVistrelDoc copy;
    copy.lines = doc.lines;
    copy.lineCount = doc.lineCount;
    copy.header = doc.header;
    Snapshot shot{formatShowText(copy), {}};
    for (int i = 0; i < doc.lineCount; ++i) shot.marks.push_back(doc.lines[static_cast<std::size_t>(i)].changeMarks);
    return shot;
}

template <class T>
T* child(QWidget* parent, const char* name) {
    return parent->findChild<T*>(QString::fromLatin1(name));
}

class Undo : public AppFixture {
protected:
    CSplitterFrame& open() {
        const QString path = folder.filePath("urlaub.dpd");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(FiveLines);
        file.close();
        app.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        makeApp();
        startApp({path});
        return *app->activeFrame();
    }
    void select(CSplitterFrame& frame, std::vector<int> rows, int context = 0) {
        frame.listView()->setSelection(rows, rows.empty() ? -1 : rows.front());
        frame.listView()->setContextItem(context);
    }
    // Answers the next one-field dialog (timer, increment) with `entry`.
    static void answerEntry(const QString& entry) {
        onNextModal([entry](QWidget* modal) {
            auto* dialog = qobject_cast<LineEntryDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->entryEdit()->setText(entry);
            dialog->accept();
        });
    }
    QString actionText(int id) const { return app->mainFrame()->action(id)->text(); }
    static void dragOnTimeline(CSplitterFrame& frame, int fromX, int toX) {
        QWidget* surface = frame.timeline()->viewport();
        QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(fromX, 40));
        QTest::mouseMove(surface, QPoint(toX, 40));
        QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(toX, 40));
    }
};

TEST_F(Undo, TheTimelineShownByItsKeysTakesADragThatCtrlZTakesBack) {
    CSplitterFrame& frame = open();
    CVistrelDoc& doc = frame.document();
    QApplication::setActiveWindow(app->mainFrame());  // the keys reach the main window's commands
    QTest::keyClick(frame.listView(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(frame.timelineShown());
    frame.timeline()->setPixelsPerSecond(20.0);  // line 1: dissolve to x 50, timer to 160
    dragOnTimeline(frame, 160, 140);
    EXPECT_EQ(doc.lines[0].timerTime, 45);
    EXPECT_EQ(frame.listView()->cellText(0, 3).trimmed(), QStringLiteral("4.5"));
    QTest::keyClick(frame.timeline()->viewport(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc.lines[0].timerTime, 55);
    EXPECT_EQ(frame.listView()->cellText(0, 3).trimmed(), QStringLiteral("5.5"));
    QTest::keyClick(frame.listView(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(frame.timelineShown());
}

TEST_F(Undo, EveryKindOfStepGoesBackAndForthExactly) {
    struct Step {
        const char* name;  // the step's name in "Rückgängig: ..."
        std::function<void(CSplitterFrame&)> prepare;  // selection, clicks: no step
        std::function<void(CSplitterFrame&)> act;
    };
    const Step steps[] = {
        {"Zeile 3 geändert", [](CSplitterFrame& f) { f.listView()->makeCurrentLine(2, CTextView::Trigger::Click); },
         [](CSplitterFrame& f) {
             child<QLineEdit>(f.editor(), "slideNumberEdit")->setText("42");
             EXPECT_TRUE(f.editor()->apply());
         }},
        {"1 Zeile eingefügt", [](CSplitterFrame&) {},  // a new line typed in at the end
         [](CSplitterFrame& f) {
             child<QLineEdit>(f.editor(), "slideNumberEdit")->setText("60");
             EXPECT_TRUE(f.editor()->apply());
         }},
        {"1 Zeile eingefügt", [this](CSplitterFrame& f) { select(f, {3}, 1); },
         [this](CSplitterFrame&) { app->runCommand(cmd::InsertLine); }},
        {"1 Zeile eingefügt", [this](CSplitterFrame& f) { select(f, {}, 2); },
         [this](CSplitterFrame&) { app->runCommand(cmd::InsertLineCorrected); }},
        {"2 Zeilen entfernt", [this](CSplitterFrame& f) { select(f, {1, 3}); },
         [this](CSplitterFrame&) { app->runCommand(cmd::RemoveLines); }},
        {"Zeile entfernt", [this](CSplitterFrame& f) { select(f, {2}); },
         [this](CSplitterFrame&) { app->runCommand(cmd::RemoveLines); }},
        {"2 Zeilen entfernt", [this](CSplitterFrame& f) { select(f, {0, 4}); },
         [this](CSplitterFrame&) { app->runCommand(cmd::RemoveLinesCorrected); }},
        {"2 Timerzeiten gesetzt", [this](CSplitterFrame& f) { select(f, {1, 2}); },
         [this](CSplitterFrame&) { app->runCommand(cmd::TimersZero); }},
        {"Timerzeit gesetzt", [this](CSplitterFrame& f) { select(f, {4}); },
         [this](CSplitterFrame&) {
             answerEntry("12,5");
             app->runCommand(cmd::TimersInput);
         }},
        {"3 Dianummern erhöht", [this](CSplitterFrame& f) { select(f, {2, 3, 4}); },
         [this](CSplitterFrame&) {
             answerEntry("+5");
             app->runCommand(cmd::CorrectSlideNumbers);
         }},
        {"Zeilen verschoben", [this](CSplitterFrame& f) { select(f, {1, 2}); },
         [this](CSplitterFrame&) { app->runCommand(cmd::MoveLinesDown); }},
        {"Zeilen verschoben", [this](CSplitterFrame& f) { select(f, {2, 4}); },
         [this](CSplitterFrame&) { app->runCommand(cmd::MoveLinesUp); }},
        {"2 Zeilen ausgeschnitten", [this](CSplitterFrame& f) { select(f, {0, 1}); },
         [this](CSplitterFrame&) { app->runCommand(cmd::EditCut); }},
        {"Zeile ausgeschnitten", [this](CSplitterFrame& f) { select(f, {3}); },
         [this](CSplitterFrame&) { app->runCommand(cmd::EditCut); }},
        {"Eingefügt",
         [this](CSplitterFrame& f) {
             QApplication::clipboard()->setText(
                 "PrNr.\tDiaNr.\tUeberblendzeit\tTimer\tSF\tBeschreibung\t\n001\t  7\t  2.5\t  4.0\t  0\tNeu\t\r\n"
                 "002\t  8\t  1,5\t  3.0\t  0\t \t\r\n");
             select(f, {1});
         },
         [this](CSplitterFrame&) { app->runCommand(cmd::EditPaste); }},
        {"Diaschau skaliert", [this](CSplitterFrame& f) { select(f, {}); },
         [this](CSplitterFrame&) {
             onNextModal([](QWidget* modal) {
                 auto* scale = qobject_cast<ScaleDialog*>(modal);
                 ASSERT_NE(scale, nullptr);
                 child<QLineEdit>(scale, "minutesEdit")->setText("01");
                 QTest::mouseClick(child<QPushButton>(scale, "okButton"), Qt::LeftButton);
             });
             app->runCommand(cmd::ScaleShow);
         }},
        // Line 2 (2.5 s dissolve, 4.0 s timer) on the timeline at 10 px/s: its timer runs
        // from x 105 to its right edge at 145; dragged to 170 it becomes 6.5 s.
        {"Timer von Zeile 2 geändert",
         [](CSplitterFrame& f) {
             f.showTimeline(true);
             f.timeline()->setPixelsPerSecond(10.0);
             QTest::mouseClick(f.timeline()->viewport(), Qt::LeftButton, {}, QPoint(100, 40));
         },
         [](CSplitterFrame& f) {
             dragOnTimeline(f, 145, 170);
             EXPECT_EQ(f.document().lines[1].timerTime, 65);
         }},
        {"Titel geändert", [](CSplitterFrame&) {},
         [this](CSplitterFrame&) {
             onNextModal([](QWidget* modal) {
                 auto* dialog = qobject_cast<ShowTitleDialog*>(modal);
                 ASSERT_NE(dialog, nullptr);
                 dialog->titleEdit()->setText("Sommer");
                 dialog->accept();
             });
             app->runCommand(cmd::EditTitle);
         }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        CSplitterFrame& frame = open();
        CVistrelDoc& doc = frame.document();
        step.prepare(frame);
        const Snapshot before = snapshotOf(doc);
        const std::vector<int> selectionBefore = frame.listView()->selectedRows();
        const int lineBefore = doc.currentLine;
        EXPECT_FALSE(app->mainFrame()->action(cmd::EditUndo)->isEnabled());

        step.act(frame);
        const Snapshot after = snapshotOf(doc);
        const std::vector<int> selectionAfter = frame.listView()->selectedRows();
        ASSERT_NE(after.bytes, before.bytes);
        app->mainFrame()->updateActions();
        EXPECT_EQ(actionText(cmd::EditUndo), QString::fromUtf8("Rückgängig: ") + QString::fromUtf8(step.name));

        app->runCommand(cmd::EditUndo);
        EXPECT_EQ(snapshotOf(doc), before);
        EXPECT_FALSE(doc.hasUnsavedChanges()) << "back at the state of the file";
        EXPECT_EQ(doc.currentLine, lineBefore);
        EXPECT_EQ(frame.listView()->selectedRows(), selectionBefore);
        EXPECT_EQ(actionText(cmd::EditRedo), QString::fromUtf8("Wiederherstellen: ") + QString::fromUtf8(step.name));

        app->runCommand(cmd::EditRedo);
        EXPECT_EQ(snapshotOf(doc), after);
        EXPECT_TRUE(doc.hasUnsavedChanges());
        EXPECT_EQ(frame.listView()->selectedRows(), selectionAfter);
        // The list shows what the document holds.
        ASSERT_EQ(frame.listView()->rowCount(), doc.lineCount);
        for (int row = 0; row < doc.lineCount; ++row)
            EXPECT_EQ(frame.listView()->cellText(row, 1).trimmed().toInt(), doc.lines[row].slideNumber) << row;
    }
}

TEST_F(Undo, TheSavedPointIsTheUnmodifiedShow) {
    CSplitterFrame& frame = open();
    CVistrelDoc& doc = frame.document();
    select(frame, {0});
    app->runCommand(cmd::TimersZero);
    app->runCommand(cmd::FileSave);
    const Snapshot saved = snapshotOf(doc);
    ASSERT_FALSE(doc.hasUnsavedChanges());
    select(frame, {2});
    app->runCommand(cmd::RemoveLines);
    ASSERT_TRUE(doc.hasUnsavedChanges());

    app->runCommand(cmd::EditUndo);  // back at the saved point: nothing to ask at the end
    EXPECT_EQ(snapshotOf(doc), saved);
    EXPECT_FALSE(doc.hasUnsavedChanges());
    app->runCommand(cmd::EditUndo);  // before it: changed against the file
    EXPECT_TRUE(doc.hasUnsavedChanges());
    EXPECT_EQ(doc.lines[0].timerTime, 55);
    app->runCommand(cmd::EditRedo);
    EXPECT_EQ(snapshotOf(doc), saved);
    EXPECT_FALSE(doc.hasUnsavedChanges());
    prompter.messages.clear();
    frame.close();
    EXPECT_TRUE(prompter.messages.empty()) << "closing asks nothing";
}

TEST_F(Undo, ALineWrittenToTheProjectorIsMarkedAgainWhenUndone) {
    CSplitterFrame& frame = open();
    CVistrelDoc& doc = frame.document();
    app->settings().differentialTransfer = true;
    app->runCommand(cmd::WriteToProjector);  // the projector holds this show now
    app->runCommand(cmd::WriteToProjector);
    ASSERT_FALSE(doc.differsFromProjector(true, app->appState().projectorShowTitle));
    select(frame, {1});
    app->runCommand(cmd::TimersZero);
    app->runCommand(cmd::WriteToProjector);  // only the changed line goes
    ASSERT_FALSE(doc.lines[1].changeMarks & NotInProjector);
    app->runCommand(cmd::EditUndo);
    EXPECT_EQ(doc.lines[1].timerTime, 40);
    EXPECT_EQ(doc.lines[1].changeMarks, NotInProjector) << "the projector holds the timer of 0";
    EXPECT_FALSE(doc.lines[2].changeMarks & NotInProjector);
    app->runCommand(cmd::EditRedo);  // the timer of 0 again, which the projector holds: still marked
    EXPECT_EQ(doc.lines[1].changeMarks, AllChangeMarks);
}

TEST_F(Undo, ARunningShowDisablesUndoAndRedo) {
    CSplitterFrame& frame = open();
    select(frame, {0, 1});
    app->runCommand(cmd::TimersZero);
    app->runCommand(cmd::EditUndo);
    select(frame, {3});
    app->runCommand(cmd::TimersZero);
    app->runCommand(cmd::EditUndo);  // one step to undo, one to redo
    app->runCommand(cmd::EditRedo);
    ASSERT_TRUE(frame.history().canUndo());
    app->runState().showRunning = true;
    app->mainFrame()->updateActions();
    EXPECT_FALSE(app->mainFrame()->action(cmd::EditUndo)->isEnabled());
    const Snapshot running = snapshotOf(frame.document());
    app->runCommand(cmd::EditUndo);
    EXPECT_EQ(snapshotOf(frame.document()), running);
    // Moving lines is refused too: the projector holds them by place.
    select(frame, {2});
    EXPECT_FALSE(app->mainFrame()->action(cmd::MoveLinesUp)->isEnabled());
    app->runCommand(cmd::MoveLinesUp);
    EXPECT_EQ(snapshotOf(frame.document()), running);
    app->runState().showRunning = false;
    app->mainFrame()->updateActions();
    EXPECT_TRUE(app->mainFrame()->action(cmd::EditUndo)->isEnabled());
}

}  // namespace
}  // namespace vistrel::test
