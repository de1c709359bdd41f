#pragma once

#include <QPoint>
#include <QString>
#include <optional>

class Form1;
struct MouseOutcome;

// Puts each change the mouse handlers make into words, once, whoever made it: the keyboard, the
// mouse or touch of either player, or a menu putting a held piece back.
class GameNarration {
public:
    // The words for what the last event did, or nothing where nothing is worth saying (a
    // carried piece still over the same square, a press on no piece).
    QString describe(const Form1& form, const MouseOutcome& outcome);
    // The last move that ended: a drop, a filing, a refusal or a piece put back.
    QString lastMove() const { return m_lastMove; }
    // What is being carried now, and over which square.
    QString carried(const Form1& form, std::optional<int> moving) const;
    // Forgets the last move when the game starts again.
    void newGame() { m_lastMove.clear(); }

private:
    std::optional<QPoint> m_carriedOver;  // the square under the pointer, as last said
    QString m_lastMove;
};
