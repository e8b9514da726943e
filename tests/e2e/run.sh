#!/usr/bin/env bash
# Runs the end-to-end tests: the real quillmate.exe, driven from outside by
# quillmate_e2e.exe, under Wine on a virtual display.
#
# Usage: tests/e2e/run.sh [windows build dir] [artifact dir] [scenario ...]
#   windows build dir  default build/windows under the repository
#   artifact dir       default build/e2e-artifacts; screenshots go there
# Environment: QUILLMATE_WINEPREFIX (the Wine prefix to create or reuse),
#   E2E_TIMEOUT (seconds for the whole driver run, default 600),
#   QUILLMATE_STORM_SEED (another run of the input storm than the usual one).
# Prints the driver's report and exits with its exit code.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=$(realpath -m "${1:-$ROOT/build/windows}")
ARTIFACTS=$(realpath -m "${2:-$ROOT/build/e2e-artifacts}")
shift $(($# < 2 ? $# : 2))

GAME=$BUILD/shell/quillmate.exe
DRIVER=$BUILD/tests/e2e/quillmate_e2e.exe
for exe in "$GAME" "$DRIVER"; do
    [[ -f $exe ]] || { echo "missing $exe: build the Windows configuration first" >&2; exit 2; }
done
mkdir -p "$ARTIFACTS"

# The virtual display and the prefix come from the project's Wine setup;
# on exit, Wine and the Xvfb started here end, keeping the exit status.
source "$ROOT/tools/wine-env.sh"
trap 'status=$?; wine_stop; exit $status' EXIT
start_display
wine_boot

# Wine maps drive Z: to the root of the file system. The driver's lines end
# in CR LF, as on Windows; they are printed with plain line ends.
rc=0
LC_ALL=zh_CN.UTF-8 timeout "${E2E_TIMEOUT:-600}" wine "$DRIVER" "Z:$GAME" "Z:$ARTIFACTS" "$@" |
    tr -d '\r' || rc=${PIPESTATUS[0]}
if [[ $rc -eq 124 ]]; then
    echo "the driver did not finish within ${E2E_TIMEOUT:-600} s"
fi
echo "screenshots: $ARTIFACTS"
exit "$rc"
