#!/usr/bin/env bash
# open_menu.sh TITLE: opens the File or Size menu of the Form1 window on $DISPLAY with a click on
# its title, for the keys to choose from. A click, not Alt: Qt drops an Alt pressed while the
# focus is still coming back from the last menu, which a busy screen reader can make late.
set -euo pipefail
window=$(xdotool search --onlyvisible --name '^Form1$' | head -n 1)
case $1 in
    File) x=19 ;;
    Size) x=57 ;;
    *) echo "no menu $1" >&2; exit 2 ;;
esac
xdotool mousemove --window "$window" "$x" 8 click 1
