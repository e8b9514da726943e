#!/usr/bin/env bash
# Builds the game and starts it.
#   On Windows (Git Bash): builds quillmate.exe with the compiler at hand and runs it.
#   Elsewhere: cross-builds it with mingw-w64 and runs it under Wine, in the
#   project's own Wine prefix (build/wineprefix), installing what is missing.
#   With no display, the game starts on a virtual one (Xvfb); a screenshot is
#   saved and its path printed, and the game runs until Ctrl-C.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
JOBS=${JOBS:-2}

run_on_windows() {
    cmake -S . -B build/windows-native -DQUILLMATE_TESTS=OFF
    cmake --build build/windows-native --config Release --target quillmate -j"$JOBS"
    local exe
    exe=$(find build/windows-native -name quillmate.exe | head -n 1)
    exec "$exe"
}

# Starts Xvfb on the first free display from :90 and waits for its socket.
start_virtual_display() {
    local n=90
    while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [[ -S /tmp/.X11-unix/X$n ]] && break
        sleep 0.1
    done
    [[ -S /tmp/.X11-unix/X$n ]] || { echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=:$n
}

# Waits for the game's window to be mapped, then saves a picture of the screen.
save_screenshot() {
    local shot=$1
    for _ in $(seq 200); do
        xwininfo -root -tree 2>/dev/null | grep -q '"Quillmate"' && break
        sleep 0.1
    done
    sleep 1  # let the first paint finish
    import -window root -crop 560x480+0+0 "$shot"
    echo "The game runs on the virtual display $DISPLAY."
    echo "Screenshot: $shot"
}

run_under_wine() {
    local headless=0
    [[ -n ${DISPLAY:-} ]] || headless=1
    local groups=(--windows --wine)
    [[ $headless -eq 1 ]] && groups+=(--screen)
    bash tools/install-deps.sh "${groups[@]}"
    cmake --preset windows
    cmake --build --preset windows --target quillmate -j"$JOBS"

    source tools/wine-env.sh
    XVFB_PID=
    trap 'wine_stop; [[ -n $XVFB_PID ]] && kill "$XVFB_PID" 2>/dev/null' EXIT
    [[ $headless -eq 1 ]] && start_virtual_display
    wine_boot
    LC_ALL=zh_CN.UTF-8 wine build/windows/shell/quillmate.exe &
    local game=$!
    [[ $headless -eq 1 ]] && save_screenshot "$ROOT/build/quillmate-screenshot.png"
    [[ $headless -eq 1 ]] && echo "Press Ctrl-C to stop it."
    wait "$game"
}

case $(uname -s) in
    MINGW* | MSYS* | CYGWIN*) run_on_windows ;;
    *) run_under_wine ;;
esac
