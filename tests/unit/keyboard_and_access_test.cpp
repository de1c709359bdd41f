#include <gtest/gtest.h>

#include <QtGui/private/qguiapplication_p.h>
#include <QtTest/qtestaccessible.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAccessible>
#include <QApplication>
#include <QPointingDevice>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "main_window.h"
#include "offscreen/position_files.h"
#include "support/board_invariants.h"

namespace {
// The real window played without a mouse: keys, a screen reader's view of it, and touch.
class KeyboardAndAccessTest : public ::testing::Test {
protected:
    KeyboardAndAccessTest() {
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget* board() { return window.centralWidget(); }
    QPoint placeOf(int position) {
        return QPoint(form.pieceAt(position).X(), form.pieceAt(position).Y());
    }
    void keys(const QList<Qt::Key>& pressed) {
        for (const Qt::Key key : pressed) {
            QTest::keyClick(board(), key);
        }
    }
    // How many pixels of the focus square's yellow the board shows within area.
    int yellowPixels(QRect area) {
        const QImage shown = board()->grab(area).toImage();
        int count = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                count += shown.pixel(x, y) == QColor(Qt::yellow).rgb();
            }
        }
        return count;
    }

    QTemporaryDir folder;
    MainWindow window{{folder.path() + "/Videver.txt"}};
    Form1& form = window.form();
};

TEST_F(KeyboardAndAccessTest, KeysReachEveryMoveTheMouseMakes) {
    EXPECT_TRUE(board()->hasFocus());
    // No focus square until a key is used, then one on the top-left square and nowhere else.
    EXPECT_EQ(yellowPixels(QRect(0, 0, 480, 320)), 0);
    keys({Qt::Key_Left, Qt::Key_Up});  // already at the grid's edge: nothing moves
    EXPECT_GT(yellowPixels(QRect(0, 0, 40, 40)), 0);
    EXPECT_EQ(yellowPixels(QRect(0, 0, 480, 320)), yellowPixels(QRect(0, 0, 40, 40)));

    // Piece 9, on (20, 100), down one square and right one: a free black square.
    keys({Qt::Key_Down, Qt::Key_Down, Qt::Key_Space, Qt::Key_Down});
    EXPECT_EQ(placeOf(9), QPoint(20, 140));  // it travels with the focus square
    keys({Qt::Key_Right, Qt::Key_Return});
    EXPECT_EQ(placeOf(9), QPoint(60, 140));
    EXPECT_EQ(markedPieces(form), 0);

    // A drop on a white square is refused and the piece goes back.
    keys({Qt::Key_Space, Qt::Key_Right, Qt::Key_Space});
    EXPECT_EQ(placeOf(9), QPoint(60, 140));

    // Carried through the gap column, it is filed into the red tray.
    keys({Qt::Key_Left, Qt::Key_Space});
    for (int step = 0; step < 7; ++step) {
        QTest::keyClick(board(), Qt::Key_Right);
    }
    QTest::keyClick(board(), Qt::Key_Space);
    EXPECT_EQ(placeOf(9), QPoint(380, 20)) << "filed into the first red cell";
    EXPECT_EQ(form.Tray1(1, 1), 1);

    // Escape puts a carried piece back; a tray piece comes back onto a free black square.
    keys({Qt::Key_Right, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Space, Qt::Key_Down,
          Qt::Key_Escape});
    EXPECT_EQ(placeOf(9), QPoint(380, 20));
    EXPECT_EQ(markedPieces(form), 0);
    keys({Qt::Key_Up, Qt::Key_Space});
    for (int step = 0; step < 8; ++step) {
        QTest::keyClick(board(), Qt::Key_Left);
    }
    keys({Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space});
    EXPECT_EQ(placeOf(9), QPoint(60, 140));
    EXPECT_EQ(form.Tray1(1, 1), 0);
    EXPECT_TRUE(positionIsSound(form));

    // Keys that elsewhere save or open do nothing here.
    QTest::keyClick(board(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(board(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_FALSE(QFile::exists(folder.path() + "/Videver.txt"));

    // A mouse press hides the focus square again.
    ASSERT_GT(yellowPixels(QRect(0, 0, 480, 320)), 0);
    QTest::mousePress(board(), Qt::LeftButton, {}, QPoint(300, 20));
    EXPECT_EQ(yellowPixels(QRect(0, 0, 480, 320)), 0);
}

TEST_F(KeyboardAndAccessTest, MouseAndKeysMixWithoutLosingOrDoublingAPiece) {
    keys({Qt::Key_Down, Qt::Key_Down, Qt::Key_Space, Qt::Key_Down});
    QTest::mousePress(board(), Qt::LeftButton, {}, QPoint(180, 100));  // a second piece: no
    QTest::mouseMove(board(), QPoint(230, 160));
    QTest::mouseRelease(board(), Qt::LeftButton, {}, QPoint(230, 160));
    EXPECT_EQ(markedPieces(form), 0);
    EXPECT_TRUE(positionIsSound(form));
    QTest::mousePress(board(), Qt::LeftButton, {}, QPoint(180, 100));
    keys({Qt::Key_Escape, Qt::Key_Space, Qt::Key_Space});
    EXPECT_EQ(markedPieces(form), 0);
    EXPECT_TRUE(positionIsSound(form));
}

TEST_F(KeyboardAndAccessTest, ScreenReaderReadsATableOfNamedSquaresAndFollowsTheFocus) {
    // Switched on as when a screen reader runs; the recorder then takes every event.
    QTestAccessibility::initialize();
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    QTestAccessibility::clearEvents();
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(board());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->text(QAccessible::Name), "Draughts board");
    QAccessibleTableInterface* grid = table->tableInterface();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), 8);
    EXPECT_EQ(grid->columnCount(), 12);
    EXPECT_EQ(grid->cellAt(0, 0)->text(QAccessible::Name),
              "row 1, column 1, black square, red piece");
    EXPECT_EQ(grid->cellAt(3, 2)->text(QAccessible::Name), "row 4, column 3, white square, empty");
    EXPECT_EQ(grid->cellAt(7, 7)->text(QAccessible::Name),
              "row 8, column 8, black square, blue piece");
    EXPECT_EQ(grid->cellAt(2, 8)->text(QAccessible::Name), "row 3, gap, empty");
    EXPECT_EQ(grid->cellAt(0, 9)->text(QAccessible::Name), "red tray, row 1, column 1, empty");
    EXPECT_EQ(grid->cellAt(7, 11)->text(QAccessible::Name), "blue tray, row 4, column 3, empty");
    EXPECT_NE(grid->cellAt(-1, 99), nullptr);
    EXPECT_EQ(table->indexOfChild(grid->cellAt(2, 5)), 2 * 12 + 5);
    EXPECT_EQ(table->childAt(board()->mapToGlobal(QPoint(100, 140)).x(),
                             board()->mapToGlobal(QPoint(100, 140)).y()),
              grid->cellAt(3, 2));

    // Each key that moves the focus square names its square; a move names what changed.
    keys({Qt::Key_Down, Qt::Key_Down});
    QAccessibleEvent focus(board(), QAccessible::Focus);
    focus.setChild(2 * 12);
    EXPECT_TRUE(QTestAccessibility::containsEvent(&focus));
    EXPECT_EQ(table->focusChild(), grid->cellAt(2, 0));
    EXPECT_TRUE(table->focusChild()->state().focused);
    keys({Qt::Key_Space, Qt::Key_Down, Qt::Key_Right, Qt::Key_Space});
    for (const int square : {2 * 12, 3 * 12 + 1}) {
        QAccessibleEvent changed(board(), QAccessible::NameChanged);
        changed.setChild(square);
        EXPECT_TRUE(QTestAccessibility::containsEvent(&changed)) << square;
    }
    EXPECT_EQ(grid->cellAt(3, 1)->text(QAccessible::Name),
              "row 4, column 2, black square, red piece");
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
    // The recorder keeps copies of the events and leaves them to whoever reads them.
    qDeleteAll(QTestAccessibility::events());
    QTestAccessibility::clearEvents();
    QTestAccessibility::cleanup();
}

TEST_F(KeyboardAndAccessTest, OneFingerDragsLikeTheMouseASecondPicksUpNothingACancelPutsBack) {
    const std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice());
    QPointingDevice* touchscreen = device.get();
    // Piece 10, on (100, 100), to the free black square (3, 3).
    QTest::touchEvent(board(), touchscreen).press(0, QPoint(100, 100), board());
    QTest::touchEvent(board(), touchscreen).move(0, QPoint(141, 139), board());
    QTest::touchEvent(board(), touchscreen).release(0, QPoint(141, 139), board());
    EXPECT_EQ(placeOf(10), QPoint(140, 140));

    // A first finger on an empty square, then a second on a piece: nothing is picked up.
    QTest::touchEvent(board(), touchscreen).press(0, QPoint(140, 100), board());
    QTest::touchEvent(board(), touchscreen).stationary(0).press(1, QPoint(60, 60), board());
    EXPECT_EQ(markedPieces(form), 0);
    QTest::touchEvent(board(), touchscreen)
        .release(0, QPoint(140, 100), board())
        .release(1, QPoint(60, 60), board());

    // A touch the system cancels puts the piece back.
    QTest::touchEvent(board(), touchscreen).press(0, QPoint(140, 140), board());
    QTest::touchEvent(board(), touchscreen).move(0, QPoint(180, 180), board());
    ASSERT_EQ(markedPieces(form), 1);
    QTouchEvent cancel(QEvent::TouchCancel, touchscreen);
    QApplication::sendEvent(board(), &cancel);
    EXPECT_EQ(markedPieces(form), 0);
    EXPECT_EQ(placeOf(10), QPoint(140, 140));
    EXPECT_TRUE(positionIsSound(form));
}
}  // namespace
