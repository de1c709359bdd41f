#!/usr/bin/env bash
# cmake --install puts the program, its menu entry, its icon and its software-centre metainfo
# where a desktop finds them, named after the program's id and accepted by the validators.
# On Windows the installer beside the run folder installs the program silently, with a Start-menu
# entry and an entry in the list of installed programs, and its uninstaller takes all of it away.
# Usage: install.sh EXECUTABLE SOURCE-DIR BUILD-DIR CLOSE-WINDOW
set -euo pipefail
exe=$1
source_dir=$2
build_dir=$3
# shellcheck source=lib/common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/lib/common.sh"
project_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")

# registry_value NAME: a value of the program's entry in the list of installed programs.
registry_value() {
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\draughtsboard' \
        /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

if on_windows; then
    e2e_setup install
    run_folder=$(dirname "$exe")
    installer=$(dirname "$run_folder")/draughtsboard-$project_version-setup-x64.exe
    installed=$WINEPREFIX/drive_c/Program\ Files/draughtsboard
    start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
    shortcut=$start_menu/draughtsboard.lnk

    checks=$((checks + 1))
    wine "$installer" /S >"$E2E_WORK/installer.log" 2>&1 || fail "the installer failed"
    wineserver -w
    checks=$((checks + 1))
    diff -r -x uninstall.exe "$run_folder" "$installed" >"$E2E_WORK/installed.diff" ||
        fail "the installed folder is not the run folder: $(cat "$E2E_WORK/installed.diff")"
    checks=$((checks + 1))
    [[ -f $installed/uninstall.exe ]] || fail "no uninstaller in the installed folder"
    checks=$((checks + 1))
    [[ -f $shortcut ]] || fail "no Start-menu entry draughtsboard"
    expect_equal "$(registry_value DisplayName)" draughtsboard "name in the installed programs"
    expect_equal "$(registry_value DisplayVersion)" "$project_version" \
        "version in the installed programs"
    expect_equal "$(registry_value UninstallString)" \
        '"C:\Program Files\draughtsboard\uninstall.exe"' "uninstaller of the installed programs"

    # The installed program runs and shows the board.
    start_program "$installed/draughtsboard.exe"
    expect_window_size 499x399 "installed program at start"
    shot installed_start
    expect_piece 20 20 15 "$RED" "$BLACK" "installed program: first red piece"
    expect_box 360 0 479 159 "$RED_TRAY" "installed program: tray for red pieces"
    choose File Exit
    wait_for_exit 10 || die "Exit did not end the installed program"

    checks=$((checks + 1))
    wine "$installed/uninstall.exe" /S >"$E2E_WORK/uninstaller.log" 2>&1 ||
        fail "the uninstaller failed"
    # The uninstaller runs on from a copy of itself, so that it can remove the original.
    wineserver -w
    checks=$((checks + 1))
    [[ ! -e $installed ]] ||
        fail "the uninstaller left in the installed folder: $(find "$installed" | paste -sd ' ')"
    checks=$((checks + 1))
    [[ ! -e $shortcut ]] || fail "the uninstaller left the Start-menu entry"
    expect_equal "$(registry_value DisplayName)" "" "name in the installed programs, uninstalled"
    e2e_finish
    exit 0
fi

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
expect_equal "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)" \
    "$project_version" "newest release in the metainfo"

e2e_finish
