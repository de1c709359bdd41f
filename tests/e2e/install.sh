#!/usr/bin/env bash
# cmake --install puts the program, its menu entry, its icon and its software-centre metainfo
# where a desktop finds them, named after the program's id and accepted by the validators.
# Usage: install.sh EXECUTABLE SOURCE-DIR BUILD-DIR
set -euo pipefail
source_dir=$2
build_dir=$3
# shellcheck source=lib/common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/lib/common.sh"

e2e_workdir install
prefix=$E2E_WORK/prefix
cmake --install "$build_dir" --prefix "$prefix" >"$E2E_WORK/install.log"

app_id=invalid.draughtsboard.draughtsboard
entry=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
icon=$prefix/share/icons/hicolor/scalable/apps/draughtsboard.svg
checks=$((checks + 1))
[[ -x $prefix/bin/draughtsboard ]] || fail "no executable bin/draughtsboard under the prefix"
checks=$((checks + 1))
[[ -f $entry ]] || die "no menu entry share/applications/$app_id.desktop under the prefix"
checks=$((checks + 1))
[[ -f $metainfo ]] || die "no share/metainfo/$app_id.metainfo.xml under the prefix"
checks=$((checks + 1))
cmp -s "$source_dir/data/draughtsboard.svg" "$icon" ||
    fail "share/icons/hicolor/scalable/apps/draughtsboard.svg is missing or not the project's icon"

checks=$((checks + 1))
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the menu entry"
# The entry must start what was installed and show the icon that was installed beside it.
expect_equal "$(sed -n 's/^Exec=//p' "$entry")" draughtsboard "command of the menu entry"
expect_equal "$(sed -n 's/^Icon=//p' "$entry")" draughtsboard "icon of the menu entry"
expect_equal "$(sed -n 's/^Categories=//p' "$entry")" "Game;BoardGame;" "categories of the menu entry"

# Errors and warnings fail the validation; an info (such as the id's domain being no real one,
# on purpose) does not.
checks=$((checks + 1))
appstreamcli validate --no-net --pedantic "$metainfo" >"$E2E_WORK/appstream.log" 2>&1 ||
    fail "appstreamcli rejects the metainfo: $(cat "$E2E_WORK/appstream.log")"
# Software centres find the menu entry through the id and the launchable.
expect_equal "$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")" "$app_id" "id in the metainfo"
expect_equal "$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")" \
    "$app_id.desktop" "menu entry the metainfo launches"
# A new version needs its release entry, or software centres show the old one.
project_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
expect_equal "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)" \
    "$project_version" "newest release in the metainfo"

e2e_finish
