#!/usr/bin/env bash
# Every disc of the starting position, pixel by pixel, where it belongs in a real X server: at
# the Normal, Large and Small sizes, and at display scales 1.25 and 2 (Windows: scale 1).
# Usage: discs.sh EXECUTABLE SOURCE-DIR BUILD-DIR CLOSE-WINDOW
set -euo pipefail
exe=$1
# shellcheck source=lib/common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/lib/common.sh"

e2e_setup discs

scales=(1 1.25 2)
on_windows && scales=(1)
for scale in "${scales[@]}"; do
    QT_SCALE_FACTOR=$scale start_program "$exe"
    expect_discs_follow_the_rule "normal-$scale" 40 15 "$scale"
    choose Size Large
    expect_discs_follow_the_rule "large-$scale" 60 25 "$scale"
    choose Size Small
    expect_discs_follow_the_rule "small-$scale" 20 5 "$scale"
    kill "$PROGRAM_PID"
    wait "$PROGRAM_PID" 2>/dev/null || true
    PROGRAM_PID=""
done

e2e_finish
