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

xvfb_pid=
# Ends Wine and the Xvfb started here, keeping the exit status.
cleanup() {
    local status=$?
    set +e
    wineserver -k 2>/dev/null
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    exit "$status"
}
trap cleanup EXIT

# Starts Xvfb on the first free display from :90 and waits for its socket.
start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        local tries
        for tries in $(seq 1 200); do
            if [[ -S /tmp/.X11-unix/X$n ]]; then
                export DISPLAY=:$n
                return 0
            fi
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.05
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    done
    echo "could not start Xvfb" >&2
    return 1
}

start_xvfb
source "$ROOT/tools/wine-env.sh"
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
