#include "platform/main_window.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <cstdio>
#include <utility>

#include "platform/canvas.h"
#include "platform/window_geometry.h"

MainWindow::MainWindow()
    : m_surface(QSize(1, 1), devicePixelRatio()),
      m_canvas(new Canvas(m_surface, this)),
      m_beep(Beep::soundFor(QGuiApplication::platformName())) {
    setCentralWidget(m_canvas);
}

template <typename Handler>
void MainWindow::dispatch(const Handler& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        // The handler stops where it failed; the program goes on with what it had done.
        reportError(QString::fromStdString(error.what()));
    }
    m_canvas->update(m_surface.takeChangedArea());
}

void MainWindow::define(const WindowDefinition& definition) {
    setWindowTitle(definition.title);
    for (const WindowDefinition::Menu& item : definition.menus) {
        QMenu* menu = menuBar()->addMenu(item.caption);
        menu->setObjectName(item.control);
        for (const WindowDefinition::Command& command : item.commands) {
            QAction* action = menu->addAction(command.caption);
            action->setObjectName(command.control);
            action->setMenuRole(QAction::NoRole);
            connect(action, &QAction::triggered, this,
                    [this, run = command.run] { dispatch(run); });
        }
    }
    // Each mouse event goes straight to its handler, through the one dispatch.
    using Handler = void (MouseReceiver::*)(int button, int shift, float x, float y);
    const std::pair<Canvas::MouseSignal, Handler> mouseEvents[] = {
        {&Canvas::pressed, &MouseReceiver::mouseDown},
        {&Canvas::moved, &MouseReceiver::mouseMove},
        {&Canvas::released, &MouseReceiver::mouseUp}};
    for (const auto& [signal, handler] : mouseEvents) {
        connect(m_canvas, signal, this,
                [this, mouse = definition.mouse, handler = handler](int button, int shift, float x,
                                                                    float y) {
                    dispatch([&] { (mouse->*handler)(button, shift, x, y); });
                });
    }
    setOuterSize(definition.widthTwips, definition.heightTwips);
    dispatch(definition.load);
}

bool MainWindow::event(QEvent* event) {
    // Moved to a screen of another scale: the picture is painted again, crisp at the new ratio.
    if (event->type() == QEvent::ScreenChangeInternal) {
        m_surface.setDevicePixelRatio(devicePixelRatio());
        m_canvas->update();
    }
    return QMainWindow::event(event);
}

void MainWindow::reportError(const QString& message) {
    std::fprintf(stderr, "draughtsboard: %s\n", qPrintable(message));
    auto* box =
        new QMessageBox(QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok, this);
    // Names from files and folders are shown as they are, never read as markup.
    box->setTextFormat(Qt::PlainText);
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
    const QSize menus = menuBar()->sizeHint();
    // However small the size asked for, the whole menu bar stays on screen, so that a board
    // shrunk to nothing can always be brought back from the Size menu.
    const QSize outer = outerPixelSize(widthTwips, heightTwips, display->logicalDotsPerInchX(),
                                       display->logicalDotsPerInchY(), display->availableSize())
                            .expandedTo(QSize(menus.width(), menus.height() + 1));
    // The surface follows at once, so the very next repaint already covers the new size.
    m_surface.resize(QSize(outer.width(), outer.height() - menus.height()));
    setFixedSize(outer);
}

void MainWindow::beep() {
    m_beep.play();
}

void MainWindow::endProgram() {
    QCoreApplication::exit(0);
}
