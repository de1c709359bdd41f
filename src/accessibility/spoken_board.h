#pragma once

#include <QObject>
#include <QRect>
#include <QStringList>
#include <vector>

#include "accessibility/keyboard_focus.h"
#include "accessibility/move_history.h"

class Form1;
class MouseHandlers;
class QWidget;
struct MouseOutcome;

// The board as assistive technology meets it. A child of the board widget, it gives the widget
// its accessible squares and notifications, names the squares again when what lies on them
// changes, and speaks each change of the game once, in words, whoever made it.
class SpokenBoard : public QObject {
    Q_OBJECT
public:
    // Whose event it was, which decides what is said: the other player's drag is heard once, when
    // the piece is put down; the keyboard player also hears a pick-up; Quiet says nothing where
    // the reader already hears the focus square.
    enum class Voice { Pointer, Keyboard, Quiet };

    SpokenBoard(QWidget* board, const Form1& form, const MouseHandlers& mouse,
                const KeyboardFocus& focus);

    QWidget* board() const;
    const Form1& form() const { return m_form; }
    // Square index, row by row, and back.
    static QPoint squareOf(int index);
    static int indexOf(QPoint square);
    // What a reader reads for a square; the focus square says what the keys carry.
    QString squareName(int index) const;
    QRect squareRect(int index) const;  // in the board's logical pixels
    std::optional<int> focusIndex() const;
    QString announcement(int notification) const { return m_announcements[notification]; }

    // After each event: tells readers which squares changed and says what the event did.
    void afterEvent(const MouseOutcome& outcome, Voice voice);
    // Words spoken once, after the event that said them.
    void say(const QString& words);
    // The focus square moved: the reader reads the square it landed on.
    void focusMoved();
    // The last move, or with again the one before the move read last.
    QString lastMove(bool again) { return m_history.read(again); }
    // The game starts again: no move to recall.
    void newGame() { m_history.clear(); }

    static constexpr int notifications = 4;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void renameChangedSquares();
    void speakPendingWords();

    const Form1& m_form;
    const MouseHandlers& m_mouse;
    const KeyboardFocus& m_focus;
    MoveHistory m_history;
    std::vector<double> m_named;  // the pieces and the focus as they were when last named
    QStringList m_squareNames;    // as readers were last told
    QStringList m_pendingWords;   // to be spoken once this event is done
    QString m_announcements[notifications];
    int m_announcer = 0;  // the notification that spoke last
    bool m_keyHelpHeard = false;
};
