#!/usr/bin/env bash
# The menus of the real program under Xvfb, opened with real clicks: the three sizes, measured
# from the window system and from screenshots, New Game after pieces were taken, Exit, and a
# close by the window system.
# Usage: menus_and_sizes.sh EXECUTABLE SOURCE-DIR BUILD-DIR CLOSE-WINDOW
set -euo pipefail
exe=$1
close_window=$4
# shellcheck source=lib/common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/lib/common.sh"

e2e_setup menus_and_sizes
start_program "$exe"
shot start

choose Size Small
expect_window_size 250x207 "Small"
shot small
expect_pixel 19 19 "$BLACK" "Small: far corner of square (0,0)"
expect_pixel 20 0 "$WHITE" "Small: square (1,0)"
expect_pixel 159 159 "$BLACK" "Small: far corner of square (7,7)"
expect_piece 10 10 5 "$RED" "$BLACK" "Small: first red piece"
expect_piece 150 150 5 "$BLUE" "$BLACK" "Small: last blue piece"
expect_box 180 0 239 79 "$RED_TRAY" "Small: tray for red pieces"
expect_box 180 80 239 159 "$BLUE_TRAY" "Small: tray for blue pieces"
expect_box 160 0 179 159 "$BACKGROUND" "Small: gap column"

# Large grows the window and paints the whole board at the new size, far corner included.
choose Size Large
expect_window_size 749x591 "Large"
shot large
expect_pixel 59 59 "$BLACK" "Large: far corner of square (0,0)"
expect_pixel 60 0 "$WHITE" "Large: square (1,0)"
expect_pixel 479 479 "$BLACK" "Large: far corner of square (7,7)"
expect_piece 30 30 25 "$RED" "$BLACK" "Large: first red piece"
expect_piece 450 450 25 "$BLUE" "$BLACK" "Large: last blue piece"
expect_box 540 0 719 239 "$RED_TRAY" "Large: tray for red pieces"
expect_box 540 240 719 479 "$BLUE_TRAY" "Large: tray for blue pieces"
expect_box 480 0 539 479 "$BACKGROUND" "Large: gap column"
expect_box 0 480 748 $((591 - MENU_HEIGHT - 1)) "$BACKGROUND" "Large: strip below the board"

choose Size Normal
expect_window_size 499x399 "Normal after Large"
shot normal
expect_same_picture start "Normal after Large"

# New Game puts every piece back and empties the trays.
drag 180 20 700 20
drag 260 20 700 20
drag 60 220 60 140
shot mid_game
expect_piece 420 20 15 "$RED" "$RED_TRAY" "second red piece taken, before New Game"
choose File "New Game"
expect_window_size 499x399 "New Game"
shot new_game
expect_same_picture start "New Game after two pieces were taken and one moved"
drag 100 20 700 20
shot taken_after_new_game
expect_piece 380 20 15 "$RED" "$RED_TRAY" "first piece taken after New Game, in tray cell 1"

choose File Exit
wait_for_exit 10 || die "Exit did not end the program"
expect_equal "$PROGRAM_STATUS" 0 "exit status after Exit"

# Closing the window the way a window manager asks for it ends the program too.
start_program "$exe"
"$close_window" "$WINDOW"
wait_for_exit 10 || die "closing the window did not end the program"
expect_equal "$PROGRAM_STATUS" 0 "exit status after the window was closed"

e2e_finish
