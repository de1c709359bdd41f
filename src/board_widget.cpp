#include "board_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "main_window.h"
#include "platform/colours.h"

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

BoardWidget::BoardWidget(MainWindow& window, const Surface& surface)
    : QWidget(&window), m_window(window), m_surface(surface) {
    setMouseTracking(true);
    // Every pixel comes from the surface, so Qt need not erase anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(colours::background));
    painter.drawImage(event->rect(), m_surface.image(),
                      QRectF(event->rect().topLeft() * m_surface.image().devicePixelRatio(),
                             event->rect().size() * m_surface.image().devicePixelRatio()));
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
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
