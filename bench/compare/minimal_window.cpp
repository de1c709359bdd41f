// The yardstick for start-up time and peak memory: a main window with a menu bar and a label
// showing an image as large as the board's client area, and nothing else.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal window"));
    window.menuBar()
        ->addMenu(QStringLiteral("File"))
        ->addAction(QStringLiteral("Exit"), &app, &QApplication::quit);
    QImage image(500, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    auto* label = new QLabel(&window);
    label->setPixmap(QPixmap::fromImage(image));
    window.setCentralWidget(label);
    window.show();
    return QApplication::exec();
}
