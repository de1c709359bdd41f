#pragma once

#include <QObject>
#include <QRectF>
#include <QString>
#include <functional>

#include "accessibility/keyboard_focus.h"
#include "accessibility/spoken_board.h"

class Form1;
class MouseHandlers;
class QKeyEvent;

// Play without a mouse. The keys move a focus square over the 12 x 8 grid (arrows, diagonally
// with Home, Page Up, End and Page Down as on a number pad, to a dark square by its number then
// Enter, to the next or previous piece with N and Shift+N); Space or Return is a press or a
// release at the square, exactly as the mouse's, and Escape puts a carried piece back. Other
// letters read the board. Watches the board widget's key presses; keys it has no use for go on
// to the menus.
class BoardKeys : public QObject {
    Q_OBJECT
public:
    // Runs one handler the way the window runs every event's.
    using Dispatch = std::function<bool(const std::function<void()>&, SpokenBoard::Voice)>;

    BoardKeys(const Form1& form, MouseHandlers& mouse, KeyboardFocus& focus, SpokenBoard& speech,
              Dispatch dispatch);

    // Whether the piece being dragged is the one the keys picked up.
    bool carrying() const;
    // Where the focus square shows: nowhere until a key is used, and after a mouse press.
    QRectF focusSquareArea() const;
    void hideFocusSquare() { m_shown = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handle(const QKeyEvent& key);
    void step(QPoint by);
    void moveTo(QPoint square);
    void goToTypedSquare();
    void goToPiece(int direction);
    void pickUpOrPutDown();
    void putBack();
    QString carriedReading() const;

    const Form1& m_form;
    MouseHandlers& m_mouse;
    KeyboardFocus& m_focus;
    SpokenBoard& m_speech;
    Dispatch m_dispatch;
    bool m_shown = false;
    QString m_typed;  // a square's number, typed before Enter
    int m_lastKey = 0;
};
