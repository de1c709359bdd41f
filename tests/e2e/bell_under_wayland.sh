#!/usr/bin/env bash
# The refusal bell on Wayland, where it is the sound theme's, while the sound server hangs: it
# takes connections and never answers. Refused drops must leave the window as quick as ever,
# the drag right after them must show at once, and Exit must end the program at once; once
# through the sound server directly, and once through ALSA routed to it.
# The real program runs on Weston, itself a window of a private X server, driven with xdotool.
# Usage: bell_under_wayland.sh EXECUTABLE SOURCE-DIR BUILD-DIR CLOSE-WINDOW
set -euo pipefail
exe=$1
here=$(dirname "$0")
# shellcheck source=lib/common.sh source-path=SCRIPTDIR
source "$here/lib/common.sh"

# Each step would wait half a minute for the hung server; a few seconds tell that from a busy
# machine.
readonly PROMPT=5
readonly OUTPUT_WIDTH=800 OUTPUT_HEIGHT=600

e2e_setup bell_under_wayland
WESTON_PID="" SERVER_PID=""
stop_helpers() {
    local status=$?
    for pid in $WESTON_PID $SERVER_PID; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    (exit "$status")
    e2e_cleanup
}
trap stop_helpers EXIT

python3 "$here/lib/hung_sound_server.py" "$E2E_WORK/sound-server" >"$E2E_WORK/server.log" 2>&1 &
SERVER_PID=$!
wait_until 10 "the sound server" test -S "$E2E_WORK/sound-server" || die "no sound server"

# The kiosk shell shows the window alone, centred, on black; the output is the top-left of the
# X screen.
weston --backend=x11-backend.so --use-pixman --shell=kiosk-shell.so --width=$OUTPUT_WIDTH --height=$OUTPUT_HEIGHT \
    --socket=wayland-board --idle-time=0 >"$E2E_WORK/weston.log" 2>&1 &
WESTON_PID=$!
wait_until 15 "Weston to start" test -S "$XDG_RUNTIME_DIR/wayland-board" || die "no Weston"

export QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-board QT_WAYLAND_DISABLE_WINDOWDECORATION=1
export PULSE_SERVER=unix:$E2E_WORK/sound-server

# find_board: sets CLIENT_X and CLIENT_Y from the last shot, where the first row of the board
# (four pairs of black and white squares of 40 pixels) starts.
find_board() {
    local found
    found=$(python3 - "$SHOT.rgb" "$SCREEN_WIDTH" <<'PYTHON'
import sys
data, width = open(sys.argv[1], "rb").read(), int(sys.argv[2])
squares = (b"\0\0\0" * 40 + b"\xff\xff\xff" * 40) * 4
at = data.find(squares)
while at >= 0 and at % 3:
    at = data.find(squares, at + 1)
if at >= 0:
    print(at // 3 % width, at // 3 // width)
PYTHON
    )
    [[ -n $found ]] && read -r CLIENT_X CLIENT_Y <<<"$found"
}

# The window may still be placed anew right after it first shows: the board must stand still.
board_shown() {
    local before
    shot first
    find_board || return 1
    before="$CLIENT_X $CLIENT_Y"
    sleep 0.3
    shot first
    find_board && [[ "$CLIENT_X $CLIENT_Y" == "$before" ]]
}

moved_piece_shown() {
    shot moved
    [[ $(pixel 60 140) == "$RED" && $(pixel 20 100) == "$BLACK" ]]
}

# The menu covers the piece at (60, 60).
file_menu_open() {
    shot menu
    [[ $(pixel 60 60) != "$RED" ]]
}

# refuse_twice_then_drag HOW: one run of the program, its bell reaching the server as HOW says.
refuse_twice_then_drag() {
    local how=$1
    # Weston draws the pointer where it last saw it: out of the way, in the output's corner.
    xdotool mousemove $((OUTPUT_WIDTH - 1)) $((OUTPUT_HEIGHT - 1))
    "$exe" >"$E2E_WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    wait_until 20 "the board to be painted" board_shown || die "$how: the board never appeared"

    drag 60 220 60 180
    drag 100 20 60 60
    drag 28 108 64 146
    wait_until "$PROMPT" "the drag after two refused drops" moved_piece_shown || true
    expect_piece 60 140 15 "$RED" "$BLACK" "$how: red piece moved right after two refused drops"
    expect_pixel 60 220 "$BLUE" "$how: blue piece refused on a white square, back"
    expect_pixel 60 180 "$WHITE" "$how: the white square it was refused on"
    expect_pixel 100 20 "$RED" "$how: red piece refused on an occupied square, back"

    # File, then Exit: the menu's last item, reached with the Up key.
    xdotool mousemove $((CLIENT_X + 20)) $((CLIENT_Y - 9))
    sleep 0.1
    xdotool click 1
    wait_until 5 "the File menu to open" file_menu_open || die "$how: the File menu did not open"
    xdotool key Up
    sleep 0.1
    xdotool key Return
    checks=$((checks + 1))
    if wait_for_exit "$PROMPT"; then
        expect_equal "$PROGRAM_STATUS" 0 "$how: exit status after Exit"
    else
        fail "$how: the program did not end within $PROMPT s of Exit"
    fi
}

refuse_twice_then_drag "sound server"

# ALSA's default device routed to the same server, and libcanberra told to use ALSA.
printf 'pcm.!default { type pulse }\nctl.!default { type pulse }\n' >"$HOME/.asoundrc"
CANBERRA_DRIVER=alsa refuse_twice_then_drag "ALSA"

e2e_finish
