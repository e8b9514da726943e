#!/usr/bin/env bash
# Tests the Debian package's launcher with stand-ins for Wine's commands,
# which log how they were called: where the prefix goes, that it is made
# once with the shared settings, that a failed first run is finished by the
# next one, and that every Wine command gets the Chinese code page.
set -euo pipefail

LAUNCHER=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/debian/quillmate
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cd "$TMP"  # a launcher that wrongly used a relative XDG_DATA_HOME writes here

mkdir -p "$TMP/bin" "$TMP/home" "$TMP/share"
for tool in wine wineboot wineserver; do
    cat >"$TMP/bin/$tool" <<STUB
#!/bin/sh
echo "$tool \$* | \$WINEPREFIX | \$LC_ALL" >>"$TMP/calls"
[ "$tool \$*" != "wineboot -i" ] || [ ! -e "$TMP/fail-boot" ] || exit 1
[ "$tool" != wineboot ] || mkdir -p "\$WINEPREFIX/drive_c"
STUB
    chmod +x "$TMP/bin/$tool"
done

failures=0
# launch XDG_DATA_HOME: runs the launcher (unset when the argument is "-")
# and leaves its calls in $TMP/calls; returns its exit status.
launch() {
    rm -f "$TMP/calls"
    local env=(env -u XDG_DATA_HOME)
    [[ $1 == - ]] || env+=(XDG_DATA_HOME="$1")
    "${env[@]}" HOME="$TMP/home" PATH="$TMP/bin:$PATH" QUILLMATE_SHARE="$TMP/share" \
        LC_ALL=C sh "$LAUNCHER" 2>/dev/null
}
expect() { # expect WHAT COMMAND...
    if "${@:2}"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}
calls() { cut -d'|' -f1 "$TMP/calls" | sed 's/ *$//' | tr '\n' ';'; }

FIRST_RUN="wineboot -i;wine reg import Z:$TMP/share/wine-prefix.reg;wineserver -w;wine $TMP/share/quillmate.exe;"
LATER_RUN="wine $TMP/share/quillmate.exe;"

# XDG_DATA_HOME, and the prefix the launcher must use.
cases=(
    "-|$TMP/home/.local/share/quillmate/wine"
    "|$TMP/home/.local/share/quillmate/wine"
    "relative/data|$TMP/home/.local/share/quillmate/wine"
    "$TMP/xdg|$TMP/xdg/quillmate/wine"
    "$TMP/with space|$TMP/with space/quillmate/wine"
)
for case in "${cases[@]}"; do
    xdg=${case%%|*} prefix=${case#*|}
    rm -rf "$TMP/home/.local" "$TMP/xdg" "$TMP/with space"
    launch "$xdg"
    expect "XDG_DATA_HOME='$xdg': the first run makes the prefix, then starts the game" \
        test "$(calls)" = "$FIRST_RUN"
    expect "XDG_DATA_HOME='$xdg': every call uses $prefix" \
        test "$(cut -d'|' -f2 "$TMP/calls" | sort -u)" = " $prefix "
    launch "$xdg"
    expect "XDG_DATA_HOME='$xdg': a later run only starts the game" test "$(calls)" = "$LATER_RUN"
done

expect "every Wine command runs with the Chinese code page" \
    test "$(cut -d'|' -f3 "$TMP/calls" | sort -u)" = " zh_CN.UTF-8"

rm -rf "$TMP/home/.local"
touch "$TMP/fail-boot"
expect "a failed wineboot stops the launcher" test "$(launch - && echo started)" = ""
expect "a failed wineboot starts no game" test "$(calls)" = "wineboot -i;"
rm "$TMP/fail-boot"
launch -
expect "the run after a failed one makes the prefix again" test "$(calls)" = "$FIRST_RUN"

[[ $failures -eq 0 ]]
