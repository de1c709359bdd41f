#pragma once

#include <QRect>
#include <QWidget>

class Surface;

// The client area: it shows the persistent surface and, while the keys are in use, the
// keyboard's focus square over it, and it turns the pointer and touch into the handlers' terms.
// It paints nothing into the surface and decides nothing.
class BoardWidget : public QWidget {
    Q_OBJECT
public:
    BoardWidget(const Surface& surface, QWidget* parent);

    // Where the focus square shows (empty for nowhere), in logical pixels; only a change is
    // painted.
    void showFocusSquare(const QRectF& square);

signals:
    // Button and modifier state as the mouse handlers take them, and the pointer's pixel.
    void pressed(int button, int shift, float x, float y);
    void moved(int button, int shift, float x, float y);
    void released(int button, int shift, float x, float y);
    // A touch the system took back: no release will come.
    void touchCancelled();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const Surface& m_surface;
    QRectF m_focusSquare;
};
