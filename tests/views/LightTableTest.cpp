// The light table on the offscreen platform: its cards in program order with their
// pictures, the selection it shares with the list, Alt+Down and Ctrl+Z on it, dropped cards;
// and the picture beside the line editor.
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QMimeData>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "ViewsFixture.h"
#include "views/CardBoard.h"
#include "views/EditorPicture.h"
#include "views/LightTable.h"

namespace vistrel {
namespace {

struct LightTableShow {
    QTemporaryDir folder;
    test::ShowWindow show;
    std::unique_ptr<LightTable> table;

    LightTableShow() {
        // Flat-coloured pictures for three of the slides; slide 5 has none.
        const std::pair<const char*, QColor> pictures[] = {
            {"012-rot.png", QColor(200, 0, 0)}, {"007.png", QColor(0, 160, 0)}, {"003-Blau.PNG", QColor(0, 0, 220)}};
        for (const auto& [name, colour] : pictures) {
            QImage image(300, 200, QImage::Format_RGB32);
            image.fill(colour);
            image.save(folder.filePath(QString::fromLatin1(name)), "PNG");
        }
        show.addLine(12, 25, 60, 0, "Turm");
        show.addLine(7, 25, 0, 0, "Brücke");  // timer 0: a pause
        show.addLine(3, 25, 45, 0, "See");
        show.addLine(5, 25, 45, 0, "Wald");
        show.open();
        table = std::make_unique<LightTable>(show.history, *show.list, folder.path(), nullptr);
        table->resize(760, 520);
        table->show();
        test::ShowWindow::settle();
    }

    CardBoard& board() const { return table->board(); }
    QPoint cardCentre(int index) const {
        const CardBox box = board().layout().cardBox(index);
        return {box.x + box.width / 2, box.y + box.height / 2};
    }
    // A point in the middle of a card's picture.
    QColor pictureColour(const QImage& shot, int index) const {
        const CardBox box = board().layout().cardBox(index);
        return shot.pixelColor(box.x + box.width / 2, box.y + 40);
    }
    bool allPictured(const QImage& shot, int cards) const {
        for (int i = 0; i < cards; ++i)
            if (pictureColour(shot, i) == QColor(Qt::black)) return false;
        return true;
    }
    // Waits, at most 10 s, until every card shows its picture.
    QImage shotWithPictures(int cards) const {
        QDeadlineTimer deadline(10000);
        QImage shot;
        do {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
            shot = board().grab().toImage();
        } while (!allPictured(shot, cards) && !deadline.hasExpired());
        return shot;
    }
    std::vector<int> slides() const {
        return {show.doc.lines[0].slideNumber, show.doc.lines[1].slideNumber, show.doc.lines[2].slideNumber,
                show.doc.lines[3].slideNumber};
    }
};

TEST(LightTable, CardsShowTheSlidesPicturesInProgramOrder) {
    LightTableShow t;
    ASSERT_EQ(t.board().layout().columns(), 4);
    const QImage shot = t.shotWithPictures(4);
    const QColor expected[] = {QColor(200, 0, 0), QColor(0, 160, 0), QColor(0, 0, 220)};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(t.pictureColour(shot, i), expected[i]) << "card " << i;
    // Slide 5 has no picture: its slide card stands in the picture's place.
    const CardBox box = t.board().layout().cardBox(3);
    EXPECT_EQ(shot.pixelColor(box.x + 10, box.y + 10), QColor(40, 44, 52));
}

TEST(LightTable, SelectionIsTheListsBothWays) {
    LightTableShow t;
    QTest::mouseClick(&t.board(), Qt::LeftButton, {}, t.cardCentre(2));
    EXPECT_EQ(t.show.list->selectedRows(), (std::vector<int>{2}));
    QTest::mouseClick(&t.board(), Qt::LeftButton, Qt::ControlModifier, t.cardCentre(0));
    EXPECT_EQ(t.show.list->selectedRows(), (std::vector<int>{0, 2}));
    QTest::mouseClick(&t.board(), Qt::LeftButton, Qt::ShiftModifier, t.cardCentre(3));
    EXPECT_EQ(t.show.list->selectedRows(), (std::vector<int>{0, 1, 2, 3}));

    // Selected in the list: the table draws card 1 highlighted and card 3 not.
    t.show.list->setSelection({1}, 1);
    test::ShowWindow::settle();
    const QImage shot = t.board().grab().toImage();
    const QColor highlight = t.board().palette().color(QPalette::Highlight);
    auto textArea = [&](int index) {
        const CardBox box = t.board().layout().cardBox(index);
        return shot.pixelColor(box.x + 2, box.y + box.height - 2);
    };
    EXPECT_EQ(textArea(1), highlight);
    EXPECT_NE(textArea(3), highlight);
    EXPECT_NE(textArea(0), highlight);
    // A double-click makes the line the editor's.
    QTest::mouseDClick(&t.board(), Qt::LeftButton, {}, t.cardCentre(2));
    EXPECT_EQ(t.show.doc.currentLine, 2);
}

TEST(LightTable, AltDownMovesTheLineAndCtrlZPutsItBack) {
    LightTableShow t;
    QTest::mouseClick(&t.board(), Qt::LeftButton, {}, t.cardCentre(1));
    QTest::keyClick(&t.board(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(t.slides(), (std::vector<int>{12, 3, 7, 5}));
    EXPECT_EQ(t.show.list->selectedRows(), (std::vector<int>{2}));
    EXPECT_EQ(t.show.history.undoName(), QStringLiteral("Zeilen verschoben"));
    // The moved card shows its picture in its new place.
    const QImage shot = t.shotWithPictures(4);
    EXPECT_EQ(t.pictureColour(shot, 2), QColor(0, 160, 0));

    QTest::keyClick(&t.board(), Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(t.slides(), (std::vector<int>{12, 7, 3, 5}));
    QTest::keyClick(&t.board(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(t.slides(), (std::vector<int>{12, 3, 7, 5}));
    QTest::keyClick(&t.board(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(t.slides(), (std::vector<int>{12, 7, 3, 5}));
}

TEST(LightTable, CtrlWheelAndSliderSetTheCardSize) {
    LightTableShow t;
    QWheelEvent wheel(QPointF(20, 20), QPointF(20, 20), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&t.board(), &wheel);
    EXPECT_EQ(t.board().cardWidth(), 200);  // 160 and two steps of 20
    t.table->sizeSlider().setValue(300);
    EXPECT_EQ(t.board().layout().columns(), 2);
}

TEST(LightTable, DroppedCardsMoveTheirLinesInOneStep) {
    LightTableShow t;
    QTest::mouseClick(&t.board(), Qt::LeftButton, {}, t.cardCentre(0));
    QTest::mouseClick(&t.board(), Qt::LeftButton, Qt::ShiftModifier, t.cardCentre(1));
    auto dropAt = [&](QPoint point, const QMimeData* data) {
        QDropEvent drop(QPointF(point), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        // Straight to the board: outside a real drag the application holds drops back.
        static_cast<QObject&>(t.board()).event(&drop);
    };
    // Cards of another show's table are refused.
    QMimeData foreign;
    foreign.setData(QStringLiteral("application/x-vistrel-cards"), QByteArray("1234"));
    dropAt(t.cardCentre(3) + QPoint(40, 0), &foreign);
    EXPECT_EQ(t.slides(), (std::vector<int>{12, 7, 3, 5}));

    // Dropped on the right half of the last card: after it.
    const std::unique_ptr<QMimeData> ours = t.board().dragData();
    dropAt(t.cardCentre(3) + QPoint(40, 0), ours.get());
    EXPECT_EQ(t.slides(), (std::vector<int>{3, 5, 12, 7}));
    EXPECT_EQ(t.show.list->selectedRows(), (std::vector<int>{2, 3}));
    EXPECT_EQ(t.show.history.undoName(), QStringLiteral("Zeilen verschoben"));
    QTest::keyClick(&t.board(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(t.slides(), (std::vector<int>{12, 7, 3, 5}));
}

TEST(EditorPicture, FollowsTheSlideNumberAsTyped) {
    QTemporaryDir folder;
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(QColor(0, 160, 0));
    image.save(folder.filePath(QStringLiteral("007-Brücke.png")), "PNG");
    CVistrelDoc doc;
    QLineEdit slideField;
    EditorPicture picture(slideField, doc, folder.path());
    picture.resize(160, 150);
    picture.show();
    const QColor background = picture.palette().color(QPalette::Window);
    struct Case {
        const char* typed;
        QColor corner;  // a point near the top left of the picture's place
    };
    const Case cases[] = {
        {"7", QColor(0, 160, 0)}, {"12", QColor(40, 44, 52)},  // no picture for 12: its slide card
        {"0", background},        {"", background},  {"x", background},
        {"007", QColor(0, 160, 0)},
    };
    for (const auto& c : cases) {
        slideField.setText(QString::fromLatin1(c.typed));
        QDeadlineTimer deadline(10000);
        QColor seen;
        do {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
            seen = picture.grab().toImage().pixelColor(10, 10);
        } while (seen != c.corner && !deadline.hasExpired());
        EXPECT_EQ(seen, c.corner) << "typed \"" << c.typed << "\"";
    }
}

}  // namespace
}  // namespace vistrel
