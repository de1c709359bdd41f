#!/usr/bin/env bash
# The board as a blind player hears it: the real screen reader Orca runs first, then a game is
# played from the keyboard, with one move by the other player's mouse and commands of the File
# and Size menus, and every step must be spoken in words, once, with no whole row read on a step
# up or down. Orca speaks into its log, not aloud.
# Usage: screen_reader.sh EXECUTABLE SOURCE-DIR BUILD-DIR CLOSE-WINDOW
set -euo pipefail
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=lib/common.sh source-path=SCRIPTDIR
source "$here/lib/common.sh"
e2e_workdir screen_reader
export MOUSE_DRAG=$here/lib/screen_reader/mouse_drag.sh
export OPEN_MENU=$here/lib/screen_reader/open_menu.sh

# Each step ends once its last key has had time to be spoken.
cat >"$E2E_WORK/scenario" <<'SCENARIO'
## start
focuswin
pause 2
## down to 9
keys Down Down
## pick up
keys space
## carry over white
keys Down
## carry over free
keys Right
## carry over taken
keys Up Up
## drop on taken
keys space
## drop on white
keys Left Down space Right space
## nothing there
keys space
## drop on free
keys Left space Right Down space
## file
keys space Right Right Right Right Right Right Right space
## tray piece
keys Right Up Up Up space
## escape
keys Escape
## position
keys p
## last move
keys l
## move before
keys l
## jump
keys 2 2 Return
## diagonal
keys Home
## edge
keys 1 Return Up
## next piece
keys n
## keys carry
keys Down Down space
## two hands
sh bash "$MOUSE_DRAG" 60 220 100 180
pause 2
## capture
sh bash "$MOUSE_DRAG" 100 180 340 180
pause 2
## recall
keys l l
## save
sh bash "$OPEN_MENU" File
keys Down Return
## load
sh bash "$OPEN_MENU" File
keys Down Down Return
## new game
sh bash "$OPEN_MENU" File
keys Down Down Down Return
## large
sh bash "$OPEN_MENU" Size
keys Down Down Return
pause 1
SCENARIO

BP_ROOT=$E2E_WORK bash "$here/lib/screen_reader/session.sh" "$E2E_WORK/scenario" \
    "$E2E_WORK/heard" "$exe" >"$E2E_WORK/session.log" 2>&1 || true
checks=$((checks + 1))
[[ -s $E2E_WORK/heard/transcript.json ]] || die "Orca heard nothing: $(tail -5 "$E2E_WORK/session.log")"
# Orca runs once per user: another one (a screen reader of your own, say) keeps this one out.
if grep -q "Another screen reader process is already running" "$E2E_WORK/heard/orca.log"; then
    die "Orca did not start: another Orca of this user is running"
fi

# heard STEP: everything Orca spoke during the step, one utterance a line.
heard() {
    python3 -c 'import json, sys
for row in json.load(open(sys.argv[1])):
    if row["step"] == sys.argv[2]:
        print("\n".join(row["speech"]))' "$E2E_WORK/heard/transcript.json" "$1"
}

# expect_heard STEP TEXT: Orca spoke TEXT, once, during the step.
expect_heard() {
    local count
    count=$(heard "$1" | grep -cF -- "$2" || true)
    checks=$((checks + 1))
    ((count == 1)) || fail "step '$1': expected to hear '$2' once, heard it $count times: $(heard "$1" | tr '\n' '|')"
}

# expect_not_heard STEP TEXT
expect_not_heard() {
    checks=$((checks + 1))
    ! heard "$1" | grep -qF -- "$2" || fail "step '$1': did not expect to hear '$2'"
}

# heard_count STEP: how many utterances Orca spoke during the step.
heard_count() {
    heard "$1" | grep -c . || true
}

expect_heard start "1, red piece."
expect_heard start "Arrows move, Home, Page Up, End and Page Down move diagonally"
expect_heard "down to 9" "9, red piece."
expect_not_heard "down to 9" "10, red piece"  # one square, not the row
expect_heard "pick up" "Picked up red 9."
expect_not_heard "pick up" "notification"  # the words alone
expect_heard "carry over white" "white square, empty, carrying red piece."
expect_heard "carry over free" "13, empty, carrying red piece."
expect_heard "carry over taken" "5, red piece, carrying red piece."
expect_heard "drop on taken" "Refused: red 9 to 5, taken, back on 9."
expect_heard "drop on white" "Refused: red 9 to a white square, back on 9."
expect_heard "nothing there" "Nothing to pick up on white square."
expect_heard "drop on free" "Red 9 to 13."
expect_heard file "Red 13 taken to red tray cell 1."
expect_heard "tray piece" "Picked up red from red tray cell 1."
expect_heard escape "Red put back on red tray cell 1."
expect_heard position "Red on 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12; 1 in the red tray."
expect_heard "last move" "Red 13 taken to red tray cell 1."
expect_heard "move before" "Red 9 to 13."
expect_heard jump "22, blue piece."
expect_heard diagonal "18, empty."
expect_heard edge "Edge."
expect_heard "next piece" "2, red piece."
expect_heard "keys carry" "Picked up red 10."
# The other player's press puts back what the keys carry; the drag is one sentence.
expect_heard "two hands" "Red 10 put back."
expect_heard "two hands" "Blue 21 to 18."
expect_not_heard "two hands" "arrying"
checks=$((checks + 1))
(($(heard_count "two hands") <= 2)) || fail "step 'two hands': more than two utterances: $(heard "two hands" | tr '\n' '|')"
expect_heard capture "Blue 18 taken to blue tray cell 1."
checks=$((checks + 1))
(($(heard_count capture) <= 2)) || fail "step 'capture': more than two utterances: $(heard capture | tr '\n' '|')"
expect_heard recall "Blue 18 taken to blue tray cell 1."
expect_heard recall "Blue 21 to 18."
# A menu command's words come before the square the focus is back on, in one utterance, and the
# board is not read at length again.
expect_heard save "Position saved. 10, red piece."
expect_heard load "Position loaded. 10, red piece."
expect_heard "new game" "New game. 10, red piece."
expect_heard large "Large size, new game. 10, red piece."
expect_not_heard large "eight rows of twelve"

e2e_finish
