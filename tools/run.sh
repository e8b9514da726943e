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

run_under_wine() {
    local headless=0
    [[ -n ${DISPLAY:-} ]] || headless=1
    local groups=(--windows --wine)
    [[ $headless -eq 1 ]] && groups+=(--screen)
    bash tools/install-deps.sh "${groups[@]}"
    cmake --preset windows
    cmake --build --preset windows --target quillmate -j"$JOBS"

    source tools/wine-env.sh
    trap wine_stop EXIT
    [[ $headless -eq 1 ]] && start_display
    wine_boot
    LC_ALL=zh_CN.UTF-8 wine build/windows/shell/quillmate.exe &
    local game=$! shot=$ROOT/build/quillmate-screenshot.png
    if [[ $headless -eq 1 ]]; then
        save_window Quillmate "$shot"
        echo "The game runs on the virtual display $DISPLAY."
        echo "Screenshot: $shot"
        echo "Press Ctrl-C to stop it."
    fi
    wait "$game"
}

case $(uname -s) in
    MINGW* | MSYS* | CYGWIN*) run_on_windows ;;
    *) run_under_wine ;;
esac
