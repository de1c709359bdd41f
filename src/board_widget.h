#pragma once

#include <QPoint>
#include <QStringList>
#include <QWidget>

#include <vector>
#include "board_accessibility.h"

class Form1;
class MainWindow;
class Surface;

// The client area. It shows the persistent surface and, once a key has been used, the keyboard's
// focus square over it, but paints nothing into the surface. Each mouse, key and touch event goes
// to its handler through the window's dispatch; a key is a press, move or release at the centre
// of the focus square, so the keyboard reaches exactly what the mouse does.
class BoardWidget : public QWidget {
    Q_OBJECT
public:
    BoardWidget(MainWindow& window, const Surface& surface);

    const Form1& form() const;
    QPoint focusSquare() const { return m_focusSquare; }
    // Square (column, row) of the grid, in the widget's pixels.
    QRect squareRect(QPoint square) const;
    // Brings the focus square up to a change of the squares under it.
    void updateFocusRing();
    // What assistive technology reads for a square.
    QString squareWords(QPoint square) const;
    // Tells assistive technology which squares now hold something else; the window calls it
    // after every event.
    void renameChangedSquares();
    // Speaks words once, through the board's notifications.
    void announce(const QString& words);
    QString announcement(int notification) const { return m_announcements[notification]; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QPointF squareCentre(QPoint square) const;
    void moveFocusSquare(QPoint step);
    // Where the focus square should show now (empty when hidden), and bringing the screen up to
    // it.
    QRect focusRingArea() const;
    void announceFocus();
    void speakPendingWords();

    MainWindow& m_window;
    const Surface& m_surface;
    QPoint m_focusSquare{0, 0};  // column, row
    bool m_showFocusSquare = false;
    QRect m_focusRingShown;       // as last painted
    QStringList m_squareNames;    // as assistive technology was last told
    std::vector<double> m_named;  // the pieces and the focus as they were when last named
    QStringList m_pendingWords;   // to be spoken once this event is done
    QString m_announcements[announcementChildren];
    int m_announcer = 0;  // the notification that spoke last
    bool m_keyHelpHeard = false;
};
