#!/usr/bin/env bash
# The program as a Wayland client from start to File > Exit: the board shows, a refused drop
# rings the bell with no sound server to hear it, a drag moves a piece, and Exit ends the program
# with status 0 and no sanitizer report. The sanitizer builds run this one for Qt's Wayland start
# and teardown around the program's own code; bell_under_wayland.sh leaves a bell stuck at exit.
# The real program runs on Weston, itself a window of a private X server, driven with xdotool.
# Usage: wayland.sh EXECUTABLE SOURCE-DIR BUILD-DIR CLOSE-WINDOW
set -euo pipefail
exe=$1
here=$(dirname "$0")
# shellcheck source=lib/common.sh source-path=SCRIPTDIR
source "$here/lib/common.sh"
# shellcheck source=lib/weston.sh source-path=SCRIPTDIR
source "$here/lib/weston.sh"

weston_setup wayland
# Nothing listens there: the bell fails at once, and no sound server is started for it.
export PULSE_SERVER=unix:$E2E_WORK/no-sound-server

# Square 9 empty to the eye and 13 free again, as the loaded file has them.
nine_loaded() {
    shot loaded
    [[ $(pixel 20 100) == "$BLACK" && $(pixel 60 140) == "$BLACK" ]]
}

start_on_weston "$exe" "Wayland"
expect_discs_follow_the_rule start 40 15
expect_piece 20 100 15 "$RED" "$BLACK" "red piece on its starting square"
expect_pixel 60 140 "$BLACK" "the free black square it goes to"

drag 60 220 60 180
drag 28 108 64 146
wait_until 5 "the moved piece to show" moved_piece_shown || true
expect_pixel 60 220 "$BLUE" "blue piece refused on a white square, back"
expect_pixel 60 180 "$WHITE" "the white square it was refused on"
expect_piece 60 140 15 "$RED" "$BLACK" "red piece moved to a free black square"
expect_pixel 20 100 "$BLACK" "square the red piece left"

# A piece of side 0 is never painted, yet a press picks it up like any other: loaded on square 9,
# it is dragged to 13, where Save finds it.
write_invisible_nine
choose_on_weston 2 "Wayland"  # Load
wait_until 5 "the loaded position to show" nine_loaded || fail "Wayland: Load did not show"
drag 20 100 60 140
choose_on_weston 1 "Wayland"  # Save
checks=$((checks + 1))
wait_until 5 "piece 9 saved on 13" nine_saved_on_13 || fail "Wayland: the piece of side 0 was not dragged"

# The sanitizers' leak check runs at exit and takes a few seconds of its own.
exit_through_file_menu 20 "Wayland"

e2e_finish
