// The plain way to draw the board: every pointer move paints the whole picture again with
// QPainter and asks Qt to show the whole widget. Pressing on a piece drags it, so the same
// xdotool script drives this program and the board.
#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <vector>

namespace {
constexpr int side = 40;
constexpr int radius = 15;

struct Piece {
    QPoint centre;
    QColor colour;
};

class FullRepaint : public QWidget {
public:
    FullRepaint() {
        setMouseTracking(true);
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

    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, m_picture); }

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
        if (m_dragged >= 0) {
            m_pieces[static_cast<std::size_t>(m_dragged)].centre += at - m_last;
        }
        m_last = at;
        paintPicture();
        update();
    }

    void mouseReleaseEvent(QMouseEvent*) override { m_dragged = -1; }

private:
    void paintPicture() {
        QPainter painter(&m_picture);
        painter.fillRect(m_picture.rect(), QColor(240, 240, 240));
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 8; ++column) {
                painter.fillRect(column * side, row * side, side, side,
                                 (row + column) % 2 == 0 ? Qt::black : Qt::white);
            }
        }
        painter.fillRect(9 * side, 0, 3 * side, 4 * side, QColor(200, 200, 255));
        painter.fillRect(9 * side, 4 * side, 3 * side, 4 * side, QColor(255, 200, 200));
        painter.setPen(Qt::black);
        for (const Piece& piece : m_pieces) {
            painter.setBrush(piece.colour);
            painter.drawEllipse(piece.centre, radius, radius);
        }
    }

    QImage m_picture;
    std::vector<Piece> m_pieces;
    int m_dragged = -1;
    QPoint m_last;
};
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Full repaint"));
    window.menuBar()
        ->addMenu(QStringLiteral("File"))
        ->addAction(QStringLiteral("Exit"), &app, &QApplication::quit);
    window.setCentralWidget(new FullRepaint);
    // The board window's outer size at the Normal size, 7488 by 5990.4 twips, so that below the
    // same menu bar the two client areas match.
    const QScreen* screen = window.screen();
    window.setFixedSize(qRound(7488 * screen->logicalDotsPerInchX() / 1440),
                        qRound(5990.4 * screen->logicalDotsPerInchY() / 1440));
    window.show();
    return QApplication::exec();
}
