#include "board_widget.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "board/grid_squares.h"
#include "board_accessibility.h"
#include "main_window.h"
#include "platform/colours.h"
#include "platform/spoken_notice.h"
#include "square_names.h"

namespace {
const QString keyHelp = QStringLiteral(
    "Draughts board: eight rows of twelve squares, the board, a gap, then the red tray above the "
    "blue tray. Arrow keys move, Space picks up and puts down, Escape puts back. P reads the "
    "position, R the row, C what is carried, L the last move, H this help.");

// Button state: 1 left, 2 right, 4 middle. For a press or release, the button that changed.
int buttonCode(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

// Modifier state: 1 shift, 2 control, 4 alt.
int shiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

// The whole logical pixel that holds the pointer, so that every device pixel of a square
// belongs to that square at any scale.
float pixelX(const QMouseEvent* event) {
    return std::floor(static_cast<float>(event->position().x()));
}
float pixelY(const QMouseEvent* event) {
    return std::floor(static_cast<float>(event->position().y()));
}
}  // namespace

BoardWidget::BoardWidget(MainWindow& window, const Surface& surface)
    : QWidget(&window), m_window(window), m_surface(surface) {
    // Before anything asks for the board's accessible interface, which Qt keeps once made.
    QAccessible::installFactory(boardAccessibility);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Draughts board"));
    setAccessibleDescription(keyHelp);
    // Every pixel comes from the surface, so Qt need not erase anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Touches unhandled here reach the mouse handlers as mouse events; a cancelled one comes here.
    setAttribute(Qt::WA_AcceptTouchEvents);
}

bool BoardWidget::event(QEvent* event) {
    if (event->type() == QEvent::TouchCancel) {
        m_window.dispatch([this] { m_window.mouse().putBack(); });
        return true;
    }
    return QWidget::event(event);
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const qreal ratio = m_surface.image().devicePixelRatio();
    painter.fillRect(event->rect(), QColor(colours::background));
    painter.drawImage(event->rect(), m_surface.image(),
                      QRectF(event->rect().topLeft() * ratio, event->rect().size() * ratio));
    m_focusRingShown = focusRingArea();
    if (!m_focusRingShown.isEmpty()) {
        // Black around yellow: one of the two stands out on every square and every piece. Held
        // inside the square, so that repainting the square takes all of it away, however small.
        const QRectF square = grid::squareArea(form(), m_focusSquare);
        painter.setClipRect(square);
        const QRectF ring = square.adjusted(2, 2, -2, -2);
        painter.setPen(QPen(Qt::black, 4));
        painter.drawRect(ring);
        painter.setPen(QPen(Qt::yellow, 2));
        painter.drawRect(ring);
    }
}

QRect BoardWidget::focusRingArea() const {
    return m_showFocusSquare && hasFocus() ? squareRect(m_focusSquare) : QRect();
}

void BoardWidget::updateFocusRing() {
    // A new square size or a loaded file moves the square under the ring.
    if (focusRingArea() != m_focusRingShown) {
        update(m_focusRingShown);
        update(focusRingArea());
    }
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    m_showFocusSquare = false;
    updateFocusRing();
    m_window.dispatch([&] {
        m_window.mouse().mouseDown(buttonCode(event->button()), shiftCode(event->modifiers()),
                                   pixelX(event), pixelY(event));
    });
}

void BoardWidget::mouseMoveEvent(QMouseEvent* event) {
    m_window.dispatch([&] {
        m_window.mouse().mouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()),
                                   pixelX(event), pixelY(event));
    });
}

void BoardWidget::mouseReleaseEvent(QMouseEvent* event) {
    m_window.dispatch([&] {
        m_window.mouse().mouseUp(buttonCode(event->button()), shiftCode(event->modifiers()),
                                 pixelX(event), pixelY(event));
    });
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            return moveFocusSquare({-1, 0});
        case Qt::Key_Right:
            return moveFocusSquare({1, 0});
        case Qt::Key_Up:
            return moveFocusSquare({0, -1});
        case Qt::Key_Down:
            return moveFocusSquare({0, 1});
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_window.dispatch([&] {
                if (m_window.mouse().movingPiece()) {
                    const QPointF at = squareCentre(m_focusSquare);
                    m_window.mouse().mouseUp(1, 0, float(at.x()), float(at.y()));
                } else {
                    // Where the piece shown on the square is, also one that only reaches into it.
                    const QPointF at = grid::pickPoint(form(), m_focusSquare);
                    m_window.mouse().mouseDown(1, 0, float(at.x()), float(at.y()));
                }
            });
            if (m_window.mouse().outcome().kind == MouseOutcome::NothingPickedUp) {
                announce(
                    QStringLiteral("Nothing to pick up on %1.").arg(squareLabel(m_focusSquare)));
            }
            break;
        case Qt::Key_Escape:
            m_window.dispatch([this] { m_window.mouse().putBack(); });
            if (m_window.mouse().outcome().kind == MouseOutcome::None) {
                announce(QStringLiteral("Nothing carried."));
            }
            break;
        // Readings on request; the menus have no shortcuts, so these letters are free.
        case Qt::Key_P:
            announce(positionWords(form()));
            return;
        case Qt::Key_R:
            announce(rowWords(form(), m_focusSquare.y()));
            return;
        case Qt::Key_C:
            announce(m_window.narration().carried(form(), m_window.mouse().movingPiece()));
            return;
        case Qt::Key_L: {
            const QString last = m_window.narration().lastMove();
            announce(last.isEmpty() ? QStringLiteral("No move yet.") : last);
            return;
        }
        case Qt::Key_H:
            announce(keyHelp);
            return;
        default:
            // Alt, F10 and the rest go on to the menus; no key of the board is a shortcut.
            return QWidget::keyPressEvent(event);
    }
    m_showFocusSquare = true;
    updateFocusRing();
}

void BoardWidget::moveFocusSquare(QPoint step) {
    const QPoint to(std::clamp(m_focusSquare.x() + step.x(), 0, grid::columns - 1),
                    std::clamp(m_focusSquare.y() + step.y(), 0, grid::rows - 1));
    m_focusSquare = to;
    m_showFocusSquare = true;
    updateFocusRing();
    // A carried piece travels with the focus square, as with the pointer. The reader hears the
    // square it lands on, which then says what is carried.
    if (m_window.mouse().movingPiece()) {
        const QPointF at = squareCentre(to);
        m_window.dispatch([&] { m_window.mouse().mouseMove(0, 0, float(at.x()), float(at.y())); },
                          MainWindow::Narration::Quiet);
    }
    announceFocus();
}

const Form1& BoardWidget::form() const {
    return m_window.form();
}

QRect BoardWidget::squareRect(QPoint square) const {
    return grid::squareArea(form(), square).toAlignedRect();
}

QPointF BoardWidget::squareCentre(QPoint square) const {
    return grid::squareArea(form(), square).center();
}

void BoardWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // Qt announces the board itself once this returns; the square is announced after that.
    QMetaObject::invokeMethod(this, &BoardWidget::announceFocus, Qt::QueuedConnection);
    if (!m_keyHelpHeard && QAccessible::isActive()) {
        m_keyHelpHeard = true;
        QMetaObject::invokeMethod(
            this, [this] { announce(keyHelp); }, Qt::QueuedConnection);
    }
}

void BoardWidget::announceFocus() {
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(m_focusSquare.y() * grid::columns + m_focusSquare.x());
        QAccessible::updateAccessibility(&focus);
    }
}

QString BoardWidget::squareWords(QPoint square) const {
    const QString name = squareName(form(), square);
    const std::optional<int> carried = m_window.mouse().movingPiece();
    // Where am I, and each step of a carried piece, say what the focus square carries.
    if (carried && hasFocus() && square == m_focusSquare) {
        return name + QStringLiteral(", carrying ") + pieceWords(form(), *carried);
    }
    return name;
}

void BoardWidget::renameChangedSquares() {
    // Squares change their names only when a piece lands, leaves, or starts or stops being
    // carried, or the focus square carries it on; a drag in between costs no names.
    std::vector<double> named{form().CellSize, double(form().CellSizeI), double(m_focusSquare.x()),
                              double(m_focusSquare.y())};
    for (const VIDEVER& piece : form().Pieces) {
        named.insert(named.end(), {piece.ISMOVING ? 0.0 : double(piece.X()),
                                   piece.ISMOVING ? 0.0 : double(piece.Y()), double(piece.R()),
                                   double(piece.SH_TYPE()), double(piece.ISMOVING)});
    }
    if (named == m_named) {
        return;
    }
    m_named = named;
    QStringList names;
    for (int index = 0; index < grid::columns * grid::rows; ++index) {
        names.append(squareWords({index % grid::columns, index / grid::columns}));
        if (index >= m_squareNames.size() || names[index] != m_squareNames[index]) {
            // The event carries no name, so a reader asks for it again.
            QAccessibleEvent changed(this, QAccessible::NameChanged);
            changed.setChild(index);
            QAccessible::updateAccessibility(&changed);
        }
    }
    m_squareNames = names;
}

void BoardWidget::announce(const QString& words) {
    if (words.isEmpty() || !QAccessible::isActive()) {
        return;
    }
    // Words of one event (a piece put back, then the menu command) are spoken together: a
    // reader would drop all but the last of a burst of notifications from one object.
    if (m_pendingWords.isEmpty()) {
        QMetaObject::invokeMethod(this, &BoardWidget::speakPendingWords, Qt::QueuedConnection);
    }
    m_pendingWords.append(words);
}

void BoardWidget::speakPendingWords() {
    // Events in quick succession (the other player's drag) take turns among the notifications,
    // so that each is spoken.
    m_announcer = (m_announcer + 1) % announcementChildren;
    m_announcements[m_announcer] = m_pendingWords.join(' ');
    m_pendingWords.clear();
    QAccessibleEvent shown(announcer(this, m_announcer), QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    sayToWindowsScreenReaders(*this, m_announcements[m_announcer]);
}
