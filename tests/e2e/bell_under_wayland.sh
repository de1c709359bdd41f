#!/usr/bin/env bash
# The refusal bell on Wayland, where it is the sound theme's, while the sound server hangs: it
# takes connections and never answers. Refused drops must leave the window as quick as ever,
# the drag right after them must show at once, and Exit must end the program at once; once
# through the sound server directly, and once through ALSA routed to it.
# The real program runs on Weston, itself a window of a private X server, driven with xdotool.
# The sanitizer builds run wayland.sh instead: a bell stuck at exit is what this test is about.
# Usage: bell_under_wayland.sh EXECUTABLE SOURCE-DIR BUILD-DIR CLOSE-WINDOW
set -euo pipefail
exe=$1
here=$(dirname "$0")
# shellcheck source=lib/common.sh source-path=SCRIPTDIR
source "$here/lib/common.sh"
# shellcheck source=lib/weston.sh source-path=SCRIPTDIR
source "$here/lib/weston.sh"

# Each step would wait half a minute for the hung server; a few seconds tell that from a busy
# machine.
readonly PROMPT=5

weston_setup bell_under_wayland

python3 "$here/lib/hung_sound_server.py" "$E2E_WORK/sound-server" >"$E2E_WORK/server.log" 2>&1 &
HELPER_PIDS+=($!)
wait_until 10 "the sound server" test -S "$E2E_WORK/sound-server" || die "no sound server"
export PULSE_SERVER=unix:$E2E_WORK/sound-server

# refuse_twice_then_drag HOW: one run of the program, its bell reaching the server as HOW says.
refuse_twice_then_drag() {
    local how=$1
    start_on_weston "$exe" "$how"

    drag 60 220 60 180
    drag 100 20 60 60
    drag 28 108 64 146
    wait_until "$PROMPT" "the drag after two refused drops" moved_piece_shown || true
    expect_piece 60 140 15 "$RED" "$BLACK" "$how: red piece moved right after two refused drops"
    expect_pixel 60 220 "$BLUE" "$how: blue piece refused on a white square, back"
    expect_pixel 60 180 "$WHITE" "$how: the white square it was refused on"
    expect_pixel 100 20 "$RED" "$how: red piece refused on an occupied square, back"

    exit_through_file_menu "$PROMPT" "$how"
}

refuse_twice_then_drag "sound server"

# ALSA's default device routed to the same server, and libcanberra told to use ALSA.
printf 'pcm.!default { type pulse }\nctl.!default { type pulse }\n' >"$HOME/.asoundrc"
CANBERRA_DRIVER=alsa refuse_twice_then_drag "ALSA"

e2e_finish
