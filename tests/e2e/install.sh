#!/usr/bin/env bash
# cmake --install puts the program, its menu entry and its icon where a desktop finds them.
# Usage: install.sh EXECUTABLE SOURCE-DIR BUILD-DIR
set -euo pipefail
source_dir=$2
build_dir=$3
# shellcheck source=lib/common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/lib/common.sh"

e2e_workdir install
prefix=$E2E_WORK/prefix
cmake --install "$build_dir" --prefix "$prefix" >"$E2E_WORK/install.log"

entry=$prefix/share/applications/draughtsboard.desktop
icon=$prefix/share/icons/hicolor/scalable/apps/draughtsboard.svg
checks=$((checks + 1))
[[ -x $prefix/bin/draughtsboard ]] || fail "no executable bin/draughtsboard under the prefix"
checks=$((checks + 1))
[[ -f $entry ]] || die "no menu entry share/applications/draughtsboard.desktop under the prefix"
checks=$((checks + 1))
cmp -s "$source_dir/data/draughtsboard.svg" "$icon" ||
    fail "share/icons/hicolor/scalable/apps/draughtsboard.svg is missing or not the project's icon"

checks=$((checks + 1))
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the menu entry"
# The entry must start what was installed and show the icon that was installed beside it.
expect_equal "$(sed -n 's/^Exec=//p' "$entry")" draughtsboard "command of the menu entry"
expect_equal "$(sed -n 's/^Icon=//p' "$entry")" draughtsboard "icon of the menu entry"
expect_equal "$(sed -n 's/^Categories=//p' "$entry")" "Game;BoardGame;" "categories of the menu entry"

e2e_finish
