#include <gtest/gtest.h>

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAccessible>
#include <QApplication>
#include <QMenu>
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

TEST_F(KeyboardAndAccessTest, TwoHandsEachPutTheOthersPieceBackBeforeTakingTheirOwn) {
    keys({Qt::Key_Down, Qt::Key_Down, Qt::Key_Space, Qt::Key_Down});  // the keys carry red 9
    // The mouse takes blue 21; the keys' piece goes back first.
    QTest::mousePress(board(), Qt::LeftButton, {}, QPoint(60, 300));
    EXPECT_EQ(placeOf(9), QPoint(20, 100));
    QTest::mouseMove(board(), QPoint(100, 260));
    keys({Qt::Key_Up, Qt::Key_Right, Qt::Key_Right, Qt::Key_Space});  // the keys take red 10
    EXPECT_EQ(placeOf(21), QPoint(60, 300)) << "the mouse's piece went back";
    EXPECT_EQ(form.pieceAt(10).ISMOVING, true);
    // The pointer's moves and release leave the keys' piece alone.
    QTest::mouseMove(board(), QPoint(200, 200));
    QTest::mouseRelease(board(), Qt::LeftButton, {}, QPoint(200, 200));
    keys({Qt::Key_PageDown, Qt::Key_Space});  // diagonally down-right to 14
    EXPECT_EQ(placeOf(10), QPoint(140, 140));
    EXPECT_EQ(markedPieces(form), 0);
    EXPECT_TRUE(positionIsSound(form));

    // A number and Enter go to that dark square; N to the next square with a piece.
    keys({Qt::Key_2, Qt::Key_2, Qt::Key_Return, Qt::Key_Space, Qt::Key_Home, Qt::Key_Space});
    EXPECT_EQ(placeOf(14), QPoint(100, 180)) << "22 up-left to 18";
    keys({Qt::Key_N, Qt::Key_Space});
    EXPECT_EQ(form.pieceAt(13).ISMOVING, true) << "from 18 the next piece is on 21";
    keys({Qt::Key_Escape});
    keys({Qt::Key_1, Qt::Key_Return, Qt::Key_N, Qt::Key_Space});
    EXPECT_EQ(form.pieceAt(2).ISMOVING, true) << "from 1 the next piece is on 2";
    // Put back by a menu, the piece is the mouse's to take next.
    QMetaObject::invokeMethod(window.findChild<QMenu*>("File"), "aboutToShow");
    QTest::mousePress(board(), Qt::LeftButton, {}, QPoint(100, 20));
    QTest::mouseMove(board(), QPoint(110, 30));
    EXPECT_EQ(placeOf(2), QPoint(110, 30));
}

// What a screen reader is told while it runs: every event, and the words of each announcement
// as they were when it was made.
struct ReaderLog {
    static inline QList<QString> heard;
    static inline QList<QAccessibleInterface*> speakers;  // which notification spoke each
    static inline QList<std::pair<QAccessible::Event, int>> events;
    // Whether every notification shown had just been renamed: a reader that keeps names would
    // otherwise speak the words it was last told of.
    static inline bool renamedBeforeShown = true;
    static inline QAccessibleInterface* renamed = nullptr;
    static void record(QAccessibleEvent* event) {
        events.append({event->type(), event->child()});
        QAccessibleInterface* source = event->accessibleInterface();
        if (source->role() != QAccessible::Notification) {
            return;
        }
        if (event->type() == QAccessible::NameChanged) {
            renamed = source;
        }
        if (event->type() == QAccessible::ObjectShow) {
            heard.append(source->text(QAccessible::Name));
            speakers.append(source);
            renamedBeforeShown = renamedBeforeShown && renamed == source;
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

TEST_F(ScreenReaderTest, EveryMoveIsHeardOnceAsOneSentenceWhateverMadeIt) {
    EXPECT_EQ(hear({Qt::Key_Down}), QList<QString>{});  // the reader reads the square itself
    EXPECT_EQ(hear({Qt::Key_Space}), QList<QString>{"Nothing to pick up on white square."});
    EXPECT_EQ(hear({Qt::Key_Down, Qt::Key_Space}), QList<QString>{"Picked up red 9."});
    EXPECT_EQ(hear({Qt::Key_Down}), QList<QString>{});  // the square says what is carried
    EXPECT_EQ(hear({Qt::Key_C}), QList<QString>{"Carrying red 9 over white square."});
    EXPECT_EQ(hear({Qt::Key_Left}), QList<QString>{"Edge."});
    EXPECT_EQ(hear({Qt::Key_Space}),
              QList<QString>{"Refused: red 9 to a white square, back on 9."});
    EXPECT_EQ(hear({Qt::Key_Space, Qt::Key_Escape}),
              (QList<QString>{"Nothing to pick up on white square.", "Nothing carried."}));
    EXPECT_EQ(hear({Qt::Key_Up, Qt::Key_Space, Qt::Key_Escape}),
              (QList<QString>{"Picked up red 9.", "Red 9 put back."}));

    // The other player's mouse: nothing while the piece travels, one sentence when it lands.
    ReaderLog::heard.clear();
    QTest::mousePress(board(), Qt::LeftButton, {}, QPoint(60, 220));
    QCoreApplication::processEvents();
    for (const QPoint at : {QPoint(62, 222), QPoint(100, 200), QPoint(100, 180)}) {
        QTest::mouseMove(board(), at);
        QCoreApplication::processEvents();
    }
    QTest::mouseRelease(board(), Qt::LeftButton, {}, QPoint(100, 180));
    QCoreApplication::processEvents();
    EXPECT_EQ(ReaderLog::heard, QList<QString>{"Blue 21 to 18."});
    // A capture, off the board.
    ReaderLog::heard.clear();
    QTest::mousePress(board(), Qt::LeftButton, {}, QPoint(100, 180));
    QTest::mouseMove(board(), QPoint(200, 200));
    QTest::mouseRelease(board(), Qt::LeftButton, {}, QPoint(340, 180));
    QCoreApplication::processEvents();
    EXPECT_EQ(ReaderLog::heard, QList<QString>{"Blue 18 taken to blue tray cell 1."});
    // Quick events take turns among the notifications, so that a reader drops none as out of
    // date, and each is renamed before it is shown, for readers that keep names.
    EXPECT_EQ(hear({Qt::Key_L}), QList<QString>{"Blue 18 taken to blue tray cell 1."});
    ASSERT_GE(ReaderLog::speakers.size(), 2);
    EXPECT_NE(ReaderLog::speakers[ReaderLog::speakers.size() - 1],
              ReaderLog::speakers[ReaderLog::speakers.size() - 2]);
    EXPECT_TRUE(ReaderLog::renamedBeforeShown);

    EXPECT_EQ(hear({Qt::Key_L, Qt::Key_L, Qt::Key_L}),
              (QList<QString>{"Blue 21 to 18.", "Refused: red 9 to a white square, back on 9.",
                              "No earlier move."}));
    EXPECT_EQ(hear({Qt::Key_P}).first().left(31), "Red on 1, 2, 3, 4, 5, 6, 7, 8, ");
    EXPECT_EQ(hear({Qt::Key_R}), QList<QString>{"Row 3: 9 red, 10 red, 11 red, 12 red."});
    // Two hands: the mouse's press puts back what the keys carry, and says so.
    hear({Qt::Key_Space});
    ReaderLog::heard.clear();
    QTest::mousePress(board(), Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseRelease(board(), Qt::LeftButton, {}, QPoint(300, 300));
    QCoreApplication::processEvents();
    EXPECT_EQ(ReaderLog::heard, QList<QString>{"Red 9 put back. Blue 32 put back."});
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
