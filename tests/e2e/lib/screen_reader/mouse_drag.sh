#!/usr/bin/env bash
# mouse_drag.sh FROM-X FROM-Y TO-X TO-Y: a drag with the mouse in the board of the Form1 window
# on $DISPLAY, in board pixels, as the other player at the same computer would make it.
set -euo pipefail
window=$(xdotool search --onlyvisible --name '^Form1$' | head -n 1)
# The board starts at the first black row at x = 5 below the menu bar.
top=$(import -silent -window "$window" -crop 1x100+5+0 +repage -depth 8 txt:- |
    awk -F'[,:]' 'NR > 1 && !/#000000/ { menu = 1 } menu && /#000000/ { print $2; exit }')
xdotool mousemove --window "$window" "$1" $(($2 + top)) mousedown 1 \
    mousemove --window "$window" $(($1 + 2)) $(($2 + top + 2)) \
    mousemove --window "$window" "$3" $(($4 + top)) mouseup 1
