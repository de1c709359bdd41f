#include "platform/canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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
}  // namespace

Canvas::Canvas(const Surface& surface, QWidget* parent) : QWidget(parent), m_surface(surface) {
    setMouseTracking(true);
    // Every pixel comes from the surface, so Qt need not erase anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Canvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QImage& image = m_surface.image();
    const qreal ratio = image.devicePixelRatio();
    for (const QRect& rect : event->region()) {
        painter.drawImage(rect, image,
                          QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio,
                                 rect.height() * ratio));
    }
    const QRegion beyond = event->region() - QRect(QPoint(0, 0), m_surface.size());
    for (const QRect& rect : beyond) {
        painter.fillRect(rect, QColor(colours::background));
    }
}

void Canvas::mousePressEvent(QMouseEvent* event) {
    emit pressed(buttonCode(event->button()), shiftCode(event->modifiers()),
                 static_cast<float>(event->position().x()),
                 static_cast<float>(event->position().y()));
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
    emit moved(buttonCode(event->buttons()), shiftCode(event->modifiers()),
               static_cast<float>(event->position().x()),
               static_cast<float>(event->position().y()));
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
    emit released(buttonCode(event->button()), shiftCode(event->modifiers()),
                  static_cast<float>(event->position().x()),
                  static_cast<float>(event->position().y()));
}
