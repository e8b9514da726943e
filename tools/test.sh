#!/usr/bin/env bash
# Builds Quillmate in every configuration and runs all of its tests, each step
# with a header and a time, in this order:
#   1. dependencies: installs what is missing (tools/install-deps.sh --all)
#   2. format check: clang-format over the C++ sources (tools/format.sh --check)
#   3. native build and unit tests (ctest, which also checks the artwork and
#      plays a short quillmate-arena match)
#   4. the same under AddressSanitizer and UndefinedBehaviorSanitizer
#   5. a bounded libFuzzer run on the engine tool's input
#   6. the Windows cross build (mingw-w64)
#   7. the Windows engine tool under Wine, answering as the native one does
#   8. the artwork loaded under Wine as the game loads it, and the piece
#      drawing of a program without the art
#   9. the game's end-to-end tests under Wine on a virtual display
#      (tests/e2e/run.sh; screenshots go to build/e2e-artifacts)
#  10. the packages: the Windows installer and zip, and the Debian package
#      (tools/package.sh)
#  11. each package installed and started as a player would, then removed
#      (tools/check-packages.sh)
#  12. the engine tool in a chess GUI: one game in xboard, through polyglot,
#      against Fairy-Max (tools/match.sh), which must end as chess games end
# Ends with a line "N passed, N failed" and exits non-zero if any step failed.
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

# The sessions that the Windows engine tool and the native one must answer
# alike, one a line, commands separated by ";". Times and speeds are left out
# of the comparison.
# A known command after go waits for the search (quit would stop it), so
# each search is followed by one; an unknown one is answered at once, in
# whatever order with the search's lines, so none follows a go.
KIWIPETE='r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1'
SMOKE_SESSIONS=(
    'uci;isready;position startpos;go depth 9;eval;quit'
    "position fen $KIWIPETE;go perft 3;eval;go depth 7;d;quit"
    'position startpos moves e2e4 e7e5 e1e2 e8e7 g1f3 b8c6 f3g1 c6b8 g1f3;d;go depth 6;d;quit'
    'setoption name UCI_Variant value kingcapture;setoption name Threads value 2;position startpos moves e2e4 c7c5;go depth 5;d;quit'
    "setoption name UCI_Variant value kingcapture;position fen $KIWIPETE;go perft 3;eval;quit"
    'position startpos moves e2e5;position fen x;foo;go depth 0;d;quit'
)

without_timing() {
    tr -d '\r' | sed -E 's/ (nps|time) [0-9]+/ \1 -/g; s/^(Total time|Nodes\/second).*/\1 -/'
}

# same_answers WHAT NATIVE-OUTPUT WINDOWS-OUTPUT
same_answers() {
    if [[ $2 == "$3" ]]; then
        echo "ok: $1 ($(wc -l <<<"$2") lines)"
    else
        echo "FAILED: $1: the Windows tool answers differently"
        diff <(echo "$2") <(echo "$3") | head -n 20
        return 1
    fi
}

step_windows_smoke() {
    local exe=build/windows/uci/quillmate-uci.exe native=build/native/uci/quillmate-uci
    [[ -f $exe ]] || { echo "FAILED: $exe was not built"; return 1; }
    [[ -x $native ]] || cmake --build --preset native --target quillmate-uci -j"$JOBS"

    # The console tool needs no X display.
    source tools/wine-env.sh
    trap wine_stop EXIT
    wine_boot

    local session input want got bad=0
    for session in "${SMOKE_SESSIONS[@]}"; do
        input=$(tr ';' '\n' <<<"$session")
        want=$(timeout 300 "$native" <<<"$input" | without_timing)
        got=$(wine_run 300 "$exe" <<<"$input" | without_timing) || {
            echo "FAILED: exit status $? for: $session"
            bad=1
        }
        same_answers "$session" "$want" "$got" || bad=1
    done
    # Words on the command line form one command.
    want=$("$native" go perft 3 </dev/null | without_timing)
    got=$(wine_run 300 "$exe" go perft 3 </dev/null | without_timing) || bad=1
    same_answers "command-line words: go perft 3" "$want" "$got" || bad=1
    return $bad
}

# The game's bitmaps, cursors and icon, loaded as the game loads them; and
# the piece drawing in a program without them, as when a bitmap fails to load.
step_artwork_under_wine() {
    source tools/wine-env.sh
    trap wine_stop EXIT
    start_display
    wine_boot
    bash tools/artwork/check_under_wine.sh
    wine_run 120 build/windows/shell/piece_images_without_art_test.exe
}

# The real game driven from outside as a user would; screenshots of the key
# states are kept in build/e2e-artifacts.
step_game_end_to_end() {
    bash tests/e2e/run.sh build/windows build/e2e-artifacts
}

# The installer, the zip and the Debian package, built with one command and
# then installed and started as a player would.
step_packages() {
    bash tools/package.sh --no-deps
}

step_match() {
    python3 tools/match/test_summary.py
    bash tools/match.sh --games 1 --tc 0:05 --inc 0.1 --out build/match-ci
}

step_packages_as_a_player() {
    bash tools/check-packages.sh
}

# --- driver ----------------------------------------------------------------

names=() results=() seconds=() logs=()
# Each step's output is also kept here, so that the summary can end with the
# last lines of every failed step (a CI page often shows only the end).
STEP_LOGS=$ROOT/build/step-logs
mkdir -p "$STEP_LOGS"

run_step() {
    local name=$1 fn=$2 start=$SECONDS rc=0 result=PASS
    local log=$STEP_LOGS/${fn#step_}.log
    printf '\n==== %s ====\n' "$name"
    # A subshell, so that errexit stops the step at its first failing command
    # (bash ignores errexit in functions called from a condition).
    set +e
    # The copy goes through a process substitution, not a pipe: a daemon
    # that a step leaves running (a wineserver going down) may hold the
    # output open. The copy is given ten seconds to finish, so that the
    # step's last lines come before its result, and no longer.
    local out copy _
    exec {out}> >(tee "$log")
    copy=$!
    (
        set -e
        "$fn"
    ) >&"$out" 2>&1
    rc=$?
    exec {out}>&-
    for _ in $(seq 100); do
        kill -0 "$copy" 2>/dev/null || break
        sleep 0.1
    done
    set -e
    [[ $rc -eq 0 ]] || result=FAIL
    names+=("$name") results+=("$result") seconds+=($((SECONDS - start))) logs+=("$log")
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
run_step "packages" step_packages
run_step "packages installed and started as a player would" step_packages_as_a_player
run_step "one game in a chess GUI" step_match

passed=0 failed=0
for i in "${!names[@]}"; do
    [[ ${results[i]} == FAIL ]] || continue
    printf '\n==== the end of what "%s" printed (all of it: %s) ====\n' \
        "${names[i]}" "${logs[i]#"$ROOT"/}"
    tail -n 40 "${logs[i]}"
done
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
