// The board drawn the plain way, as a yardstick for the real program: a kept picture painted
// with QPainter. Pressing on a piece drags it, so the same xdotool script drives this program
// and the board.
//
//   reference-board                        every pointer move paints the whole picture again
//                                          and shows the whole widget
//   reference-board --changed-rectangles   every pointer move paints the whole picture again
//                                          too, but shows only the union of the dragged
//                                          piece's old and new bounds
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <vector>

#include "board_window.h"

namespace {
constexpr int side = 40;
constexpr int radius = 15;

struct Piece {
    QPoint centre;
    QColor colour;
};

// Every pixel a piece's disc and outline can touch, with a pixel to spare on each side.
QRect bounds(QPoint centre) {
    return QRect(centre - QPoint(radius + 1, radius + 1), QSize(2 * radius + 3, 2 * radius + 3));
}

class ReferenceBoard : public QWidget {
public:
    explicit ReferenceBoard(bool onlyChangedRectangles)
        : m_onlyChangedRectangles(onlyChangedRectangles) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 8; ++column) {
                if ((row + column) % 2 == 0 && (row <= 2 || row >= 5)) {
                    m_pieces.push_back({QPoint(column * side + side / 2, row * side + side / 2),
                                        row <= 2 ? Qt::red : Qt::blue});
                }
            }
        }
    }

protected:
    void resizeEvent(QResizeEvent*) override {
        m_picture = QImage(size(), QImage::Format_RGB32);
        paintPicture();
    }

    void paintEvent(QPaintEvent* event) override {
        QPainter(this).drawImage(event->rect(), m_picture, event->rect());
    }

    void mousePressEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        for (std::size_t i = 0; i < m_pieces.size(); ++i) {
            const QPoint offset = m_pieces[i].centre - at;
            if (QPoint::dotProduct(offset, offset) < radius * radius) {
                m_dragged = static_cast<int>(i);
                break;
            }
        }
        m_last = at;
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        const QPoint step = at - m_last;
        m_last = at;
        if (m_dragged < 0) {
            return;
        }
        QPoint& centre = m_pieces[static_cast<std::size_t>(m_dragged)].centre;
        const QRect changed = bounds(centre) | bounds(centre + step);
        centre += step;
        paintPicture();
        update(m_onlyChangedRectangles ? changed : m_picture.rect());
    }

    void mouseReleaseEvent(QMouseEvent*) override { m_dragged = -1; }

private:
    // Paints the whole picture: the background, the board, both trays and every piece.
    void paintPicture() {
        QPainter painter(&m_picture);
        painter.fillRect(m_picture.rect(), QColor(240, 240, 240));
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 8; ++column) {
                painter.fillRect(QRect(column * side, row * side, side, side),
                                 (row + column) % 2 == 0 ? Qt::black : Qt::white);
            }
        }
        painter.fillRect(QRect(9 * side, 0, 3 * side, 4 * side), QColor(200, 200, 255));
        painter.fillRect(QRect(9 * side, 4 * side, 3 * side, 4 * side), QColor(255, 200, 200));
        painter.setPen(Qt::black);
        for (const Piece& piece : m_pieces) {
            painter.setBrush(piece.colour);
            painter.drawEllipse(piece.centre, radius, radius);
        }
    }

    const bool m_onlyChangedRectangles;
    QImage m_picture;
    std::vector<Piece> m_pieces;
    int m_dragged = -1;
    QPoint m_last;
};
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool onlyChangedRectangles =
        QApplication::arguments().contains(QStringLiteral("--changed-rectangles"));
    return showInBoardWindow(onlyChangedRectangles ? QStringLiteral("Changed rectangles")
                                                   : QStringLiteral("Full repaint"),
                             new ReferenceBoard(onlyChangedRectangles));
}
