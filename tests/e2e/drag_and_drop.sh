#!/usr/bin/env bash
# Real drags on the real program under Xvfb: moves, refused drops, filing into both trays and
# bringing tray pieces back, with every outcome read from a screenshot.
# Usage: drag_and_drop.sh EXECUTABLE SOURCE-DIR BUILD-DIR CLOSE-WINDOW
set -euo pipefail
exe=$1
# shellcheck source=lib/common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/lib/common.sh"

e2e_setup drag_and_drop
start_program "$exe"
shot start

# A piece grabbed away from its centre lands centred on the square under the pointer.
drag 28 108 64 146
shot moved
expect_piece 60 140 15 "$RED" "$BLACK" "red piece moved to a free black square"
expect_pixel 20 100 "$BLACK" "square the red piece left"

drag 60 220 60 180
shot onto_white
expect_same_picture moved "drop on a white square returns the piece"

drag 100 20 60 60
shot onto_occupied
expect_same_picture moved "drop on an occupied square returns the piece"

# Off the board, wherever that is, a board piece goes to the first free cell of its own tray.
drag 180 20 700 20
shot red_filed
expect_piece 380 20 15 "$RED" "$RED_TRAY" "red piece dropped right of the window, in tray cell 1"
expect_pixel 180 20 "$BLACK" "square the filed red piece left"

drag 140 300 140 420
shot blue_filed
expect_piece 380 180 15 "$BLUE" "$BLUE_TRAY" "blue piece dropped below the window, in tray cell 1"
expect_pixel 140 300 "$BLACK" "square the filed blue piece left"

drag 260 20 340 100
shot second_red_filed
expect_piece 420 20 15 "$RED" "$RED_TRAY" "second red piece dropped in the gap, in tray cell 2"
expect_piece 380 20 15 "$RED" "$RED_TRAY" "first red piece, still in tray cell 1"

# A tray piece goes back onto a free black square and frees its cell.
drag 380 20 180 20
shot red_back
expect_piece 180 20 15 "$RED" "$BLACK" "red piece brought back from the tray"
expect_box 362 2 398 38 "$RED_TRAY" "tray cell 1 after its piece left"

# The freed cell is taken again before any later one.
drag 260 100 420 250
shot freed_cell_reused
expect_piece 380 20 15 "$RED" "$RED_TRAY" "red piece dropped over the blue tray, in freed cell 1"
expect_pixel 460 20 "$RED_TRAY" "tray cell 3, still free"

# A tray piece can only go back onto the board.
drag 420 20 460 100
shot tray_to_tray
expect_same_picture freed_cell_reused "tray piece dropped in the tray area stays in its cell"

drag 420 20 100 140
shot tray_to_white
expect_same_picture freed_cell_reused "tray piece dropped on a white square stays in its cell"

# Any button drags.
drag 20 260 20 180 3
shot right_button
expect_piece 20 180 15 "$BLUE" "$BLACK" "blue piece dragged with the right button"
expect_pixel 20 260 "$BLACK" "square the right-button drag left"

drag 100 260 100 180 2
shot middle_button
expect_piece 100 180 15 "$BLUE" "$BLACK" "blue piece dragged with the middle button"

# The board ends exactly at x = 320: 319 is still column 7, 320 is off the board.
drag 100 100 319 140
shot last_column
expect_piece 300 140 15 "$RED" "$BLACK" "red piece released at x 319, on column 7"

drag 220 300 320 140
shot past_last_column
expect_piece 420 180 15 "$BLUE" "$BLUE_TRAY" "blue piece released at x 320, in tray cell 2"
expect_pixel 220 300 "$BLACK" "square the blue piece left"

# Released over the menu bar, above the client area, is off the board too.
drag 300 220 200 -10
shot above_board
expect_piece 460 180 15 "$BLUE" "$BLUE_TRAY" "blue piece released over the menu bar, in tray cell 3"

# A piece of side 0 is never painted, yet a press picks it up like any other: loaded on square 9,
# it is dragged to 13, where Save finds it.
write_invisible_nine
choose File Load
shot invisible_loaded
expect_pixel 20 100 "$BLACK" "square 9, under a piece that is never painted"
drag 20 100 60 140
choose File Save
checks=$((checks + 1))
wait_until 5 "piece 9 saved on 13" nine_saved_on_13 || fail "the piece of side 0 was not dragged"

checks=$((checks + 1))
program_running || fail "the program ended during the drags"
e2e_finish
