#pragma once

#include <QPoint>
#include <optional>

// Where the keyboard player is: the focus square, and the piece the keys carry, if any (a piece
// the mouse holds is the other player's). The window forgets that piece once nothing is carried.
struct KeyboardFocus {
    QPoint square{0, 0};  // column, row
    std::optional<int> carried;
};
