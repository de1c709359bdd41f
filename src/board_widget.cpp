#include "board_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "platform/colours.h"
#include "platform/surface.h"

namespace {
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

BoardWidget::BoardWidget(const Surface& surface, QWidget* parent)
    : QWidget(parent), m_surface(surface) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel comes from the surface, so Qt need not erase anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Touches unhandled here reach the mouse handlers as mouse events; a cancelled one comes here.
    setAttribute(Qt::WA_AcceptTouchEvents);
}

void BoardWidget::showFocusSquare(const QRectF& square) {
    if (square != m_focusSquare) {
        update(m_focusSquare.toAlignedRect());
        update(square.toAlignedRect());
        m_focusSquare = square;
    }
}

bool BoardWidget::event(QEvent* event) {
    if (event->type() == QEvent::TouchCancel) {
        emit touchCancelled();
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
    if (!m_focusSquare.isEmpty() && hasFocus()) {
        // Black around yellow: one of the two stands out on every square and every piece. Held
        // inside the square, so that repainting the square takes all of it away, however small.
        painter.setClipRect(m_focusSquare);
        const QRectF ring = m_focusSquare.adjusted(2, 2, -2, -2);
        painter.setPen(QPen(Qt::black, 4));
        painter.drawRect(ring);
        painter.setPen(QPen(Qt::yellow, 2));
        painter.drawRect(ring);
    }
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    emit pressed(buttonCode(event->button()), shiftCode(event->modifiers()), pixelX(event),
                 pixelY(event));
}

void BoardWidget::mouseMoveEvent(QMouseEvent* event) {
    emit moved(buttonCode(event->buttons()), shiftCode(event->modifiers()), pixelX(event),
               pixelY(event));
}

void BoardWidget::mouseReleaseEvent(QMouseEvent* event) {
    emit released(buttonCode(event->button()), shiftCode(event->modifiers()), pixelX(event),
                  pixelY(event));
}
