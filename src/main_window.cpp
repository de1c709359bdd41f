#include "main_window.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cstdio>

#include "board/board_sizes.h"
#include "board_widget.h"
#include "platform/window_geometry.h"

MainWindow::MainWindow(PositionFileLocation positionFile)
    : m_surface(QSize(1, 1), devicePixelRatio()),
      m_beep(Beep::soundFor(QGuiApplication::platformName())),
      m_positionFile(m_form, std::move(positionFile)),
      m_board(new BoardWidget(m_surface, this)),
      m_speech(new SpokenBoard(m_board, m_form, m_mouse, m_focus)),
      m_keys(m_form, m_mouse, m_focus, *m_speech,
             [this](const std::function<void()>& handler, Voice voice) {
                 return dispatch(handler, voice);
             }) {
    setWindowTitle(QStringLiteral("Form1"));
    setCentralWidget(m_board);
    m_board->installEventFilter(&m_keys);
    connectPointer();
    m_board->setFocus();
    // A command after which the game starts anew, with no last move to recall.
    const auto anew = [this](const std::function<void()>& command) {
        return [this, command] {
            command();
            m_speech->newGame();
        };
    };
    QMenu* file = addMenu("File");
    addCommand(file, "Save", "Save", "Position saved.", [this] { m_positionFile.SaveClick(); });
    addCommand(file, "Load", "Load", "Position loaded.",
               anew([this] { m_positionFile.LoadClick(); }));
    addCommand(file, "Kng", "New Game", "New game.", anew([this] { m_form.KngClick(); }));
    addCommand(file, "Exit", "Exit", "", [this] { m_form.ExitClick(); });
    QMenu* size = addMenu("Size");
    addCommand(size, "Normal", "Normal", "Normal size, new game.",
               anew([this] { m_form.NormalClick(); }));
    addCommand(size, "Large", "Large", "Large size, new game.",
               anew([this] { m_form.LargeClick(); }));
    addCommand(size, "Small", "Small", "Small size, new game.",
               anew([this] { m_form.SmallClick(); }));

    // The window is defined at the Normal size, and its load event comes before it is shown.
    setOuterSize(static_cast<float>(outerWidthTwips(normalSize.cellSize)),
                 static_cast<float>(outerHeightTwips(normalSize.cellSize)));
    dispatch([this] { m_form.onLoad(); });

    // On a screen of another scale the picture is painted again at once, crisp at the new ratio.
    create();
    connect(windowHandle(), &QWindow::screenChanged, this, &MainWindow::followScreen);
    followScreen();
}

void MainWindow::connectPointer() {
    connect(m_board, &BoardWidget::pressed, this, [this](int button, int shift, float x, float y) {
        m_keys.hideFocusSquare();
        if (m_keys.carrying()) {
            dispatch([this] { m_mouse.putBack(); });
        }
        dispatch([&] { m_mouse.mouseDown(button, shift, x, y); });
    });
    connect(m_board, &BoardWidget::moved, this, [this](int button, int shift, float x, float y) {
        if (!m_keys.carrying()) {
            dispatch([&] { m_mouse.mouseMove(button, shift, x, y); });
        }
    });
    connect(m_board, &BoardWidget::released, this, [this](int button, int shift, float x, float y) {
        if (!m_keys.carrying()) {
            dispatch([&] { m_mouse.mouseUp(button, shift, x, y); });
        }
    });
    connect(m_board, &BoardWidget::touchCancelled, this,
            [this] { dispatch([this] { m_mouse.putBack(); }); });
}

QMenu* MainWindow::addMenu(const char* title) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(title));
    menu->setObjectName(QString::fromLatin1(title));
    // An open menu takes the mouse: no release will come for a piece still held.
    connect(menu, &QMenu::aboutToShow, this, [this] { dispatch([this] { m_mouse.putBack(); }); });
    return menu;
}

void MainWindow::addCommand(QMenu* menu, const char* control, const char* caption, const char* done,
                            std::function<void()> run) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(control));
    action->setMenuRole(QAction::NoRole);
    // Also before a command started without opening its menu, as assistive technology can.
    connect(action, &QAction::triggered, this, [this, done, run = std::move(run)] {
        // A failure keeps its message box, which screen readers read in full.
        if (dispatch([&] {
                m_mouse.putBack();
                run();
            })) {
            m_speech->say(QString::fromLatin1(done));
        }
    });
}

void MainWindow::changeEvent(QEvent* event) {
    // Another window (a message box among them) took the mouse: no release will come.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        dispatch([this] { m_mouse.putBack(); });
    }
    QMainWindow::changeEvent(event);
}

bool MainWindow::dispatch(const std::function<void()>& handler, Voice voice) {
    bool done = true;
    m_mouse.forgetOutcome();
    try {
        handler();
    } catch (const std::exception& error) {
        // The handler stops where it failed; the program goes on with what it had done.
        reportError(QString::fromStdString(error.what()));
        done = false;
    }
    // Once nothing is carried the keys carry nothing either, whatever put their piece back.
    if (!m_mouse.movingPiece()) {
        m_focus.carried.reset();
    }
    m_board->update(m_surface.paintChanges());
    m_board->showFocusSquare(m_keys.focusSquareArea());
    m_speech->afterEvent(m_mouse.outcome(), voice);
    return done;
}

void MainWindow::followScreen() {
    // A change of scale on the same screen comes with a change of its logical resolution.
    connect(screen(), &QScreen::logicalDotsPerInchChanged, this, &MainWindow::followScreen,
            Qt::UniqueConnection);
    if (devicePixelRatio() != m_surface.image().devicePixelRatio()) {
        m_surface.resize(m_surface.size(), devicePixelRatio());
        m_board->update(m_surface.paintChanges());
    }
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
    const bool created = windowHandle() != nullptr;
    const auto fit = [this](bool placed) {
        const QScreen* display = screen();
        const QSize menus = menuBar()->sizeHint();
        // Known only once the window is shown and framed; nothing before.
        const QSize frameMargins = frameGeometry().size() - size();
        // The size asked for is the client area's: the frame around it must fit the screen too.
        // However small the size asked for, the whole menu bar stays on screen, so that a board
        // shrunk to nothing can always be brought back from the Size menu.
        const QSize outer =
            outerPixelSize(m_widthTwips, m_heightTwips, display->logicalDotsPerInchX(),
                           display->logicalDotsPerInchY(), display->availableSize() - frameMargins)
                .expandedTo(QSize(menus.width(), menus.height() + 1));
        // The surface follows at once, so the very next repaint already covers the new size.
        m_surface.resize(QSize(outer.width(), outer.height() - menus.height()), devicePixelRatio());
        const bool grows = outer.width() > width() || outer.height() > height();
        setFixedSize(outer);
        if ((grows || placed) && isVisible()) {
            keepOnScreen(frameMargins);
        }
    };
    fit(false);
    if (!created) {
        // The first size is fitted again, frame and all, and the window kept on the screen, once
        // the window is first active: shown, and on X11 framed by the window manager.
        create();
        connect(
            windowHandle(), &QWindow::activeChanged, this,
            [this, fit] {
                fit(true);
                m_board->update(m_surface.paintChanges());
            },
            Qt::SingleShotConnection);
    }
}

void MainWindow::keepOnScreen(QSize frameMargins) {
    // The window system's frame lies outside the size asked for; all of it belongs on the
    // screen. Where the platform places windows itself (Wayland) the move is ignored.
    const QRect available = screen()->availableGeometry();
    const QRect frame(pos(), size() + frameMargins);
    const QPoint onScreen(
        std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width())),
        std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height())));
    if (onScreen != frame.topLeft()) {
        move(onScreen);
    }
}

void MainWindow::beep() {
    m_beep.play();
}

void MainWindow::endProgram() {
    QCoreApplication::exit(0);
}
