#!/usr/bin/env bash
# Tries the packages that tools/package.sh built, as a player would:
#   the installer: runs silently under Wine; the files, the Start-menu
#     shortcut and the uninstall entry are where they belong; the game starts
#     from the installed place; the uninstaller removes it all again;
#   the zip: unpacks; the engine tool answers, the game starts;
#   both executables: their version information and manifest, read back
#     through the Windows API under Wine;
#   the Debian package: lintian finds no errors; it installs with apt-get;
#     quillmate-uci from the PATH answers; the launcher starts the game in a
#     new per-user prefix.
# "The game starts" means its first screen is, pixel for pixel, the one that
# the build's own quillmate.exe shows (the end-to-end tests check that one).
# Runs on a virtual display (Xvfb) of its own. Installs the .deb into
# this system (through sudo when not root) and removes it at the end.
# Ends with "N checks failed" (or "all checks passed") and exits non-zero on
# any failure.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"

WORK=$ROOT/build/package-check
WINDOWS_PACKAGES=build/windows/packages
DEB_PACKAGES=build/native/packages
VERSION=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build/windows/CPackConfig.cmake)
SETUP=$WINDOWS_PACKAGES/quillmate-$VERSION-win64-setup.exe
ZIP=$WINDOWS_PACKAGES/quillmate-$VERSION-win64.zip
DEB=$DEB_PACKAGES/quillmate_${VERSION}_amd64.deb
READBACK=build/windows/quillmate_version_info.exe

failures=0

ok() { echo "ok: $*"; }
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}
# check WHAT COMMAND...: runs COMMAND and reports WHAT.
check() {
    local what=$1
    shift
    if "$@"; then ok "$what"; else fail "$what"; fi
}

# --- Wine, windows and screenshots -----------------------------------------

export QUILLMATE_WINEPREFIX=$WORK/wineprefix
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
# No menu entries or file associations written into this user's desktop.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
LAUNCHER_PREFIX=$WORK/xdg/quillmate/wine

stop_all_wine() {
    wine_stop
    WINEPREFIX=$LAUNCHER_PREFIX wineserver -k 2>/dev/null || true
}
trap stop_all_wine EXIT

window_shown() { xwininfo -root -tree 2>/dev/null | grep -q '"Quillmate"'; }

differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

# settle NAME: takes screenshots into $WORK/NAME.png once a second until the
# game has painted its first screen: for the reference, until two shots in a
# row are the same; for any other, until the shot is the reference. A slow
# machine only makes this wait longer (up to two minutes).
settle() {
    local shot=$WORK/$1.png previous=$WORK/$1-previous.png
    for _ in $(seq 120); do
        sleep 1
        import -window root -crop 560x480+0+0 "$shot"
        if [[ $1 == reference ]]; then
            [[ -f $previous && $(differing_pixels "$previous" "$shot") == 0 ]] && return 0
            cp "$shot" "$previous"
        else
            [[ $(differing_pixels "$WORK/reference.png" "$shot") == 0 ]] && return 0
        fi
    done
    echo "$(differing_pixels "$WORK/reference.png" "$shot") pixels differ from the reference: $shot"
    return 1
}

# game_starts NAME PREFIX COMMAND...: starts the game with COMMAND; passes
# when its window shows the reference screen (see settle). Then ends every
# Wine process of PREFIX.
game_starts() {
    local name=$1 prefix=$2
    shift 2
    "$@" >"$WORK/$name.log" 2>&1 &
    local pid=$! shown=0 rc=1
    for _ in $(seq 1200); do
        window_shown && { shown=1; break; }
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [[ $shown -eq 1 ]]; then
        settle "$name" && rc=0
    else
        echo "no window; the program said:"
        cat "$WORK/$name.log"
    fi
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    for _ in $(seq 100); do window_shown || break; sleep 0.1; done
    return $rc
}

# uci_perft_3 COMMAND...: the engine tool answers "go perft 3" with 8902.
uci_perft_3() {
    "$@" go perft 3 </dev/null | tr -d '\r' | grep -qx 'Nodes searched: 8902'
}

# --- version information ----------------------------------------------------

# version_info_is_right EXE...: the version information and the manifest, read
# back under Wine, name this version and change nothing on screen.
version_info_is_right() {
    local out bad=0
    out=$(wine_run 60 "$READBACK" "$@" | tr -d '\r') || { echo "$out"; return 1; }
    grep -E '^[A-Za-z]+: ' <<<"$out" || true
    local expected
    for expected in "FixedFileVersion: $VERSION.0" "FileVersion: $VERSION" \
        "ProductVersion: $VERSION" "ProductName: Quillmate"; do
        [[ $(grep -cxF "$expected" <<<"$out") -eq $# ]] || { echo "not in every file: $expected"; bad=1; }
    done
    [[ $(grep -c '^LegalCopyright: Copyright' <<<"$out") -eq $# ]] || { echo "a copyright is missing"; bad=1; }
    [[ $(grep -c 'level="asInvoker"' <<<"$out") -eq $# ]] || { echo "asInvoker is missing"; bad=1; }
    # Visual styles or DPI awareness would change what the player sees.
    ! grep -qi 'Common-Controls\|dpiAware\|dpiAwareness' <<<"$out" || { echo "the manifest changes the looks"; bad=1; }
    return $bad
}

# --- the Windows installer ----------------------------------------------------

INSTALLED="$WINEPREFIX/drive_c/Program Files/Quillmate"
START_MENU="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillmate"
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmate'

files_are() { # files_are DIR NAME...: DIR holds exactly these files.
    local dir=$1
    shift
    diff <(printf '%s\n' "$@" | sort) <(ls -A "$dir" | sort)
}

shortcut_starts_game() { # The link's target and icon are the installed game.
    local link="$START_MENU/Quillmate.lnk"
    [[ -f $link ]] || { echo "no $link"; return 1; }
    [[ $( (strings -a "$link"; strings -a -el "$link") | grep -ciF 'Program Files\Quillmate\quillmate.exe') -ge 2 ]]
}

nothing_left() {
    local files
    files=$(find "$WINEPREFIX/drive_c" -iname '*quillmate*')
    [[ -z $files ]] || { echo "left: $files"; return 1; }
    ! grep -i 'quillmate' "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg"
}

check_installer() {
    echo "--- $SETUP"
    wine_run 300 "$SETUP" /S
    wineserver -w
    check "the installer put the files in Program Files\\Quillmate" \
        files_are "$INSTALLED" LICENSE.txt README.txt Uninstall.exe quillmate-uci.exe quillmate.exe
    check "the Start-menu shortcut starts the game, with its icon" shortcut_starts_game
    check "the uninstaller is registered with the version" \
        eval "wine reg query '$UNINSTALL_KEY' /v DisplayVersion | grep -q '$VERSION'"
    check "the installed executables carry the version and the manifest" \
        version_info_is_right "$INSTALLED/quillmate.exe" "$INSTALLED/quillmate-uci.exe"
    check "the game starts from the installed place" \
        game_starts installed "$WINEPREFIX" wine_run 300 "$INSTALLED/quillmate.exe"
    check "the installed engine tool answers perft 3" uci_perft_3 wine_run 60 "$INSTALLED/quillmate-uci.exe"

    [[ -f $INSTALLED/Uninstall.exe ]] && wine_run 300 "$INSTALLED/Uninstall.exe" /S
    # The uninstaller runs from a copy of itself; wait for it to end.
    wineserver -w
    check "the uninstaller removed the files" test ! -e "$INSTALLED"
    check "the uninstaller removed the Start-menu folder" test ! -e "$START_MENU"
    check "no file and no registry key of Quillmate is left" nothing_left
}

# --- the zip -------------------------------------------------------------------

check_zip() {
    echo "--- $ZIP"
    local dir=$WORK/zip/quillmate-$VERSION-win64
    unzip -q -o "$ZIP" -d "$WORK/zip"
    check "the zip holds one folder with the game, the engine tool, README and licence" \
        files_are "$dir" LICENSE.txt README.txt quillmate-uci.exe quillmate.exe
    check "README.txt has Windows line ends" grep -q $'\r$' "$dir/README.txt"
    check "the engine tool from the zip answers perft 3" uci_perft_3 wine_run 60 "$dir/quillmate-uci.exe"
    check "the game from the zip starts" game_starts zip "$WINEPREFIX" wine_run 300 "$dir/quillmate.exe"
}

# --- the Debian package --------------------------------------------------------

as_root() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }

check_deb() {
    echo "--- $DEB"
    echo "lintian:"
    check "lintian reports no errors" lintian --fail-on error --info "$DEB"
    check "the package's version is the executables' version" \
        test "$(dpkg-deb -f "$DEB" Version)" = "$VERSION"

    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --reinstall --no-install-recommends "./$DEB" >"$WORK/apt.log" 2>&1 ||
        { cat "$WORK/apt.log"; fail "apt-get install ./$(basename "$DEB")"; return; }
    ok "apt-get install ./$(basename "$DEB")"

    # /usr/games is on every user's PATH on Debian (/etc/profile), if not on root's.
    local path=$PATH:/usr/games
    check "quillmate-uci from the PATH answers perft 3" uci_perft_3 env PATH="$path" quillmate-uci

    rm -rf "$WORK/xdg"
    check "the launcher starts the game in a new prefix under XDG_DATA_HOME" \
        game_starts launcher "$LAUNCHER_PREFIX" env PATH="$path" XDG_DATA_HOME="$WORK/xdg" quillmate
    check "the launcher's prefix has the project's registry settings" \
        grep -qx '"Managed"="N"' "$LAUNCHER_PREFIX/user.reg"

    as_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q quillmate >/dev/null 2>&1 ||
        fail "apt-get purge quillmate"
}

# --- driver --------------------------------------------------------------------

for package in "$SETUP" "$ZIP" "$DEB" "$READBACK"; do
    [[ -f $package ]] || { echo "FAILED: $package is missing; run tools/package.sh"; exit 1; }
done
ls -l "$SETUP" "$ZIP" "$DEB"

wine_stop
rm -rf "$WORK"
mkdir -p "$WORK"
# A display of its own, where nothing covers the game's window.
start_display
wine_boot
game_starts reference "$WINEPREFIX" wine_run 300 build/windows/shell/quillmate.exe ||
    { echo "FAILED: the build's own game shows no steady first screen"; exit 1; }

check_installer
check_zip
check_deb

echo
if [[ $failures -eq 0 ]]; then echo "all checks passed"; else echo "$failures checks failed"; fi
[[ $failures -eq 0 ]]
