#!/usr/bin/env bash
# Loads the compiled artwork the way the game does, under Wine, and checks
# that Windows sees what the drawing code meant: every bitmap's size, every
# piece composed over a teal and a white square pixel for pixel, the cursors'
# hot spots and the icon.
#
# Needs mingw-w64 and Wine; runs in the project's prefix (tools/wine-env.sh)
# and starts a virtual display when there is none.
# Exits 0 when everything matches, 77 when the tools are missing.
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
RESOURCES=$ROOT/resources
PYTHON=${PYTHON:-/usr/bin/python3}

for tool in x86_64-w64-mingw32-windres x86_64-w64-mingw32-gcc wine Xvfb; do
    command -v "$tool" >/dev/null || { echo "check_under_wine: no $tool; skipped"; exit 77; }
done

WORK=$(mktemp -d)
source "$ROOT/tools/wine-env.sh"
# Wine started here is ended here; a caller's display and wineserver are left alone.
own_wine=0
cleanup() {
    [[ $own_wine -eq 1 ]] && wine_stop
    rm -rf "$WORK"
}
trap cleanup EXIT

x86_64-w64-mingw32-windres "$RESOURCES/quillmate.rc" -O coff -o "$WORK/res.o"
x86_64-w64-mingw32-gcc -O1 -Wall -Wextra -Werror -I"$RESOURCES" "$HERE/wine_check.c" "$WORK/res.o" \
    -o "$WORK/wine_check.exe" -lgdi32 -luser32

if [[ -z ${DISPLAY:-} ]]; then
    own_wine=1
    start_display
fi
wine_boot
wine_run 300 "$WORK/wine_check.exe" >"$WORK/out.txt" 2>"$WORK/err.txt" || { cat "$WORK/err.txt"; exit 1; }
"$PYTHON" "$HERE/test_artwork.py" --wine-output "$WORK/out.txt"
