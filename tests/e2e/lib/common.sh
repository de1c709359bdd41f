# shellcheck shell=bash disable=SC2034 # the colours and names here are used by the sourcing scripts
# Shared by the end-to-end tests and scripts/screenshot: a private X server and home, the real
# program on it, pointer and menu actions from outside, and pixel reads from screenshots.
# Unless a name says "screen", coordinates are client pixels of the board window: x to the right
# and y down from the top-left corner of the area right under the menu bar.
#
# The program is started through E2E_LAUNCHER when that is set: the Windows program runs with
# E2E_LAUNCHER=wine and E2E_WINEPREFIX naming a prepared Windows (a Wine prefix), of which each
# test gets a copy of its own.

readonly BLACK=0,0,0 WHITE=255,255,255 RED=255,0,0 BLUE=0,0,255
readonly RED_TRAY=200,200,255 BLUE_TRAY=255,200,200 BACKGROUND=240,240,240
readonly SCREEN_WIDTH=1280 SCREEN_HEIGHT=1024

# Where each menu's items sit, in display order.
declare -A MENU_ITEMS=([File]="Save:Load:New Game:Exit" [Size]="Normal:Large:Small")
declare -A MENU_TITLE_X=()

checks=0
failures=0
E2E_WORK=""
XVFB_PID=""
PROGRAM_PID=""
read -r -a LAUNCHER <<<"${E2E_LAUNCHER:-}"

# on_windows: the program under test is the Windows one, under Wine.
on_windows() {
    [[ -n ${E2E_WINEPREFIX:-} ]]
}

die() {
    echo "FAIL $E2E_NAME: $*" >&2
    exit 1
}

fail() {
    failures=$((failures + 1))
    echo "FAIL $E2E_NAME${SHOT:+ [${SHOT##*/}]}: $*" >&2
}

# expect_equal GOT WANT WHAT
expect_equal() {
    checks=$((checks + 1))
    [[ $1 == "$2" ]] || fail "$3: got '$1', expected '$2'"
}

# wait_until SECONDS WHAT COMMAND...: poll COMMAND until it succeeds; complain on timeout.
wait_until() {
    local deadline=$((SECONDS + $1)) what=$2
    shift 2
    until "$@"; do
        if ((SECONDS >= deadline)); then
            echo "$E2E_NAME: gave up waiting for $what" >&2
            return 1
        fi
        sleep 0.1
    done
}

# e2e_workdir NAME: a temporary folder, removed on success and kept for a look on failure.
e2e_workdir() {
    E2E_NAME=$1
    E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/draughtsboard-$E2E_NAME.XXXXXX")
    trap e2e_cleanup EXIT
}

# e2e_setup NAME: a temporary folder holding a private home, an X server of our own on a free
# display, and everything stopped again when the script exits.
e2e_setup() {
    e2e_workdir "$1"

    export HOME=$E2E_WORK/home
    export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config
    export XDG_CACHE_HOME=$HOME/.cache XDG_RUNTIME_DIR=$E2E_WORK/runtime
    mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    # The picture is measured in device pixels at 96 dpi, on X11 and nothing else.
    unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
    unset QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI
    export QT_QPA_PLATFORM=xcb

    # -displayfd makes the server pick a free display and write its number once it is ready;
    # -noreset keeps it from resetting, and refusing connections meanwhile, each time its last
    # client leaves, as between two starts of the program.
    Xvfb -displayfd 3 -screen 0 "${SCREEN_WIDTH}x${SCREEN_HEIGHT}x24" -nolisten tcp -noreset \
        3>"$E2E_WORK/display" >"$E2E_WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    wait_until 15 "the X server to start" test -s "$E2E_WORK/display" || die "Xvfb did not start"
    DISPLAY=":$(<"$E2E_WORK/display")"
    export DISPLAY

    if on_windows; then
        export WINEPREFIX=$E2E_WORK/wine WINEDEBUG=-all
        cp -a "$E2E_WINEPREFIX" "$WINEPREFIX"
    fi
}

# position_file: where Save and Load keep the position: the user's data folder on Linux, the
# user's local application data on Windows.
position_file() {
    if on_windows; then
        # %LOCALAPPDATA%\draughtsboard\Videver.txt
        echo "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/draughtsboard/Videver.txt"
    else
        echo "$XDG_DATA_HOME/draughtsboard/Videver.txt"
    fi
}

# write_invisible_nine: a position file of the Normal start in which piece 9, on square 9, has
# side 0: never painted, yet a press picks it up like any other piece.
write_invisible_nine() {
    local file row column piece=0
    file=$(position_file)
    mkdir -p "$(dirname "$file")"
    {
        printf ' 40  40  15 \r\n'
        for ((row = 0; row < 8; row++)); do printf ' 0  0  0 \r\n'; done
        for row in 0 1 2 5 6 7; do
            for ((column = row % 2; column < 8; column += 2)); do
                piece=$((piece + 1))
                printf ' %s  %s  %s \r\n' $((column * 40 + 20)) $((row * 40 + 20)) \
                    $((piece == 9 ? 0 : row < 3 ? 1 : 2))
            done
        done
    } >"$file"
}

# nine_saved_on_13: the position file has piece 9 on square 13, still of side 0.
nine_saved_on_13() {
    [[ $(sed -n 18p "$(position_file)") == $' 60  140  0 \r' ]]
}

e2e_cleanup() {
    local status=$?
    if [[ -n $PROGRAM_PID ]]; then
        kill "$PROGRAM_PID" 2>/dev/null || true
        wait "$PROGRAM_PID" 2>/dev/null || true
    fi
    if [[ -n ${WINEPREFIX:-} && -d ${WINEPREFIX:-} ]]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
    if [[ -n $XVFB_PID ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    if ((status == 0)); then
        rm -rf "$E2E_WORK"
    else
        if [[ -s $E2E_WORK/program.log ]]; then
            echo "--- what the program wrote:" >&2
            cat "$E2E_WORK/program.log" >&2
        fi
        echo "$E2E_NAME: screenshots and logs kept in $E2E_WORK" >&2
    fi
}

# e2e_finish: one summary line; the exit status tells ctest.
e2e_finish() {
    if ((failures > 0)); then
        echo "$E2E_NAME: $failures of $checks checks failed"
        exit 1
    fi
    echo "$E2E_NAME: all $checks checks passed"
}

# find_form1_window: sets WINDOW to the first visible window titled Form1, if there is one. A
# window that vanishes while xdotool walks the window tree (Wine makes and drops windows of its
# own at start) ends xdotool with an X error: the caller just asks again.
find_form1_window() {
    WINDOW=$(xdotool search --onlyvisible --name '^Form1$' 2>/dev/null | head -n 1)
    [[ -n $WINDOW ]]
}

# start_program EXECUTABLE: run it, wait for its window "Form1" and its first picture, and
# measure where the client area and the menu titles are.
start_program() {
    "${LAUNCHER[@]}" "$1" >"$E2E_WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    wait_until 20 "a window titled Form1" find_form1_window || die "no window titled Form1 appeared"
    read -r WINDOW_X WINDOW_Y _ _ <<<"$(window_geometry "$WINDOW")"
    wait_until 10 "the board to be painted" find_client_area || die "the board never appeared"
    locate_menu_titles
}

program_running() {
    kill -0 "$PROGRAM_PID" 2>/dev/null
}

program_ended() {
    ! program_running
}

# wait_for_exit SECONDS: wait for the program to end by itself; sets PROGRAM_STATUS.
wait_for_exit() {
    wait_until "$1" "the program to end" program_ended || return 1
    PROGRAM_STATUS=0
    wait "$PROGRAM_PID" || PROGRAM_STATUS=$?
    PROGRAM_PID=""
}

# window_geometry ID: prints "x y width height" in screen pixels.
window_geometry() {
    xdotool getwindowgeometry --shell "$1" | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=//p' | paste -sd ' '
}

window_size() {
    local width height
    read -r _ _ width height <<<"$(window_geometry "$WINDOW")"
    echo "${width}x$height"
}

window_size_is() {
    [[ $(window_size) == "$1" ]]
}

# expect_window_size WIDTHxHEIGHT WHAT: the outer size, given a moment to settle after a change.
expect_window_size() {
    wait_until 5 "the window to measure $1" window_size_is "$1" || true
    expect_equal "$(window_size)" "$1" "$2: outer size"
}

# shot NAME: screenshot of the whole screen, kept as PNG and as raw bytes for pixel reads.
shot() {
    SHOT=$E2E_WORK/$1
    import -window root "$SHOT.png"
    convert "$SHOT.png" -depth 8 "rgb:$SHOT.rgb"
}

# screen_pixel X Y: "red,green,blue" of a screen pixel in the last shot.
screen_pixel() {
    od -An -tu1 -j $((($2 * SCREEN_WIDTH + $1) * 3)) -N3 "$SHOT.rgb" | awk '{ print $1 "," $2 "," $3 }'
}

pixel() {
    screen_pixel $((CLIENT_X + $1)) $((CLIENT_Y + $2))
}

# The client area starts at the first row where the black top-left square begins, under the
# menu bar. A window that is mapped but not painted yet (as Wine's can be) shows black throughout.
find_client_area() {
    local y
    shot first
    for ((y = 1; y < 60; y++)); do
        if [[ $(screen_pixel $((WINDOW_X + 1)) $((WINDOW_Y + y - 1))) != "$BLACK" &&
            $(screen_pixel $((WINDOW_X + 1)) $((WINDOW_Y + y))) == "$BLACK" &&
            $(screen_pixel $((WINDOW_X + 38)) $((WINDOW_Y + y))) == "$BLACK" &&
            $(screen_pixel $((WINDOW_X + 1)) $((WINDOW_Y + y + 1))) == "$BLACK" ]]; then
            MENU_HEIGHT=$y CLIENT_X=$WINDOW_X CLIENT_Y=$((WINDOW_Y + y))
            return 0
        fi
    done
    return 1
}

# The menu titles are the clusters of dark text columns in the menu bar, File first, then Size.
locate_menu_titles() {
    local width centres
    read -r _ _ width _ <<<"$(window_geometry "$WINDOW")"
    centres=$(convert "$SHOT.png" -crop "${width}x$((MENU_HEIGHT - 1))+$WINDOW_X+$WINDOW_Y" \
        +repage -colorspace Gray -scale "${width}x1!" -depth 8 gray:- | od -An -v -tu1 -w1 |
        awk '$1 < 225 { x = NR - 1
                        if (started && x - last > 6) { print int((first + last) / 2); started = 0 }
                        if (!started) { first = x; started = 1 }
                        last = x }
             END { if (started) print int((first + last) / 2) }' | paste -sd ' ')
    read -r "MENU_TITLE_X[File]" "MENU_TITLE_X[Size]" _ <<<"$centres"
    [[ -n ${MENU_TITLE_X[Size]:-} ]] || die "could not find the File and Size menu titles"
}

# another_window: sets POPUP to a visible window of the program other than the board window
# (an open menu or a message box).
another_window() {
    POPUP=$(xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | grep -vx "$WINDOW" |
        head -n 1)
    [[ -n $POPUP ]]
}

no_other_window() {
    ! another_window
}

# window_hidden ID: the program shows no such window (any more).
window_hidden() {
    ! xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | grep -x "$1" >/dev/null
}

# choose MENU ITEM: click the menu's title in the menu bar, then click the item in the menu.
choose() {
    local menu=$1 item=$2 index=0 i x y width height popup
    local -a items
    IFS=: read -r -a items <<<"${MENU_ITEMS[$menu]}"
    for i in "${!items[@]}"; do
        [[ ${items[i]} == "$item" ]] && index=$((i + 1))
    done
    ((index > 0)) || die "the $menu menu has no item $item"

    xdotool mousemove "$((WINDOW_X + ${MENU_TITLE_X[$menu]}))" "$((WINDOW_Y + MENU_HEIGHT / 2))"
    sleep 0.1
    xdotool click 1
    wait_until 5 "the $menu menu to open" another_window || die "the $menu menu did not open"
    popup=$POPUP
    read -r x y width height <<<"$(window_geometry "$popup")"
    # The items share the menu's height evenly.
    xdotool mousemove $((x + width / 2)) $((y + height * (2 * index - 1) / (2 * ${#items[@]})))
    sleep 0.1
    xdotool click 1
    wait_until 5 "the $menu menu to close" window_hidden "$popup" || die "the $menu menu stayed open"
    sleep 0.3
}

# drag FROM_X FROM_Y TO_X TO_Y [BUTTON]: press over one point, move in steps, release at another.
drag() {
    local from_x=$1 from_y=$2 to_x=$3 to_y=$4 button=${5:-1} step steps=6
    xdotool mousemove $((CLIENT_X + from_x)) $((CLIENT_Y + from_y))
    sleep 0.05
    xdotool mousedown "$button"
    for ((step = 1; step <= steps; step++)); do
        xdotool mousemove $((CLIENT_X + from_x + (to_x - from_x) * step / steps)) \
            $((CLIENT_Y + from_y + (to_y - from_y) * step / steps))
        sleep 0.03
    done
    xdotool mouseup "$button"
    # Out of the way, so nothing hovers over the window when the next screenshot is taken.
    xdotool mousemove $((SCREEN_WIDTH - 1)) $((SCREEN_HEIGHT - 1))
    sleep 0.3
}

# hover X Y: move the pointer over a point with no button held, then out of the way again.
hover() {
    xdotool mousemove $((CLIENT_X + $1)) $((CLIENT_Y + $2))
    sleep 0.1
    xdotool mousemove $((SCREEN_WIDTH - 1)) $((SCREEN_HEIGHT - 1))
    sleep 0.3
}

# expect_pixel X Y COLOUR WHAT
expect_pixel() {
    expect_equal "$(pixel "$1" "$2")" "$3" "$4 at ($1,$2)"
}

# expect_box LEFT TOP RIGHT BOTTOM COLOUR WHAT: the four corner pixels and the middle.
expect_box() {
    local left=$1 top=$2 right=$3 bottom=$4 colour=$5 what=$6
    expect_pixel "$left" "$top" "$colour" "$what, top left"
    expect_pixel "$right" "$top" "$colour" "$what, top right"
    expect_pixel "$left" "$bottom" "$colour" "$what, bottom left"
    expect_pixel "$right" "$bottom" "$colour" "$what, bottom right"
    expect_pixel $(((left + right) / 2)) $(((top + bottom) / 2)) "$colour" "$what, middle"
}

# expect_piece X Y RADIUS FILL SURROUND WHAT: a disc of FILL centred at (X,Y) and, along each of
# the four axes, one black outline pixel at the radius with SURROUND right beyond it.
# On a black square the outline cannot be told from the square, so only its place is checked.
expect_piece() {
    local x=$1 y=$2 radius=$3 fill=$4 surround=$5 what=$6 dx dy distance colour edge problem
    expect_pixel "$x" "$y" "$fill" "$what, centre"
    [[ $(pixel "$x" "$y") == "$fill" ]] || return 0
    for direction in "1 0" "-1 0" "0 1" "0 -1"; do
        read -r dx dy <<<"$direction"
        edge="" problem=""
        for ((distance = 1; distance <= radius + 2; distance++)); do
            colour=$(pixel $((x + dx * distance)) $((y + dy * distance)))
            if [[ -z $edge && $colour != "$fill" ]]; then
                edge=$distance
                [[ $colour == "$BLACK" ]] || problem="the edge at $distance is $colour, not black"
            elif [[ -n $edge && $colour != "$surround" ]]; then
                problem="$distance from the centre is $colour, not the surrounding $surround"
            fi
            [[ -z $problem ]] || break
        done
        if [[ -z $problem && -z $edge ]]; then
            problem="the disc reaches beyond $((radius + 2)), not just radius $radius"
        elif [[ -z $problem ]] && ((edge < radius - 1 || edge > radius)); then
            problem="the disc ends at $edge, not at radius $radius"
        fi
        checks=$((checks + 1))
        [[ -z $problem ]] || fail "$what at ($x,$y), towards ($dx,$dy): $problem"
    done
}

# expect_discs_follow_the_rule NAME SIDE RADIUS [SCALE]: a screenshot NAME of the starting
# position at that square side, piece radius and display scale, every disc checked pixel by pixel.
expect_discs_follow_the_rule() {
    local verdict
    shot "$1"
    verdict=$(python3 "$(dirname "${BASH_SOURCE[0]}")/disc_rule.py" "$SHOT.rgb" "$SCREEN_WIDTH" \
        "$SCREEN_HEIGHT" "$CLIENT_X" "$CLIENT_Y" "$2" "$3" "${4:-1}")
    checks=$((checks + 1))
    [[ $verdict == ok ]] || fail "$1: the discs at side $2, scale ${4:-1}: $verdict"
}

# expect_same_picture NAME WHAT: the last shot and shot NAME agree on every pixel of the window.
expect_same_picture() {
    local size differing
    size=$(window_size)
    convert "$E2E_WORK/$1.png" -crop "$size+$WINDOW_X+$WINDOW_Y" +repage "$E2E_WORK/before.png"
    convert "$SHOT.png" -crop "$size+$WINDOW_X+$WINDOW_Y" +repage "$E2E_WORK/after.png"
    differing=$(compare -metric AE "$E2E_WORK/before.png" "$E2E_WORK/after.png" null: 2>&1) || true
    expect_equal "$differing" 0 "$2: pixels that differ from shot $1"
}
