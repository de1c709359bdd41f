#pragma once

// The window around each drag yardstick: the board's title bar, menu bar and outer size at the
// Normal size, so that below the same menu bar the client areas match.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QString>
#include <QWidget>

inline int showInBoardWindow(const QString& title, QWidget* content) {
    QMainWindow window;
    window.setWindowTitle(title);
    window.menuBar()
        ->addMenu(QStringLiteral("File"))
        ->addAction(QStringLiteral("Exit"), qApp, &QApplication::quit);
    window.setCentralWidget(content);
    // The board window's outer size at the Normal size, 7488 by 5990.4 twips.
    const QScreen* screen = window.screen();
    window.setFixedSize(qRound(7488 * screen->logicalDotsPerInchX() / 1440),
                        qRound(5990.4 * screen->logicalDotsPerInchY() / 1440));
    window.show();
    return QApplication::exec();
}
