// Renders a show window into PNG files under the build folder, so that the list and
// the editor can be looked at as a user sees them. The checks make sure the renders
// show the show and not an empty window.
#include <gtest/gtest.h>

#include <QMenu>
#include <QPixmap>
#include <QTest>

#include "ViewsFixture.h"

namespace vistrel::test {
namespace {

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

}  // namespace
}  // namespace vistrel::test
