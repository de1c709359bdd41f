#include "accessibility/spoken_board.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QWidget>

#include "accessibility/board_interface.h"
#include "accessibility/move_words.h"
#include "accessibility/readings.h"
#include "accessibility/square_words.h"
#include "accessibility/windows_notice.h"
#include "board/form1.h"
#include "board/grid_squares.h"
#include "interaction/mouse_handlers.h"

SpokenBoard::SpokenBoard(QWidget* board, const Form1& form, const MouseHandlers& mouse,
                         const KeyboardFocus& focus)
    : QObject(board), m_form(form), m_mouse(mouse), m_focus(focus) {
    // Before the board's name is set, which makes Qt ask for its interface and keep it.
    QAccessible::installFactory(boardInterface);
    // No description: a reader would read the whole key help each time it comes back to the
    // board; H and the first focus say it.
    board->setAccessibleName(QStringLiteral("Draughts board"));
    board->installEventFilter(this);
}

QWidget* SpokenBoard::board() const {
    return static_cast<QWidget*>(parent());
}

QPoint SpokenBoard::squareOf(int index) {
    return {index % grid::columns, index / grid::columns};
}

int SpokenBoard::indexOf(QPoint square) {
    return square.y() * grid::columns + square.x();
}

QString SpokenBoard::squareName(int index) const {
    const QString name = words::squareName(m_form, squareOf(index));
    // Where am I, and each step of a carried piece, say what the keys carry; what the mouse
    // holds is the other player's.
    if (m_focus.carried && focusIndex() == index) {
        return name + QStringLiteral(", carrying ") +
               words::pieceWords(m_form.pieceAt(*m_focus.carried));
    }
    return name;
}

QRect SpokenBoard::squareRect(int index) const {
    return grid::squareArea(m_form, squareOf(index)).toAlignedRect();
}

std::optional<int> SpokenBoard::focusIndex() const {
    return board()->hasFocus() ? std::optional(indexOf(m_focus.square)) : std::nullopt;
}

void SpokenBoard::afterEvent(const MouseOutcome& outcome, Voice voice) {
    if (!QAccessible::isActive()) {
        return;  // nobody to tell: no words worked out
    }
    renameChangedSquares();
    if (voice == Voice::Quiet) {
        return;
    }
    if (outcome.kind == MouseOutcome::PickedUp && voice == Voice::Keyboard) {
        say(words::pickUpSentence(m_form, outcome.piece));
        return;
    }
    const QString move = words::moveSentence(m_form, outcome);
    if (move.isEmpty()) {
        return;
    }
    // A piece put back where it was picked up moved nothing: heard, but no move to recall.
    const VIDEVER& piece = m_form.pieceAt(outcome.piece);
    if (outcome.kind == MouseOutcome::Refused || piece.X() != m_form.DragStartX ||
        piece.Y() != m_form.DragStartY) {
        m_history.add(move);
    }
    say(move);
}

void SpokenBoard::focusMoved() {
    if (const std::optional<int> index = focusIndex()) {
        QAccessibleEvent focus(board(), QAccessible::Focus);
        focus.setChild(*index);
        QAccessible::updateAccessibility(&focus);
    }
}

bool SpokenBoard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason) {
            // Back from a menu, whose command runs next: its words first, then the square, in
            // one utterance that no focus event of ours cuts short.
            QMetaObject::invokeMethod(
                this, [this] { say(squareName(indexOf(m_focus.square))); }, Qt::QueuedConnection);
        } else {
            // Qt announces the board itself once the event is handled; the square comes after.
            QMetaObject::invokeMethod(this, &SpokenBoard::focusMoved, Qt::QueuedConnection);
        }
        if (!m_keyHelpHeard && QAccessible::isActive()) {
            m_keyHelpHeard = true;
            QMetaObject::invokeMethod(
                this, [this] { say(words::keyHelp()); }, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void SpokenBoard::renameChangedSquares() {
    // Squares change their names only when a piece lands, leaves, or starts or stops being
    // carried, or the keys carry it on; a drag in between costs no names.
    std::vector<double> named{m_form.CellSize, double(m_focus.square.x()),
                              double(m_focus.square.y()), double(m_focus.carried.value_or(0)),
                              double(board()->hasFocus())};
    for (const VIDEVER& piece : m_form.Pieces) {
        named.insert(named.end(), {piece.ISMOVING ? 0.0 : double(piece.X()),
                                   piece.ISMOVING ? 0.0 : double(piece.Y()), double(piece.R()),
                                   double(piece.SH_TYPE()), double(piece.ISMOVING)});
    }
    if (named == m_named) {
        return;
    }
    m_named = named;
    QStringList names;
    for (int index = 0; index < grid::squares; ++index) {
        names.append(squareName(index));
        if (index >= m_squareNames.size() || names[index] != m_squareNames[index]) {
            // The event carries no name, so a reader asks for it again.
            QAccessibleEvent changed(board(), QAccessible::NameChanged);
            changed.setChild(index);
            QAccessible::updateAccessibility(&changed);
        }
    }
    m_squareNames = names;
}

void SpokenBoard::say(const QString& words) {
    if (words.isEmpty() || !QAccessible::isActive()) {
        return;
    }
    // Words of one event (a piece put back, then the menu command) are spoken together: a
    // reader would drop all but the last of a burst of notifications from one object.
    if (m_pendingWords.isEmpty()) {
        QMetaObject::invokeMethod(this, &SpokenBoard::speakPendingWords, Qt::QueuedConnection);
    }
    m_pendingWords.append(words);
}

void SpokenBoard::speakPendingWords() {
    // Events in quick succession take turns among the notifications, so that each is spoken.
    m_announcer = (m_announcer + 1) % notifications;
    m_announcements[m_announcer] = m_pendingWords.join(' ');
    m_pendingWords.clear();
    QAccessibleInterface* notification = announcer(board(), m_announcer);
    // The new words first, for readers that keep what they were told of each object; then
    // shown, which is what makes a reader speak them.
    QAccessibleEvent renamed(notification, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    sayToWindowsScreenReaders(*board(), m_announcements[m_announcer]);
}
