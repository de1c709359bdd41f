#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QWindow>
#include <utility>
#include <vector>

#include "board/board_colours.h"
#include "main_window.h"
#include "offscreen/position_files.h"
#include "support/board_invariants.h"

namespace {
struct MenuItem {
    const char* control;
    const char* caption;
};
}  // namespace

// The real window, driven as a user would, without a display.
class MainWindowTest : public ::testing::Test {
protected:
    QRgb shown(int x, int y) { return canvas()->grab().toImage().pixel(x, y); }
    QWidget* canvas() { return window.centralWidget(); }
    QAction* action(const char* control) {
        return window.findChild<QAction*>(QString::fromLatin1(control));
    }
    QMessageBox* visibleMessageBox() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible()) {
                return box;
            }
        }
        return nullptr;
    }

    QTemporaryDir folder;
    MainWindow window{{folder.path() + "/Videver.txt"}};
    Form1& form = window.form();
};

TEST_F(MainWindowTest, TitleAndMenusAreExactlyFileThenSize) {
    EXPECT_EQ(window.windowTitle(), "Form1");

    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    const std::vector<std::pair<const char*, std::vector<MenuItem>>> expected{
        {"File", {{"Save", "Save"}, {"Load", "Load"}, {"Kng", "New Game"}, {"Exit", "Exit"}}},
        {"Size", {{"Normal", "Normal"}, {"Large", "Large"}, {"Small", "Small"}}},
    };
    for (qsizetype m = 0; m < menus.size(); ++m) {
        const auto& [title, items] = expected[m];
        SCOPED_TRACE(title);
        EXPECT_EQ(menus[m]->text(), title);
        const QMenu* menu = menus[m]->menu<QMenu*>();
        ASSERT_NE(menu, nullptr);
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size()));
        for (qsizetype i = 0; i < actions.size(); ++i) {
            SCOPED_TRACE(items[i].caption);
            EXPECT_EQ(actions[i]->text(), items[i].caption);  // no '&' access key
            EXPECT_EQ(actions[i]->objectName(), items[i].control);
            EXPECT_TRUE(actions[i]->shortcut().isEmpty());
            EXPECT_FALSE(actions[i]->isCheckable());
            EXPECT_TRUE(actions[i]->isEnabled());
            EXPECT_TRUE(actions[i]->isVisible());
        }
    }
}

TEST_F(MainWindowTest, WindowHasAFixedSizeAndTheCanvasShowsTheWholeSurface) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.size(), QSize(499, 399));  // the Normal size at 96 dpi
    EXPECT_EQ(canvas()->size(), window.surface().size());
    EXPECT_EQ(shown(20, 20), colours::red);
    EXPECT_EQ(shown(400, 100), colours::lightBlue);

    action("Small")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.size(), QSize(250, 207));
    EXPECT_EQ(canvas()->size(), window.surface().size());
    EXPECT_EQ(shown(10, 10), colours::red);

    action("Large")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(749, 591));
    EXPECT_EQ(canvas()->size(), window.surface().size());
    EXPECT_EQ(shown(719, 479), colours::lightPink);
}

TEST_F(MainWindowTest, MouseDragOnTheCanvasMovesAPieceToAFreeBlackSquare) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // Piece 10 stands at (100, 100); square (3, 3) below and to the right of it is free.
    QTest::mousePress(canvas(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(canvas(), QPoint(120, 125));
    QTest::mouseMove(canvas(), QPoint(141, 139));
    QTest::mouseRelease(canvas(), Qt::LeftButton, {}, QPoint(141, 139));

    EXPECT_EQ(form.pieceAt(10).X(), 140);
    EXPECT_EQ(form.pieceAt(10).Y(), 140);
    EXPECT_FALSE(form.pieceAt(10).ISMOVING);
    EXPECT_EQ(shown(140, 140), colours::red);
    EXPECT_EQ(shown(100, 100), colours::black);
}

TEST_F(MainWindowTest, HandlerErrorIsShownInAPlainSentenceAndTheProgramGoesOn) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    form.CellSizeI = 5000;  // seven squares across no longer fit 16 bits

    action("Kng")->trigger();

    // The handler stopped where it overflowed: the first row's four pieces were made.
    EXPECT_EQ(form.Pieces.size(), 4u);
    QMessageBox* box = visibleMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains("35000"));
    EXPECT_TRUE(box->text().endsWith('.'));
    EXPECT_FALSE(Qt::mightBeRichText(box->text()));
    box->close();

    action("Normal")->trigger();
    EXPECT_EQ(form.Pieces.size(), 24u);
    EXPECT_EQ(form.CellSizeI, 40);
    EXPECT_EQ(shown(20, 20), colours::red);
    EXPECT_EQ(shown(300, 300), colours::blue);
}

TEST_F(MainWindowTest, MarkupInAFileIsShownAsTheLettersItIsMadeOf) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // The same sentence with markup and with plain letters in its place: each box shows its
    // letters literally on one line, so a line break in the markup does not add a line.
    int plainHeight = 0;
    for (const QByteArray field : {"aaaaaaaaaaaaaaaaaa", "<table><b>x<br><i>"}) {
        SCOPED_TRACE(field.toStdString());
        ASSERT_TRUE(writeBytes(folder.path() + "/Videver.txt", " " + field + "  40  15 \r\n"));

        action("Load")->trigger();
        QMessageBox* box = visibleMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_TRUE(
            box->text().endsWith("line 1: the square size '" + field + "' is not a number."))
            << box->text().toStdString();
        if (plainHeight == 0) {
            plainHeight = box->sizeHint().height();
        } else {
            EXPECT_EQ(box->sizeHint().height(), plainHeight);
        }
        box->close();
    }
}

TEST_F(MainWindowTest, LoadThatGrowsTheBoardShowsItWholeAtOnce) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    action("Large")->trigger();
    action("Save")->trigger();
    action("Normal")->trigger();
    QApplication::processEvents();

    action("Load")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(749, 591));
    // The lowest row, the pink tray's far corner and the last piece, with nothing moved since.
    EXPECT_EQ(shown(30, 450), colours::white);
    EXPECT_EQ(shown(719, 479), colours::lightPink);
    EXPECT_EQ(shown(450, 450), colours::blue);
}

TEST_F(MainWindowTest, TinyLoadedSquaresKeepTheMenusWithinReach) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const char* header : {" 1  1  0 ", " 0.04  1  0 "}) {
        SCOPED_TRACE(header);
        ASSERT_TRUE(writeBytes(folder.path() + "/Videver.txt",
                               QByteArray(header) + "\r\n" +
                                   QByteArray(" 0  0  0 \r\n").repeated(8) +
                                   QByteArray(" 1  1  1 \r\n").repeated(24)));

        action("Load")->trigger();
        QApplication::processEvents();
        EXPECT_EQ(form.CellSize, QByteArray(header).split(' ')[1].toDouble());
        EXPECT_GE(window.width(), window.menuBar()->sizeHint().width());
        EXPECT_GT(window.height(), window.menuBar()->sizeHint().height());
        EXPECT_TRUE(window.isVisible());

        action("Normal")->trigger();
        EXPECT_EQ(window.size(), QSize(499, 399));
    }
}

TEST_F(MainWindowTest, ScreenOfTwiceTheScalePaintsTheBoardAgainCrisplyAtTheSameSize) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(QGuiApplication::screens().size(), 2);
    const QSize logical = window.surface().size();

    window.windowHandle()->setScreen(QGuiApplication::screens()[1]);
    QApplication::processEvents();
    ASSERT_EQ(window.devicePixelRatio(), 2);
    EXPECT_EQ(window.size(), QSize(499, 399));
    EXPECT_EQ(window.surface().size(), logical);
    const QImage& picture = window.surface().image();
    EXPECT_EQ(picture.size(), logical * 2);
    // In device pixels, the first piece (centre 40, 40) is red to 28.5 from its centre and
    // outlined from there: painted at the old ratio and enlarged, it would be red only to 27.
    EXPECT_EQ(picture.pixel(40, 40), colours::red);
    EXPECT_EQ(picture.pixel(40 + 28, 40), colours::red);
    EXPECT_EQ(picture.pixel(40 + 29, 40), colours::foreground);
    // The first square ends on an even device pixel.
    EXPECT_EQ(picture.pixel(79, 20), colours::black);
    EXPECT_EQ(picture.pixel(80, 20), colours::white);

    window.windowHandle()->setScreen(QGuiApplication::screens()[0]);
    QApplication::processEvents();
    EXPECT_EQ(window.surface().image().size(), logical);
}

TEST_F(MainWindowTest, HeldPieceGoesBackBeforeAMenuCommandOrAnotherWindowTakesTheMouse) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const std::vector<QPoint> start = piecePlaces(form);
    const auto holdPiece10OverAFreeSquare = [&] {
        QTest::mousePress(canvas(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(canvas(), QPoint(141, 139));
        ASSERT_EQ(markedPieces(form), 1);
    };

    // Save writes the piece where it was picked up, not where it hangs in the air.
    holdPiece10OverAFreeSquare();
    action("Save")->trigger();
    EXPECT_EQ(markedPieces(form), 0);
    EXPECT_EQ(piecePlaces(form), start);
    EXPECT_TRUE(bytesOf(folder.path() + "/Videver.txt").contains(" 100  100  1 \r\n"));
    EXPECT_EQ(shown(140, 140), colours::black);

    // Load, and a release after it, leave every piece on a square of its own.
    holdPiece10OverAFreeSquare();
    action("Load")->trigger();
    QTest::mouseRelease(canvas(), Qt::LeftButton, {}, QPoint(20, 100));
    EXPECT_TRUE(positionIsSound(form));
    EXPECT_EQ(piecePlaces(form), start);

    // Another window takes the mouse: no release will come.
    holdPiece10OverAFreeSquare();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(markedPieces(form), 0);
    EXPECT_EQ(piecePlaces(form), start);
    QTest::mouseMove(canvas(), QPoint(180, 180));
    EXPECT_EQ(piecePlaces(form), start);
}

TEST_F(MainWindowTest, PointerBetweenLogicalPixelsCountsForThePixelThatHoldsIt) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Piece 9 stands at (20, 100). At a scale of 2, x 39.5 is the last device pixel of the
    // white square (0, 3), beside the free black square (1, 3).
    QTest::mousePress(canvas(), Qt::LeftButton, {}, QPoint(20, 100));
    QTest::mouseMove(canvas(), QPoint(39, 140));
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(39.5, 140),
                        canvas()->mapToGlobal(QPointF(39.5, 140)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(canvas(), &release);
    EXPECT_EQ(form.pieceAt(9).X(), 20);
    EXPECT_EQ(form.pieceAt(9).Y(), 100);
}

TEST_F(MainWindowTest, WindowThatGrowsIsMovedSoThatItStaysOnTheScreen) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect available = window.screen()->availableGeometry();
    window.move(available.right() - 300, available.bottom() - 300);
    QApplication::processEvents();

    action("Large")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(749, 591));
    EXPECT_TRUE(available.contains(window.frameGeometry()))
        << window.frameGeometry().x() << ", " << window.frameGeometry().y();

    // A window that shrinks stays where it is.
    const QPoint place = window.pos();
    action("Small")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window.pos(), place);
}
