#!/usr/bin/env bash
# Builds the game, starts it under Wine on a virtual display of its own and
# saves a PNG of its window, title bar included, as a user first sees it.
#
# Usage: tools/screenshot.sh [OUT.png]   (default build/quillmate-screenshot.png)
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
OUT=$(realpath -m "${1:-build/quillmate-screenshot.png}")

bash tools/install-deps.sh --windows --wine --screen
cmake --preset windows >/dev/null
cmake --build --preset windows --target quillmate -j"${JOBS:-2}"

source tools/wine-env.sh
trap wine_stop EXIT
start_display
wine_boot
wine_run 120 build/windows/shell/quillmate.exe &
mkdir -p "$(dirname "$OUT")"
save_window Quillmate "$OUT"
echo "Screenshot: $OUT"
