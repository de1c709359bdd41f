#!/usr/bin/env bash
# Save and Load through the real menus of the real program under Xvfb, with a private
# XDG_DATA_HOME: the saved bytes, a hand-written Large file, a file that is not a position, and
# squares too large for the screen.
# Usage: save_and_load.sh EXECUTABLE SOURCE-DIR BUILD-DIR CLOSE-WINDOW
set -euo pipefail
exe=$1
# shellcheck source=lib/common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/lib/common.sh"

# line A B C: one line as Save writes it, each number after a sign position and before a space.
line() {
    printf ' %s  %s  %s \r\n' "$1" "$2" "$3"
}

# start_pieces SIDE: "x y side" of the 24 starting pieces at a square side, in creation order.
start_pieces() {
    local side=$1 row column
    for row in 0 1 2 5 6 7; do
        for ((column = row % 2; column < 8; column += 2)); do
            echo "$((column * side + side / 2)) $((row * side + side / 2)) $((row < 3 ? 1 : 2))"
        done
    done
}

# saved_position "SIDE SIDE RADIUS" TRAY1 TRAY2 [PIECES]: the bytes Save writes, the trays given
# as twelve marks row by row and the pieces as "x y side" lines (the start position if omitted).
saved_position() {
    local header=$1 tray row x y side
    # shellcheck disable=SC2086 # the header is three numbers
    line $header
    for tray in "$2" "$3"; do
        for ((row = 0; row < 4; row++)); do
            line "${tray:row*3:1}" "${tray:row*3+1:1}" "${tray:row*3+2:1}"
        done
    done
    while read -r x y side; do
        line "$x" "$y" "$side"
    done <<<"${4:-$(start_pieces "${header%% *}")}"
}

saved_file_exists() {
    [[ -f $position_file ]]
}

e2e_setup save_and_load
position_file=$(position_file)
empty_tray=000000000000

start_program "$exe"
shot start

# Save of the start position writes exactly the expected bytes, creating the folder.
choose File Save
wait_until 5 "the position file" saved_file_exists || true
saved_position "40 40 15" "$empty_tray" "$empty_tray" >"$E2E_WORK/expected-start.txt"
checks=$((checks + 1))
cmp "$E2E_WORK/expected-start.txt" "$position_file" ||
    fail "Save of the start position: $position_file differs from the expected bytes"

# Load brings back what was saved.
drag 20 100 60 140
shot moved
expect_piece 60 140 15 "$RED" "$BLACK" "red piece moved before Load"
choose File Load
shot loaded_start
expect_same_picture start "Load of the saved start position after a move"

# A hand-written Large position in the print-zone layout, with commas, odd spacing, a piece line
# broken in two and a line of trailing text. Piece 1 lies in red tray cell 1, piece 9 on (1,3).
{
    printf ' 60  60  25 \r\n'
    printf '%-14s%-14s%-14s\r\n' ' 1 ' ' 0 ' ' 0 '
    for ((row = 1; row < 8; row++)); do
        printf '%-14s%-14s%-14s\r\n' ' 0 ' ' 0 ' ' 0 '
    done
    piece=0
    while read -r x y side; do
        piece=$((piece + 1))
        case $piece in
            1) printf '570,30,1\r\n' ;;
            9) printf ' 90\r\n 210    1 \r\n' ;;
            *)
                if ((piece % 2)); then
                    printf '%s,%s,%s\r\n' "$x" "$y" "$side"
                else
                    printf '   %s   %s   %s\r\n' "$x" "$y" "$side"
                fi
                ;;
        esac
    done <<<"$(start_pieces 60)"
    printf 'whatever follows the last piece is never read\r\n'
} >"$position_file"
choose File Load
expect_window_size 749x591 "after Load of a Large position"
# Load repaints once, and a single repaint paints the board at the size in force before it; the
# next pointer movement over the window repaints it whole at the new size.
hover 100 100
shot loaded_large
expect_piece 570 30 25 "$RED" "$RED_TRAY" "piece 1, loaded into red tray cell 1"
expect_piece 90 210 25 "$RED" "$BLACK" "piece 9, loaded onto square (1,3)"
expect_pixel 30 30 "$BLACK" "square (0,0), left empty by the file"
expect_pixel 30 150 "$BLACK" "square (0,2), left empty by the file"
expect_piece 150 30 25 "$RED" "$BLACK" "piece 2 at its Large start"
expect_piece 450 450 25 "$BLUE" "$BLACK" "last piece at its Large start"
expect_pixel 479 479 "$BLACK" "far corner of square (7,7) at the Large size"
expect_box 540 240 719 479 "$BLUE_TRAY" "tray for blue pieces at the Large size"

# The loaded tray mark holds cell 1, so the next red piece taken goes to cell 2.
drag 150 30 900 30
shot filed_after_load
expect_piece 630 30 25 "$RED" "$RED_TRAY" "red piece taken after Load, in tray cell 2"

# A file that is no position changes nothing; the program says so and goes on.
printf 'abc\r\n' >"$position_file"
choose File Load
checks=$((checks + 1))
if wait_until 5 "a message about the bad file" another_window; then
    xdotool key Return
    wait_until 5 "the message to be dismissed" no_other_window || fail "the message box stayed open"
else
    fail "Load of a file holding 'abc' showed no message"
fi
checks=$((checks + 1))
program_running || die "the program ended after Load of a file holding 'abc'"
expect_window_size 749x591 "after Load of a file holding 'abc'"
shot after_bad_load
expect_same_picture filed_after_load "Load of a file holding 'abc'"

# Save still works, and writes the position that is on the screen.
choose File Save
large_pieces=$(start_pieces 60 | sed -e '1s/.*/570 30 1/' -e '2s/.*/630 30 1/' -e '9s/.*/90 210 1/')
saved_position "60 60 25" 110000000000 "$empty_tray" "$large_pieces" >"$E2E_WORK/expected-large.txt"
checks=$((checks + 1))
cmp "$E2E_WORK/expected-large.txt" "$position_file" ||
    fail "Save after the refused Load: $position_file differs from the expected bytes"

# On Windows the file's written place is c:\Videver.txt, where ordinary users may not create
# files: with no file of the user's, Load reads that one, and Save writes the user's file.
if on_windows; then
    drive_c_file=$WINEPREFIX/drive_c/Videver.txt
    saved_position "20 20 5" "$empty_tray" "$empty_tray" >"$drive_c_file"
    cp "$drive_c_file" "$E2E_WORK/drive-c-before.txt"
    rm -r "$(dirname "$position_file")"
    choose File Load
    expect_window_size 250x207 "after Load of c:\\Videver.txt, a Small position"
    choose File Save
    wait_until 5 "the position file" saved_file_exists || true
    checks=$((checks + 1))
    cmp "$drive_c_file" "$position_file" ||
        fail "Save after Load of c:\\Videver.txt: $position_file is missing or differs"
    checks=$((checks + 1))
    cmp "$E2E_WORK/drive-c-before.txt" "$drive_c_file" || fail "Save changed c:\\Videver.txt"
fi

# Squares too large for the screen: the window grows only until all of it, frame included, fits.
window_grown_on_screen() {
    read -r x y width height <<<"$(window_geometry "$WINDOW")"
    ((width > 749 && x >= 0 && y >= 0 && x + width <= SCREEN_WIDTH && y + height <= SCREEN_HEIGHT))
}
saved_position "120 120 50" "$empty_tray" "$empty_tray" >"$position_file"
choose File Load
wait_until 5 "the window to grow and fit the screen" window_grown_on_screen || true
checks=$((checks + 1))
window_grown_on_screen || fail "Load of squares too large for the screen: ${width}x$height at ($x,$y)"

e2e_finish
