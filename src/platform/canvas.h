#pragma once

#include <QWidget>

class Surface;

// The client area: shows the persistent surface and passes every mouse press, move and release
// on, with the button and modifier state and the position in client pixels. It never paints
// anything of its own.
class Canvas : public QWidget {
    Q_OBJECT
public:
    Canvas(const Surface& surface, QWidget* parent);

    using MouseSignal = void (Canvas::*)(int button, int shift, float x, float y);

signals:
    void pressed(int button, int shift, float x, float y);
    void moved(int button, int shift, float x, float y);
    void released(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const Surface& m_surface;
};
