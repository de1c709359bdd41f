#!/usr/bin/env bash
# The real program under Xvfb played with the keyboard alone: the focus square, a move, a
# refused drop, a filing through the gap column, a tray piece brought back, Escape, a menu
# command and Exit from the menus, with no click anywhere.
# Usage: keyboard.sh EXECUTABLE SOURCE-DIR BUILD-DIR CLOSE-WINDOW
set -euo pipefail
exe=$1
# shellcheck source=lib/common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/lib/common.sh"
readonly YELLOW=255,255,0

# keys KEY...: typed into the board's window, then a moment for the picture to follow.
keys() {
    xdotool key --window "$WINDOW" --delay 30 "$@"
    sleep 0.3
}

# focus_square_at COLUMN ROW: some pixel of the focus square's yellow on that square's left edge.
focus_square_at() {
    local x
    for ((x = $1 * 40; x < $1 * 40 + 6; x++)); do
        [[ $(pixel "$x" $(($2 * 40 + 20))) == "$YELLOW" ]] && return 0
    done
    return 1
}

e2e_setup keyboard
start_program "$exe"
xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
shot start
focus_square_at 0 0 && fail "a focus square shows before any key was used"

# Piece 9, on square (0, 2), down a row and right a column onto a free black square.
keys Down Down space Down Right space
shot moved
focus_square_at 1 3 || fail "no focus square on square (1,3) after the keys"
expect_pixel 60 140 "$RED" "piece moved with the keys, under the focus square"
expect_pixel 20 100 "$BLACK" "the square it left"

# Onto a white square: refused, back where it was.
keys space Right space
shot refused
expect_piece 60 140 15 "$RED" "$BLACK" "piece refused on a white square"

# Carried into the gap column: filed into the first cell of the red pieces' tray.
keys Left space Right Right Right Right Right Right Right space
shot filed
expect_piece 380 20 15 "$RED" "$RED_TRAY" "piece filed through the gap"
expect_pixel 60 140 "$BLACK" "the square it was taken from"

# Picked up from the tray and put back with Escape, then brought back onto the board.
keys Right Up Up Up space Down Escape
shot escaped
expect_piece 380 20 15 "$RED" "$RED_TRAY" "tray piece after Escape"
keys Up space Left Left Left Left Left Left Left Left Down Down Down space
shot back
expect_pixel 60 140 "$RED" "tray piece back on the board, under the focus square"
expect_pixel 380 20 "$RED_TRAY" "the tray cell it left"

# File > New Game through the menu bar's own keys: every piece back on its starting square.
keys alt Down Down Down Return
shot new_game
expect_piece 20 100 15 "$RED" "$BLACK" "piece 9 after New Game"
expect_pixel 60 140 "$BLACK" "square (1,3) after New Game"

# File > Exit the same way; the window is gone before the last key has been sent.
xdotool key --delay 30 alt Down Up Return
wait_for_exit 10 || die "Exit from the keyboard did not end the program"
expect_equal "$PROGRAM_STATUS" 0 "exit status after Exit"

e2e_finish
