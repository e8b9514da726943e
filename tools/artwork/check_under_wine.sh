#!/usr/bin/env bash
# Loads the compiled artwork the way the game does, under Wine, and checks
# that Windows sees what the drawing code meant: every bitmap's size, every
# piece composed over a teal and a white square pixel for pixel, the cursors'
# hot spots and the icon.
#
# Needs mingw-w64 and Wine; starts a virtual display (Xvfb) when there is
# none. Uses its own throw-away Wine prefix unless WINEPREFIX is set.
# Exits 0 when everything matches, 77 when the tools are missing.
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
RESOURCES=$HERE/../../resources
PYTHON=${PYTHON:-/usr/bin/python3}

for tool in x86_64-w64-mingw32-windres x86_64-w64-mingw32-gcc wine; do
    command -v "$tool" >/dev/null || { echo "check_under_wine: no $tool; skipped"; exit 77; }
done

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
x86_64-w64-mingw32-windres "$RESOURCES/quillmate.rc" -O coff -o "$WORK/res.o"
x86_64-w64-mingw32-gcc -O1 -Wall -Wextra -Werror -I"$RESOURCES" "$HERE/wine_check.c" "$WORK/res.o" \
    -o "$WORK/wine_check.exe" -lgdi32 -luser32

export WINEPREFIX=${WINEPREFIX:-$WORK/prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
run=(timeout 300 wine "$WORK/wine_check.exe")
if [[ -z ${DISPLAY:-} ]]; then
    command -v xvfb-run >/dev/null || { echo "check_under_wine: no display and no xvfb-run; skipped"; exit 77; }
    run=(xvfb-run -a "${run[@]}")
fi
"${run[@]}" >"$WORK/out.txt" 2>"$WORK/err.txt" || { cat "$WORK/err.txt"; exit 1; }
# Our prefix goes with $WORK; stop its wineserver first.
[[ $WINEPREFIX == "$WORK/prefix" ]] && { wineserver -k 2>/dev/null || true; }
"$PYTHON" "$HERE/test_artwork.py" --wine-output "$WORK/out.txt"
