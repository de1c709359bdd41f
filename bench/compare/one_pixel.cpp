// The floor of showing any change through Qt: while a button is held, each pointer move sets
// the pixel under the pointer in a kept picture and asks Qt to show that one pixel.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "board_window.h"

namespace {
class OnePixel : public QWidget {
public:
    OnePixel() { setAttribute(Qt::WA_OpaquePaintEvent); }

protected:
    // Black, so that the drag script finds the top of the client area as it finds the board's.
    void resizeEvent(QResizeEvent*) override {
        m_picture = QImage(size(), QImage::Format_RGB32);
        m_picture.fill(Qt::black);
    }

    void paintEvent(QPaintEvent* event) override {
        QPainter(this).drawImage(event->rect(), m_picture, event->rect());
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        if (m_picture.rect().contains(at)) {
            m_picture.setPixel(at, qRgb(255, 0, 0));
            update(QRect(at, QSize(1, 1)));
        }
    }

private:
    QImage m_picture;
};
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return showInBoardWindow(QStringLiteral("One pixel"), new OnePixel);
}
