#pragma once

#include <QWidget>

class MainWindow;
class Surface;

// The client area. It shows the persistent surface and paints nothing of its own; each mouse
// press, move and release goes to its handler through the window's dispatch.
class BoardWidget : public QWidget {
    Q_OBJECT
public:
    BoardWidget(MainWindow& window, const Surface& surface);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    MainWindow& m_window;
    const Surface& m_surface;
};
