// Renders a show window into PNG files under the build folder, so that the list and
// the editor can be looked at as a user sees them. The checks make sure the renders
// show the show and not an empty window.
#include <gtest/gtest.h>

#include <QMenu>
#include <QPixmap>
#include <QTest>

#include "ViewsFixture.h"
#include "views/ListGeometry.h"

namespace vistrel::test {
namespace {

namespace geo = listgeometry;

TEST(Screenshots, ShowWindowWithEveryKindOfRow) {
    ShowWindow w;
    w.settings.showTotalLength = true;
    w.addLine(12, 25, 55, 0, "Titeldia");
    w.addLine(13, 30, 0, 100, "Pause am Anfang");
    w.addLine(14, 25, 40, 33, "Kurzer Timer");
    w.addLine(15, 25, 54, 160, "Autoreverse mit Ab-/Aufblenden und einer sehr langen Beschreibung, die nicht passt");
    w.addLine(16, 10, 100, 270);
    w.addLine(0, 25, 0, 0);
    w.open(700, 435);  // the size a new show window gets
    w.reloadFromDocument();
    w.list->selectionModel()->select(w.list->model()->index(2, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ShowWindow::settle();

    const QPixmap shot = w.window->grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(screenshotPath(QStringLiteral("show-window.png"))));
    EXPECT_EQ(w.list->rowCount(), 6);
    // The form fits the window's working width without being squeezed.
    EXPECT_LE(w.editor->minimumSizeHint().width(), 700);
}

TEST(Screenshots, EditorOnAnExistingLineAndTheContextMenu) {
    ShowWindow w;
    w.addLine(21, 30, 45, 33, "Blinken dreimal");
    w.addLine(22, 25, 55, 170, "Ab-/Aufblenden mit Pause");
    w.open(1000, 300);
    w.reloadFromDocument();
    w.list->makeCurrentLine(0, CTextView::Trigger::DoubleClick);
    ShowWindow::settle();
    EXPECT_TRUE(w.editor->grab().save(screenshotPath(QStringLiteral("editor-blink.png"))));
    w.list->makeCurrentLine(1, CTextView::Trigger::DoubleClick);
    ShowWindow::settle();
    EXPECT_TRUE(w.editor->grab().save(screenshotPath(QStringLiteral("editor-autoreverse.png"))));

    QTest::mouseClick(w.list->viewport(), Qt::RightButton, Qt::NoModifier,
                      w.list->visualRect(w.list->model()->index(1, 1)).center());
    QMenu* menu = w.list->contextMenu();
    ASSERT_NE(menu, nullptr);
    menu->actions().at(1)->menu()->popup(menu->mapToGlobal(QPoint(menu->width(), 20)));
    ShowWindow::settle();
    EXPECT_TRUE(menu->grab().save(screenshotPath(QStringLiteral("context-menu.png"))));
    menu->close();
}

// Pixels of `image` inside `box` for which `match` holds.
int countPixels(const QImage& image, const QRect& box, const std::function<bool(QColor)>& match) {
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (match(image.pixelColor(x, y))) ++count;
    return count;
}

TEST(Screenshots, SelectedSpecialRowsStayReadable) {
    const QPalette savedMenu = QApplication::palette("QMenu");
    const struct {
        QColor menu;
        QColor barFill;
        const char* file;
    } desktops[] = {
        {QColor(255, 255, 255), QColor(192, 192, 192), "selected-special-rows.png"},  // white menus: grey bar
        {QColor(160, 160, 160), QColor(160, 160, 160), "selected-special-rows-grey-menu.png"},
    };
    for (const auto& desktop : desktops) {
        QPalette menu = savedMenu;
        menu.setColor(QPalette::Window, desktop.menu);
        QApplication::setPalette(menu, "QMenu");

        ShowWindow w;
        w.addLine(13, 30, 0, 100, "Pause");
        w.addLine(14, 25, 30, 0, "Kurz");
        w.addLine(0, 40, 0, 0);
        w.addLine(15, 25, 80, 0, "Danach");
        w.open(700, 435);
        w.reloadFromDocument();
        w.list->setFocus();
        for (int row = 0; row < 3; ++row)
            w.list->selectionModel()->select(w.list->model()->index(row, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
        ShowWindow::settle();
        const QImage shot = w.list->viewport()->grab().toImage();
        EXPECT_TRUE(w.list->grab().save(screenshotPath(QString::fromLatin1(desktop.file))));

        const QColor base = w.list->palette().color(QPalette::Active, QPalette::Base);
        const QColor highlight = w.list->palette().color(QPalette::Active, QPalette::Highlight);
        // The selected timers keep their blue and red, on a patch of the list's background.
        const struct {
            int row;
            QColor tint;
        } timers[] = {{0, QColor(0, 0, 255)}, {1, QColor(255, 0, 0)}};
        for (const auto& t : timers) {
            const QRect cell = w.list->visualRect(w.list->model()->index(t.row, 3));
            // Text is smoothed: its core pixels are near the tint.
            const auto nearTint = [&](QColor c) {
                return std::abs(c.red() - t.tint.red()) + std::abs(c.green() - t.tint.green()) +
                           std::abs(c.blue() - t.tint.blue()) <
                       100;
            };
            EXPECT_GT(countPixels(shot, cell, nearTint), 10) << t.row;
            EXPECT_GT(countPixels(shot, cell, [&](QColor c) { return c == base; }), 10) << t.row;
        }
        // The selected end-of-show bar: its own fill, and text that reads on it.
        const QRect bar = w.list->visualRect(w.list->model()->index(2, 1)).united(
            w.list->visualRect(w.list->model()->index(2, 5)));
        const QRect inside(w.list->visualRect(w.list->model()->index(2, 4)).center(), QSize(10, 1));
        EXPECT_EQ(countPixels(shot, inside, [&](QColor c) { return c == desktop.barFill; }), 10) << desktop.file;
        const QRect words(w.list->visualRect(w.list->model()->index(2, 0)).left(), bar.top() + 2, 200,
                          bar.height() - 4);
        const int readable = countPixels(shot, words, [&](QColor c) {
            return c != highlight && c != desktop.barFill && geo::contrastRatio(c, desktop.barFill) >= 3.0;
        });
        EXPECT_GT(readable, 20) << desktop.file;
    }
    QApplication::setPalette(savedMenu, "QMenu");
}

}  // namespace
}  // namespace vistrel::test
