#include <gtest/gtest.h>

#include <QtGui/private/qguiapplication_p.h>
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

TEST_F(KeyboardAndAccessTest, FocusSquareLeavesNothingBehindAtAnySquareSize) {
    for (const int side : {1, 2, 5, 40}) {
        SCOPED_TRACE(::testing::Message() << "side " << side);
        form.CellSize = side;
        form.CellSizeI = static_cast<std::int16_t>(side);
        window.dispatch([&] { form.Redraw(); });
        keys({Qt::Key_Right, Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left});
        QCoreApplication::processEvents();
        // Only the square under the focus square shows any of its yellow or its black rim.
        const QRect square(1 * side, 2 * side, side, side);
        // At the smallest sides the window's menu bar leaves room for a few rows only.
        const QRect grid = QRect(0, 0, 12 * side, 8 * side) & board()->rect();
        EXPECT_EQ(yellowPixels(grid), yellowPixels(square));
        const QImage shown = board()->grab(grid).toImage();
        const QImage& surface = window.surface().image();
        for (int y = 0; y < grid.height(); ++y) {
            for (int x = 0; x < grid.width(); ++x) {
                if (!square.contains(x, y)) {
                    ASSERT_EQ(shown.pixel(x, y), surface.pixel(x, y)) << x << ", " << y;
                }
            }
        }
        keys({Qt::Key_Up, Qt::Key_Up, Qt::Key_Left});  // back to the top-left square
    }
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

// What a screen reader is told while it runs: every event, and the words of each announcement
// as they were when it was made.
struct ReaderLog {
    static inline QList<QString> heard;
    static inline QList<QAccessibleInterface*> speakers;  // which notification spoke each
    static inline QList<std::pair<QAccessible::Event, int>> events;
    static void record(QAccessibleEvent* event) {
        events.append({event->type(), event->child()});
        if (event->type() == QAccessible::ObjectShow &&
            event->accessibleInterface()->role() == QAccessible::Notification) {
            heard.append(event->accessibleInterface()->text(QAccessible::Name));
            speakers.append(event->accessibleInterface());
        }
    }
};

class ScreenReaderTest : public KeyboardAndAccessTest {
protected:
    ScreenReaderTest() {
        QAccessible::installUpdateHandler(&ReaderLog::record);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        ReaderLog::heard.clear();
        ReaderLog::speakers.clear();
        ReaderLog::events.clear();
    }
    ~ScreenReaderTest() override {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
        QAccessible::installUpdateHandler(nullptr);
    }
    // What keys made the reader hear, once each.
    QList<QString> hear(const QList<Qt::Key>& pressed) {
        ReaderLog::heard.clear();
        for (const Qt::Key key : pressed) {
            QTest::keyClick(board(), key);
            // Each key's words are spoken once it is done.
            QCoreApplication::processEvents();
        }
        return ReaderLog::heard;
    }
    bool told(QAccessible::Event type, int child) {
        return ReaderLog::events.contains(std::pair{type, child});
    }
    QAccessibleInterface* square(int column, int row) { return reader()->child(row * 12 + column); }
    QAccessibleInterface* reader() { return QAccessible::queryAccessibleInterface(board()); }
};

TEST_F(ScreenReaderTest, SquaresAreShortlyNamedAndFollowTheFocusOneAtATime) {
    QAccessibleInterface* group = reader();
    ASSERT_NE(group, nullptr);
    // Not a table, whose rows a reader would read whole at every step up or down.
    EXPECT_EQ(group->role(), QAccessible::Grouping);
    EXPECT_EQ(group->tableInterface(), nullptr);
    EXPECT_EQ(group->text(QAccessible::Name), "Draughts board");
    ASSERT_EQ(group->childCount(), 97);
    EXPECT_EQ(square(0, 0)->text(QAccessible::Name), "1, red piece");
    EXPECT_EQ(square(2, 3)->text(QAccessible::Name), "white square, empty");
    EXPECT_EQ(square(7, 7)->text(QAccessible::Name), "32, blue piece");
    EXPECT_EQ(square(8, 2)->text(QAccessible::Name), "gap, empty");
    EXPECT_EQ(square(9, 0)->text(QAccessible::Name), "red tray cell 1, empty");
    // The notifications that speak each change lie in a status bar, so that Orca speaks their
    // words alone.
    EXPECT_EQ(group->child(96)->role(), QAccessible::StatusBar);
    EXPECT_EQ(group->child(96)->child(0)->role(), QAccessible::Notification);
    EXPECT_EQ(group->child(96)->child(0)->parent(), group->child(96));
    EXPECT_EQ(group->indexOfChild(square(5, 2)), 2 * 12 + 5);
    const QPoint inside = board()->mapToGlobal(QPoint(100, 140));
    EXPECT_EQ(group->childAt(inside.x(), inside.y()), square(2, 3));

    keys({Qt::Key_Down, Qt::Key_Down});
    EXPECT_TRUE(told(QAccessible::Focus, 2 * 12));
    EXPECT_EQ(group->focusChild(), square(0, 2));
    EXPECT_TRUE(square(0, 2)->state().focused);
    // The square under a carried piece says so; the piece is not named on it.
    keys({Qt::Key_Space, Qt::Key_Down});
    EXPECT_EQ(square(0, 3)->text(QAccessible::Name), "white square, empty, carrying red piece");
    EXPECT_EQ(square(0, 2)->text(QAccessible::Name), "9, empty");
    ReaderLog::events.clear();
    keys({Qt::Key_Right, Qt::Key_Space});
    EXPECT_TRUE(told(QAccessible::NameChanged, 3 * 12 + 1));
    EXPECT_EQ(square(1, 3)->text(QAccessible::Name), "13, red piece");
}

TEST_F(ScreenReaderTest, EveryChangeOfTheGameIsHeardOnceInWordsWhateverMadeIt) {
    EXPECT_EQ(hear({Qt::Key_Down}), QList<QString>{});  // the reader reads the square itself
    EXPECT_EQ(hear({Qt::Key_Space}), QList<QString>{"Nothing to pick up on white square."});
    EXPECT_EQ(hear({Qt::Key_Down, Qt::Key_Space}), QList<QString>{"Picked up red piece on 9."});
    EXPECT_EQ(hear({Qt::Key_Down}), QList<QString>{});  // the square says what is carried
    EXPECT_EQ(hear({Qt::Key_C}), QList<QString>{"Carrying red piece from 9, over white square, "
                                                "empty."});
    EXPECT_EQ(hear({Qt::Key_Space}),
              QList<QString>{"Refused, a white square: red piece back on 9."});
    EXPECT_EQ(hear({Qt::Key_Space, Qt::Key_Escape}),
              (QList<QString>{"Nothing to pick up on white square.", "Nothing carried."}));
    EXPECT_EQ(hear({Qt::Key_Up, Qt::Key_Space, Qt::Key_Escape}),
              (QList<QString>{"Picked up red piece on 9.", "Red piece put back on 9."}));
    EXPECT_EQ(hear({Qt::Key_L}), QList<QString>{"Red piece put back on 9."});

    // The other player's mouse: each new square under the carried piece, then the drop.
    ReaderLog::heard.clear();
    ReaderLog::speakers.clear();
    QTest::mousePress(board(), Qt::LeftButton, {}, QPoint(60, 220));
    QCoreApplication::processEvents();
    QTest::mouseMove(board(), QPoint(62, 222));
    QCoreApplication::processEvents();
    QTest::mouseMove(board(), QPoint(100, 180));
    QCoreApplication::processEvents();
    QTest::mouseRelease(board(), Qt::LeftButton, {}, QPoint(100, 180));
    QCoreApplication::processEvents();
    EXPECT_EQ(ReaderLog::heard,
              (QList<QString>{"Picked up blue piece on 21.", "Carrying blue piece over 18, empty.",
                              "Blue piece dropped on 18."}));
    // Each by a notification of its own, so that a reader drops none as out of date.
    EXPECT_EQ(ReaderLog::speakers.size(), ReaderLog::heard.size());
    EXPECT_NE(ReaderLog::speakers[0], ReaderLog::speakers[1]);
    EXPECT_NE(ReaderLog::speakers[1], ReaderLog::speakers[2]);

    // Off the board, into the tray.
    ReaderLog::heard.clear();
    QTest::mousePress(board(), Qt::LeftButton, {}, QPoint(100, 180));
    QTest::mouseRelease(board(), Qt::LeftButton, {}, QPoint(340, 180));
    QCoreApplication::processEvents();
    // Events handled in one go are spoken in one go.
    EXPECT_EQ(ReaderLog::heard.last(),
              "Picked up blue piece on 18. Blue piece filed in blue tray cell 1.");

    EXPECT_EQ(hear({Qt::Key_P}).first().left(31), "Red on 1, 2, 3, 4, 5, 6, 7, 8, ");
    EXPECT_EQ(hear({Qt::Key_R}).first().left(26), "Row 3: 9, red piece; white");
}

TEST_F(ScreenReaderTest, MenuCommandsSayWhatTheyDidAndAHeldPieceWhereItWent) {
    hear({Qt::Key_Space});
    ReaderLog::heard.clear();
    // One utterance for one command, however many changes it made.
    window.findChild<QAction*>("Large")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(ReaderLog::heard, QList<QString>{"Red piece put back on 1. Large size, new game."});
    ReaderLog::heard.clear();
    for (const char* command : {"Save", "Load", "Kng"}) {
        window.findChild<QAction*>(command)->trigger();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(ReaderLog::heard,
              (QList<QString>{"Position saved.", "Position loaded.", "New game."}));
    EXPECT_EQ(hear({Qt::Key_L}), QList<QString>{"No move yet."});
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
