#!/usr/bin/env bash
# The real program under Xvfb: its window, outer size and start picture, and its answer when
# there is no display at all.
# Usage: board_on_screen.sh EXECUTABLE SOURCE-DIR BUILD-DIR CLOSE-WINDOW
set -euo pipefail
exe=$1
# shellcheck source=lib/common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/lib/common.sh"

e2e_setup board_on_screen

# Without any display the program says so in one sentence and ends, instead of aborting.
# Not on Windows, which always has its display.
if ! on_windows; then
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" >"$E2E_WORK/stdout" \
        2>"$E2E_WORK/stderr" || status=$?
    checks=$((checks + 1))
    ((status != 0 && status < 128)) ||
        fail "with no display the program should end with a plain error status, got $status"
    expect_equal "$(grep -c . "$E2E_WORK/stderr")" 1 "with no display, lines of explanation"
    checks=$((checks + 1))
    grep -qi 'display' "$E2E_WORK/stderr" ||
        fail "with no display the explanation should say that no display was found: $(cat "$E2E_WORK/stderr")"
    checks=$((checks + 1))
    ! grep -qiE 'abort|core dumped|qt\.qpa' "$E2E_WORK/stderr" ||
        fail "with no display the program should not abort: $(cat "$E2E_WORK/stderr")"
fi

start_program "$exe"
expect_equal "$(xdotool getwindowname "$WINDOW")" Form1 "window title"
expect_window_size 499x399 "Normal window at start"
shot start

# Every square: a corner shows the square's colour, the centre shows a piece on the black
# squares of rows 0-2 (red) and 5-7 (blue), and nothing anywhere else.
for ((row = 0; row < 8; row++)); do
    for ((column = 0; column < 8; column++)); do
        left=$((column * 40)) top=$((row * 40))
        if (((row + column) % 2 == 0)); then
            square=$BLACK
            if ((row <= 2)); then centre=$RED; elif ((row >= 5)); then centre=$BLUE; else centre=$BLACK; fi
        else
            square=$WHITE centre=$WHITE
        fi
        expect_pixel $((left + 2)) $((top + 2)) "$square" "square ($column,$row)"
        expect_pixel $((left + 37)) $((top + 37)) "$square" "square ($column,$row)"
        expect_pixel $((left + 20)) $((top + 20)) "$centre" "centre of square ($column,$row)"
    done
done

# Squares are 40 pixels wide and tile exactly.
expect_pixel 39 0 "$BLACK" "right edge of square (0,0)"
expect_pixel 40 0 "$WHITE" "left edge of square (1,0)"
expect_pixel 0 39 "$BLACK" "bottom edge of square (0,0)"
expect_pixel 0 40 "$WHITE" "top edge of square (0,1)"
expect_pixel 319 319 "$BLACK" "far corner of square (7,7)"

expect_box 360 0 479 159 "$RED_TRAY" "tray for red pieces"
expect_box 360 160 479 319 "$BLUE_TRAY" "tray for blue pieces"
expect_box 320 0 359 319 "$BACKGROUND" "gap column between board and trays"
client_bottom=$((399 - MENU_HEIGHT - 1))
expect_box 0 320 498 "$client_bottom" "$BACKGROUND" "strip below the board"
expect_box 480 0 498 319 "$BACKGROUND" "strip right of the trays"

expect_piece 20 20 15 "$RED" "$BLACK" "first red piece"
expect_piece 260 100 15 "$RED" "$BLACK" "last red piece"
expect_piece 60 220 15 "$BLUE" "$BLACK" "first blue piece"
expect_piece 300 300 15 "$BLUE" "$BLACK" "last blue piece"

e2e_finish
