#include <QPoint>
#include <array>
#include <cstdint>
#include <random>

#include "support/board_fixture.h"
#include "support/board_invariants.h"

namespace {
constexpr std::uint32_t seed = 20240611;
constexpr int sequences = 5000;
constexpr std::array<int, 3> buttons = {1, 2, 4};  // left, right, middle

// What one release did, as the player sees it.
enum Outcome {
    nothingMoving,
    movedOnBoard,
    refusedFromBoard,
    filed,
    broughtBack,
    refusedFromTray,
    outcomeCount
};
constexpr std::array<const char*, outcomeCount> outcomeNames = {
    "release with nothing moving", "moved on the board",       "refused from the board",
    "filed into a tray",           "brought back from a tray", "refused from a tray"};

bool onBoard(const VIDEVER& piece) {
    return piece.X() > 0 && piece.X() < 320 && piece.Y() > 0 && piece.Y() < 320;
}

// Plays press, move and release sequences at the Normal size, as a player with any number of
// hands might: any button, pointers far outside the window, second buttons pressed mid-drag.
class RandomPlayTest : public BoardTest {
protected:
    int between(int low, int high) { return std::uniform_int_distribution(low, high)(m_random); }
    bool chance(int percent) { return between(1, 100) <= percent; }

    // Somewhere inside a random piece, board or tray alike.
    QPoint onSomePiece() {
        const VIDEVER& piece = form.Pieces[between(0, static_cast<int>(form.Pieces.size()) - 1)];
        return QPoint(piece.X() + between(-10, 10), piece.Y() + between(-10, 10));
    }
    // Anywhere, inside the window or well beyond any of its sides.
    QPoint anywhere() { return QPoint(between(-700, 1200), between(-700, 1100)); }
    // Mostly a board square (black or white, free or taken), else the trays or anywhere.
    QPoint target() {
        const int pick = between(1, 100);
        if (pick <= 60) {
            return QPoint(between(0, 319), between(0, 319));
        }
        if (pick <= 75) {
            return QPoint(between(320, 479), between(0, 319));
        }
        return anywhere();
    }

    void press(int button, QPoint at) {
        mouse.mouseDown(button, between(0, 7), at.x(), at.y());
        ++events;
    }
    void moveTo(int buttonsHeld, QPoint at) {
        mouse.mouseMove(buttonsHeld, between(0, 7), at.x(), at.y());
        pointer = at;
        ++events;
    }
    // Releases, then checks the position and tells what happened.
    void release(int button, QPoint at) {
        int moving = -1;
        for (std::size_t index = 0; index < form.Pieces.size(); ++index) {
            moving = form.Pieces[index].ISMOVING && moving < 0 ? static_cast<int>(index) : moving;
        }
        const bool fromBoard = form.DragStartX > 0 && form.DragStartX < 320 &&
                               form.DragStartY > 0 && form.DragStartY < 320;
        const int beeps = host.beeps();
        mouse.mouseUp(button, between(0, 7), at.x(), at.y());
        ++events;
        ASSERT_TRUE(positionIsSound(form)) << "after event " << events;
        ASSERT_LE(host.beeps(), beeps + 1);

        Outcome outcome = nothingMoving;
        if (moving >= 0) {
            const bool refused = host.beeps() > beeps;
            const bool nowOnBoard = onBoard(form.Pieces[moving]);
            if (fromBoard) {
                outcome = refused ? refusedFromBoard : nowOnBoard ? movedOnBoard : filed;
            } else {
                outcome = refused ? refusedFromTray : broughtBack;
                EXPECT_EQ(nowOnBoard, !refused);
            }
        } else {
            ASSERT_EQ(host.beeps(), beeps);
        }
        ++seen[outcome];
    }

    // A second button pressed during a drag must leave the drag as it was.
    void secondPress(int button, QPoint at) {
        const bool dragging = markedPieces(form) > 0;
        const double dragStartX = form.DragStartX;
        const int dragStartY = form.DragStartY;
        const float lastX = form.LastMouseX;
        const float lastY = form.LastMouseY;
        press(button, at);
        ASSERT_LE(markedPieces(form), 1);
        if (dragging) {
            EXPECT_EQ(form.DragStartX, dragStartX);
            EXPECT_EQ(form.DragStartY, dragStartY);
            EXPECT_EQ(form.LastMouseX, lastX);
            EXPECT_EQ(form.LastMouseY, lastY);
        }
    }

    void playOneSequence() {
        if (chance(3)) {
            release(buttons[between(0, 2)], anywhere());  // a release whose press went elsewhere
            return;
        }
        const int firstIndex = between(0, 2);
        const int first = buttons[firstIndex];
        pointer = chance(85) ? onSomePiece() : anywhere();
        press(first, pointer);
        for (int moves = between(0, 3); moves > 0; --moves) {
            moveTo(first, target());
        }
        if (chance(15)) {
            const int second = buttons[(firstIndex + between(1, 2)) % 3];
            secondPress(second, chance(50) ? onSomePiece() : pointer);
            if (chance(50)) {
                moveTo(first | second, target());
            }
            const bool firstUpFirst = chance(50);
            release(firstUpFirst ? first : second, pointer);
            if (chance(50)) {
                moveTo(firstUpFirst ? second : first, target());
            }
            release(firstUpFirst ? second : first, pointer);
            return;
        }
        release(first, chance(20) ? target() : pointer);
    }

    int events = 0;
    QPoint pointer;
    std::array<int, outcomeCount> seen{};

private:
    std::mt19937 m_random{seed};
};

TEST_F(RandomPlayTest, NoPieceIsEverLostWhateverThePlayersDo) {
    for (int sequence = 1; sequence <= sequences; ++sequence) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed << ", sequence " << sequence);
        playOneSequence();
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }
    RecordProperty("seed", static_cast<int>(seed));
    RecordProperty("events", events);
    for (int outcome = 0; outcome < outcomeCount; ++outcome) {
        EXPECT_GT(seen[outcome], 0) << "never saw: " << outcomeNames[outcome];
    }
}

}  // namespace
