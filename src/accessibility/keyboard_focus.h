#pragma once

#include <QPoint>
#include <optional>

// Where the keyboard player is: the focus square, and the piece the keys carry, if any (a piece
// the mouse holds is the other player's).
struct KeyboardFocus {
    QPoint square{0, 0};  // column, row
    std::optional<int> carried;
};
