#pragma once

#include <cstdint>
#include <optional>

#include "board/form1.h"

class FormHost;

// What the last mouse event did, for those who cannot see it happen.
struct MouseOutcome {
    enum Kind { None, NothingPickedUp, PickedUp, Carried, Dropped, Filed, Refused, PutBack };
    enum Refusal { WhiteSquare, TakenSquare, OffTheBoard, TrayFull };

    Kind kind = None;
    int piece = 0;  // 1-based position of the piece it moved
    Refusal refusal = WhiteSquare;
    // Where a release snapped the piece to before it was settled: what a refusal refused.
    double targetX = 0;
    double targetY = 0;
};

// What the mouse does on the board window: a press picks up the first piece under the pointer,
// a move drags it, and the release settles it on the square under the pointer: accepted,
// refused with a beep and put back, or filed into its colour's tray. Each event takes the button
// and modifier state and the pointer in client pixels.
class MouseHandlers {
public:
    MouseHandlers(Form1& form, FormHost& host) : m_form(form), m_host(host) {}

    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);
    // Settles a drag that cannot end with a release (a menu command, another window taking the
    // mouse, Escape, a cancelled touch): the piece goes back to where it was picked up, without
    // a beep, and no piece stays marked. The tray marks never changed during the drag.
    void putBack();
    // The 1-based position of the piece being dragged, if any.
    std::optional<int> movingPiece() const;
    const MouseOutcome& outcome() const { return m_outcome; }
    // Before an event that may not reach the handlers at all (a menu command, a key).
    void forgetOutcome() { m_outcome = {}; }

private:
    // The tray a piece is filed into, and its rows' offset on the window's grid.
    struct PieceTray {
        TrayGrid& grid;
        int rowOffset;
    };

    PieceTray trayOf(const VIDEVER& piece);
    void ReturnPiece(std::int16_t index);
    // The first cell, in filing order, that is marked free and holds no piece but the one being
    // filed (at the 1-based position filing).
    std::optional<TrayCell> FreeSlot1(int filing) const;
    std::optional<TrayCell> FreeSlot2(int filing) const;
    std::optional<TrayCell> firstFreeCell(const TrayGrid& tray, int rowOffset, int filing) const;
    void fileIntoTray(int index);
    bool squareTaken(int index) const;
    bool onWhiteSquare(const VIDEVER& piece) const;
    void freeTrayCellOf(const VIDEVER& piece);

    Form1& m_form;
    FormHost& m_host;
    MouseOutcome m_outcome;
};
