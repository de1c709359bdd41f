#include "platform/main_window.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <cstdio>

#include "board/board_sizes.h"
#include "platform/canvas.h"
#include "platform/window_geometry.h"

MainWindow::MainWindow(const std::optional<QByteArray>& positionFile, QWidget* parent)
    : QMainWindow(parent),
      m_surface(QSize(1, 1), devicePixelRatio()),
      m_form(m_surface, *this, positionFile),
      m_canvas(new Canvas(m_surface, this)) {
    setWindowTitle(QStringLiteral("Form1"));
    setCentralWidget(m_canvas);
    buildMenus();
    connect(m_canvas, &Canvas::pressed, this, [this](int button, int shift, float x, float y) {
        dispatch([&] { m_form.mouseDown(button, shift, x, y); });
    });
    connect(m_canvas, &Canvas::moved, this, [this](int button, int shift, float x, float y) {
        dispatch([&] { m_form.mouseMove(button, shift, x, y); });
    });
    connect(m_canvas, &Canvas::released, this, [this](int button, int shift, float x, float y) {
        dispatch([&] { m_form.mouseUp(button, shift, x, y); });
    });
    // The window is defined at the Normal size; the load event then sets up and paints the board
    // before the window is first shown.
    setOuterSize(static_cast<float>(outerWidthTwips(normalSize.cellSize)),
                 static_cast<float>(outerHeightTwips(normalSize.cellSize)));
    dispatch([this] { m_form.onLoad(); });
}

void MainWindow::buildMenus() {
    struct Command {
        const char* control;
        const char* caption;
        void (Form1::*handler)();
    };
    const auto addMenu = [this](const char* control, const char* caption,
                                std::initializer_list<Command> commands) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(caption));
        menu->setObjectName(QString::fromLatin1(control));
        for (const Command& command : commands) {
            QAction* action = menu->addAction(QString::fromLatin1(command.caption));
            action->setObjectName(QString::fromLatin1(command.control));
            action->setMenuRole(QAction::NoRole);
            const auto handler = command.handler;
            connect(action, &QAction::triggered, this,
                    [this, handler] { dispatch([&] { (m_form.*handler)(); }); });
        }
    };
    addMenu("File", "File",
            {{"Save", "Save", &Form1::SaveClick},
             {"Load", "Load", &Form1::LoadClick},
             {"Kng", "New Game", &Form1::KngClick},
             {"Exit", "Exit", &Form1::ExitClick}});
    addMenu("Size", "Size",
            {{"Normal", "Normal", &Form1::NormalClick},
             {"Large", "Large", &Form1::LargeClick},
             {"Small", "Small", &Form1::SmallClick}});
}

template <typename Handler>
void MainWindow::dispatch(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        // The handler stops where it failed; the program goes on with what it had done.
        reportError(QString::fromStdString(error.what()));
    }
    m_canvas->update(m_surface.takeChangedRegion());
}

void MainWindow::reportError(const QString& message) {
    std::fprintf(stderr, "draughtsboard: %s\n", qPrintable(message));
    auto* box =
        new QMessageBox(QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::setOuterSize(float widthTwips, float heightTwips) {
    // Every repaint asks for the size; only a new one is worth the window system's time.
    if (widthTwips == m_widthTwips && heightTwips == m_heightTwips) {
        return;
    }
    m_widthTwips = widthTwips;
    m_heightTwips = heightTwips;
    const QScreen* display = screen();
    const QSize outer = outerPixelSize(widthTwips, heightTwips, display->logicalDotsPerInchX(),
                                       display->logicalDotsPerInchY(), display->availableSize());
    const int menuHeight = menuBar()->sizeHint().height();
    // The surface follows at once, so the very next repaint already covers the new size.
    m_surface.resize(QSize(outer.width(), std::max(0, outer.height() - menuHeight)));
    setFixedSize(outer);
}

void MainWindow::beep() {
    QApplication::beep();
}

void MainWindow::endProgram() {
    QCoreApplication::exit(0);
}
