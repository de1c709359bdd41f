#include "board_keys.h"

#include <QKeyEvent>
#include <optional>

#include "accessibility/move_words.h"
#include "accessibility/readings.h"
#include "accessibility/square_words.h"
#include "board/form1.h"
#include "board/grid_squares.h"
#include "interaction/mouse_handlers.h"

using Voice = SpokenBoard::Voice;

namespace {
bool onGrid(QPoint square) {
    return square.x() >= 0 && square.x() < grid::columns && square.y() >= 0 &&
           square.y() < grid::rows;
}

// The focus square's step for an arrow, or for a key of the number pad's corners: diagonally,
// as draughts moves.
std::optional<QPoint> stepOf(int key) {
    switch (key) {
        case Qt::Key_Left:
            return QPoint(-1, 0);
        case Qt::Key_Right:
            return QPoint(1, 0);
        case Qt::Key_Up:
            return QPoint(0, -1);
        case Qt::Key_Down:
            return QPoint(0, 1);
        case Qt::Key_Home:
            return QPoint(-1, -1);
        case Qt::Key_PageUp:
            return QPoint(1, -1);
        case Qt::Key_End:
            return QPoint(-1, 1);
        case Qt::Key_PageDown:
            return QPoint(1, 1);
        default:
            return std::nullopt;
    }
}

// Dark square number (1 to 32, row by row from the top left) on the board.
QPoint darkSquare(int number) {
    const int row = (number - 1) / 4;
    return {(number - 1) % 4 * 2 + row % 2, row};
}
}  // namespace

BoardKeys::BoardKeys(const Form1& form, MouseHandlers& mouse, KeyboardFocus& focus,
                     SpokenBoard& speech, Dispatch dispatch)
    : m_form(form),
      m_mouse(mouse),
      m_focus(focus),
      m_speech(speech),
      m_dispatch(std::move(dispatch)) {}

bool BoardKeys::carrying() const {
    return m_focus.carried.has_value();
}

QRectF BoardKeys::focusSquareArea() const {
    return m_shown ? grid::squareArea(m_form, m_focus.square) : QRectF();
}

bool BoardKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && handle(*static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool BoardKeys::handle(const QKeyEvent& key) {
    // L again at once goes one move further back.
    const bool again = key.key() == m_lastKey;
    m_lastKey = key.key();
    const bool shift = key.modifiers() & Qt::ShiftModifier;
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;  // for the menus; no key of the board is a shortcut
    }
    if (key.key() >= Qt::Key_0 && key.key() <= Qt::Key_9) {
        m_typed = (m_typed + key.text()).right(2);
        return true;
    }
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (enter && !m_typed.isEmpty()) {
        goToTypedSquare();
        return true;
    }
    m_typed.clear();
    if (const std::optional<QPoint> by = stepOf(key.key())) {
        step(*by);
        return true;
    }
    switch (key.key()) {
        case Qt::Key_N:
            goToPiece(shift ? -1 : 1);
            return true;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            pickUpOrPutDown();
            return true;
        case Qt::Key_Escape:
            putBack();
            return true;
        case Qt::Key_P:
            m_speech.say(words::positionReading(m_form) +
                         (m_mouse.movingPiece() ? ' ' + carriedReading() : QString()));
            return true;
        case Qt::Key_R:
            m_speech.say(shift ? words::sideReading(m_form, words::Side::Red)
                               : words::rowReading(m_form, m_focus.square.y()));
            return true;
        case Qt::Key_B:
            if (!shift) {
                return false;
            }
            m_speech.say(words::sideReading(m_form, words::Side::Blue));
            return true;
        case Qt::Key_C:
            m_speech.say(carriedReading());
            return true;
        case Qt::Key_L:
            m_speech.say(m_speech.lastMove(again));
            return true;
        case Qt::Key_H:
            m_speech.say(words::keyHelp());
            return true;
        default:
            return false;
    }
}

QString BoardKeys::carriedReading() const {
    return words::carriedReading(m_form, m_mouse.movingPiece());
}

void BoardKeys::step(QPoint by) {
    const QPoint to = m_focus.square + by;
    if (!onGrid(to)) {
        m_shown = true;
        m_dispatch([] {}, Voice::Quiet);
        m_speech.say(QStringLiteral("Edge."));
        return;
    }
    moveTo(to);
}

void BoardKeys::moveTo(QPoint square) {
    m_focus.square = square;
    m_shown = true;
    // A carried piece travels with the focus square, as with the pointer. The reader hears the
    // square it lands on, which then says what is carried.
    const QPointF at = grid::squareArea(m_form, square).center();
    m_dispatch(
        [&] {
            if (carrying()) {
                m_mouse.mouseMove(0, 0, float(at.x()), float(at.y()));
            }
        },
        Voice::Quiet);
    m_speech.focusMoved();
}

void BoardKeys::goToTypedSquare() {
    const int number = m_typed.toInt();
    m_typed.clear();
    if (number < 1 || number > 32) {
        m_speech.say(QStringLiteral("No square %1.").arg(number));
        return;
    }
    moveTo(darkSquare(number));
}

void BoardKeys::goToPiece(int direction) {
    const int from = SpokenBoard::indexOf(m_focus.square);
    for (int distance = 1; distance <= grid::squares; ++distance) {
        const int index =
            ((from + direction * distance) % grid::squares + grid::squares) % grid::squares;
        if (words::squareContent(m_form, SpokenBoard::squareOf(index)) != QStringLiteral("empty")) {
            moveTo(SpokenBoard::squareOf(index));
            return;
        }
    }
    m_speech.say(QStringLiteral("No piece to go to."));
}

void BoardKeys::pickUpOrPutDown() {
    m_shown = true;
    if (carrying()) {
        const QPointF at = grid::squareArea(m_form, m_focus.square).center();
        m_dispatch([&] { m_mouse.mouseUp(1, 0, float(at.x()), float(at.y())); }, Voice::Keyboard);
        return;
    }
    // The other player's piece goes back before the keys take one of their own.
    if (m_mouse.movingPiece()) {
        m_dispatch([this] { m_mouse.putBack(); }, Voice::Keyboard);
    }
    // Where the piece shown on the square is, also one that only reaches into it.
    const QPointF at = grid::pickPoint(m_form, m_focus.square);
    m_dispatch([&] { m_mouse.mouseDown(1, 0, float(at.x()), float(at.y())); }, Voice::Keyboard);
    m_focus.carried = m_mouse.movingPiece();
    if (!m_focus.carried) {
        m_speech.say(
            QStringLiteral("Nothing to pick up on %1.").arg(words::squareLabel(m_focus.square)));
    }
}

void BoardKeys::putBack() {
    m_shown = true;
    if (!m_mouse.movingPiece()) {
        m_speech.say(QStringLiteral("Nothing carried."));
        return;
    }
    m_dispatch([this] { m_mouse.putBack(); }, Voice::Keyboard);
}
