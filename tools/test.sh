#!/usr/bin/env bash
# Builds Quillmate in every configuration and runs all of its tests:
#   the format check, the unit tests (native, then under AddressSanitizer and
#   UndefinedBehaviorSanitizer), a bounded fuzz run of the engine tool, and the
#   Windows build, smoke-tested under Wine.
# Installs what it needs on Debian. Ends with a line "N passed, N failed" and
# exits non-zero if any step failed.
#
# Environment: JOBS (build jobs, default 2), FUZZ_SECONDS (default 60).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
JOBS=${JOBS:-2}
FUZZ_SECONDS=${FUZZ_SECONDS:-60}

# --- helpers ---------------------------------------------------------------

build_preset() {
    cmake --preset "$1"
    cmake --build --preset "$1" -j"$JOBS"
}

# expect_line TEXT REGEX WHAT: fails unless a line of TEXT matches REGEX.
expect_line() {
    if grep -Eq -- "$2" <<<"$1"; then
        echo "ok: $3"
    else
        echo "FAILED: $3 (no line matching '$2')"
        return 1
    fi
}

# --- steps -----------------------------------------------------------------

step_dependencies() {
    bash tools/install-deps.sh --all
}

step_format() {
    bash tools/format.sh --check
}

step_native() {
    build_preset native
    ctest --preset native
}

step_asan() {
    build_preset asan
    ctest --preset asan
}

step_fuzz() {
    build_preset fuzz
    local fuzzer
    fuzzer=$(find build/fuzz/uci -type f -name quillmate_uci_fuzz -perm -u+x 2>/dev/null |
        head -n 1) || true
    [[ -n $fuzzer ]] || { echo "FAILED: no quillmate_uci_fuzz under build/fuzz/uci"; return 1; }
    # New inputs go to a scratch corpus under build/; the seed corpus in the
    # repository is only read.
    local out=build/fuzz/run seeds=uci/fuzz/corpus
    rm -rf "$out/artifacts"
    mkdir -p "$out/corpus" "$out/artifacts"
    echo "Fuzzing for ${FUZZ_SECONDS}s from $seeds (log: $out/fuzz.log)"
    local rc=0
    "$fuzzer" -max_total_time="$FUZZ_SECONDS" -timeout=25 \
        -dict=uci/fuzz/uci.dict -artifact_prefix="$out/artifacts/" -print_final_stats=1 \
        "$out/corpus" "$seeds" >"$out/fuzz.log" 2>&1 || rc=$?
    if [[ $rc -ne 0 ]]; then
        tail -n 80 "$out/fuzz.log"
        echo "The fuzzer failed (exit $rc); the input is in $out/artifacts/"
        return 1
    fi
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$out/fuzz.log" ||
        tail -n 5 "$out/fuzz.log"
}

step_windows_build() {
    build_preset windows
}

step_windows_smoke() {
    local exe=build/windows/uci/quillmate-uci.exe
    [[ -f $exe ]] || { echo "FAILED: $exe was not built"; return 1; }

    # The console tool needs no X display.
    source tools/wine-env.sh
    trap wine_stop EXIT
    wine_boot

    local out rc=0 bad=0
    echo "--- piped commands"
    out=$(printf 'uci\nisready\nposition startpos\ngo depth 5\nquit\n' |
        wine_run 300 "$exe" | tr -d '\r') || rc=$?
    echo "$out"
    [[ $rc -eq 0 ]] || { echo "FAILED: exit status $rc"; bad=1; }
    expect_line "$out" '^uciok$' "uci handshake" || bad=1
    expect_line "$out" '^readyok$' "isready" || bad=1
    expect_line "$out" '^info depth 5 .* nodes 139871 ' "139871 nodes at depth 5" || bad=1
    expect_line "$out" '^bestmove e2e4$' "bestmove e2e4" || bad=1

    echo "--- command-line words"
    rc=0
    out=$(wine_run 300 "$exe" go perft 3 </dev/null | tr -d '\r') || rc=$?
    echo "$out" | tail -n 3
    [[ $rc -eq 0 ]] || { echo "FAILED: exit status $rc"; bad=1; }
    expect_line "$out" '^Nodes searched: 8902$' "perft 3 from the initial position" || bad=1
    return $bad
}

# The game's bitmaps, cursors and icon, loaded as the game loads them; and
# the piece drawing in a program without them, as when a bitmap fails to load.
step_artwork_under_wine() {
    source tools/wine-env.sh
    trap wine_stop EXIT
    wine_boot
    bash tools/artwork/check_under_wine.sh
    local display=()
    [[ -n ${DISPLAY:-} ]] || display=(xvfb-run -a)
    LC_ALL=zh_CN.UTF-8 "${display[@]}" timeout 120 \
        wine build/windows/board/piece_images_without_art_test.exe
}

# The real game driven from outside as a user would; screenshots of the key
# states are kept in build/e2e-artifacts.
step_game_end_to_end() {
    bash tests/e2e/run.sh build/windows build/e2e-artifacts
}

# --- driver ----------------------------------------------------------------

names=() results=() seconds=()

run_step() {
    local name=$1 fn=$2 start=$SECONDS rc=0 result=PASS
    printf '\n==== %s ====\n' "$name"
    # A subshell, so that errexit stops the step at its first failing command
    # (bash ignores errexit in functions called from a condition).
    set +e
    (
        set -e
        "$fn"
    )
    rc=$?
    set -e
    [[ $rc -eq 0 ]] || result=FAIL
    names+=("$name") results+=("$result") seconds+=($((SECONDS - start)))
    printf -- '---- %s: %s (%ss)\n' "$name" "$result" "${seconds[-1]}"
}

run_step "dependencies" step_dependencies
run_step "format check" step_format
run_step "native build and tests" step_native
run_step "asan build and tests" step_asan
run_step "fuzz build and run" step_fuzz
run_step "windows build" step_windows_build
run_step "windows smoke test under wine" step_windows_smoke
run_step "artwork under wine" step_artwork_under_wine
run_step "game end-to-end under wine" step_game_end_to_end

passed=0 failed=0
printf '\n==== summary ====\n'
for i in "${!names[@]}"; do
    printf '  %-4s %5ss  %s\n' "${results[i]}" "${seconds[i]}" "${names[i]}"
    case ${results[i]} in
        PASS) passed=$((passed + 1)) ;;
        FAIL) failed=$((failed + 1)) ;;
    esac
done
echo "Total time: ${SECONDS}s"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
