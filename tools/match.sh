#!/usr/bin/env bash
# Plays a match of the engine tool against Fairy-Max, the way a user of a chess
# GUI would: xboard drives the tool through polyglot (UCI to xboard protocol),
# on a virtual display of its own, then the games are summarised.
#
# Usage: tools/match.sh [--games N] [--tc MIN:SEC] [--inc SEC] [--fen-file FILE]
#                       [--variant NAME] [--opponent CMD] [--out DIR] [--engine PATH]
#                       [--option NAME=VALUE ...]
#   --games N        games to play, colours alternating (default 20, or twice
#                    the positions of --fen-file)
#   --tc MIN:SEC     each side's time for the game (default 0:30)
#   --inc SEC        seconds added after each move (default 0.5)
#   --fen-file FILE  start the games from these positions, one FEN a line,
#                    each played twice with the colours swapped
#   --variant NAME   xboard's variant, such as fischerandom (Chess960, a new
#                    shuffled start each game); default normal chess
#   --opponent CMD   the xboard engine command to play against (default
#                    fairymax, which has no fischerandom; a UCI engine goes
#                    through polyglot: "polyglot -noini -ec ENGINE")
#   --out DIR        where the games, logs and summary go (default build/match)
#   --engine PATH    the UCI engine to play (default: the native build of
#                    quillmate-uci, built first)
#   --option N=V     a UCI option polyglot sets in the engine before the
#                    games, such as UCI_Elo=1500 (repeatable; no spaces)
#
# DIR gets games.pgn, summary.txt (also printed), xboard.debug (all protocol
# traffic on the xboard side), polyglot.log (the UCI side) and xboard.out.
# Exits 0 when every game ended normally, 1 when any game ended abnormally
# (illegal move, forfeit, loss on time, crash, ...) or the match did not finish.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

games='' tc=0:30 inc=0.5 fen_file='' variant=normal opponent=fairymax out=$ROOT/build/match engine=''
uci_options=''
while [[ $# -gt 0 ]]; do
    case $1 in
        --games) games=$2; shift 2 ;;
        --tc) tc=$2; shift 2 ;;
        --inc) inc=$2; shift 2 ;;
        --fen-file) fen_file=$(realpath "$2"); shift 2 ;;
        --variant) variant=$2; shift 2 ;;
        --opponent) opponent=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        --engine) engine=$(realpath "$2"); shift 2 ;;
        --option)
            [[ $2 =~ ^[^=[:space:]]+=[^[:space:]]+$ ]] ||
                { echo "match.sh: --option wants NAME=VALUE without spaces" >&2; exit 2; }
            uci_options+=" -uci $2"; shift 2 ;;
        -h | --help) sed -n '2,29s/^# \{0,1\}//p' "$0"; exit 0 ;;
        *) echo "match.sh: unknown option $1" >&2; exit 2 ;;
    esac
done

positions=0
if [[ -n $fen_file ]]; then
    positions=$(grep -c '[^[:space:]]' "$fen_file")
    [[ $positions -gt 0 ]] || { echo "match.sh: no positions in $fen_file" >&2; exit 2; }
fi
[[ -n $games ]] || games=$((positions > 0 ? 2 * positions : 20))

bash "$ROOT/tools/install-deps.sh" --match >&2
if [[ -z $engine ]]; then
    (cd "$ROOT" && cmake --preset native >&2 &&
        cmake --build --preset native --target quillmate-uci -j"${JOBS:-2}" >&2)
    engine=$ROOT/build/native/uci/quillmate-uci
fi
[[ -x $engine ]] || { echo "match.sh: $engine is not executable" >&2; exit 2; }
# xboard and fairymax live in /usr/games, which a non-login PATH may lack.
export PATH=$PATH:/usr/games

mkdir -p "$out"
out=$(realpath "$out")
rm -f "$out"/{games.pgn,summary.txt,xboard.debug,xboard.out,polyglot.log}

# xboard reads and writes ~/.xboardrc and the engines may leave files in their
# directory: a temporary home and working directory keep both away.
work=$(mktemp -d)
source "$ROOT/tools/display.sh"
finish() {
    stop_display
    rm -rf "$work"
}
trap finish EXIT
mkdir -p "$work/home"
start_display

name=$(basename "$engine")
xboard_args=(
    -fcp "polyglot -noini -log true -lf $out/polyglot.log -ec $engine$uci_options"
    -fd "$work" -fn "$name"
    -scp "$opponent" -sd "$work"
    -mg "$games" -tc "$tc" -inc "$inc" -variant "$variant"
    -sgf "$out/games.pgn"
    -debugMode true -nameOfDebugFile "$out/xboard.debug"
    # Unattended: no exit dialog, no button bar, no settings saved, no
    # thinking on the opponent's time (both engines share the machine).
    -popupExitMessage false -showButtonBar false -saveSettingsOnExit false
    -ponderNextMove false -soundProgram ""
    # Referee: every move is checked, flags are called, claims are verified.
    -testLegality true -autoCallFlag true -testClaims true
)
if [[ -n $fen_file ]]; then
    # Index -2: each position twice, with the colours swapped.
    xboard_args+=(-lpf "$fen_file" -lpi -2 -rewindIndex "$positions")
fi

# A watchdog for a match that hangs (for example on an error dialog): each game
# gets both clocks' worth of time for 200 moves, plus a minute.
base=$(awk -F: '{ print ($2 == "" ? $1 * 60 : $1 * 60 + $2) }' <<<"$tc")
limit=$(awk -v g="$games" -v b="$base" -v i="$inc" \
    'BEGIN { print int(g * (2 * (b + 200 * i) + 60)) }')
started=$(date +%s)
status=0
(cd "$work" && HOME=$work/home timeout --kill-after=10 "$limit" xboard "${xboard_args[@]}") \
    >"$out/xboard.out" 2>&1 || status=$?
seconds=$(($(date +%s) - started))

summary=0
python3 "$ROOT/tools/match/summary.py" --player "$name" --games "$games" "$out/games.pgn" \
    >"$out/summary.txt" || summary=$?
# What xboard would have shown in a dialog (an engine that exited, a broken
# pipe...) but the match's final score.
said=$(grep '^xboard: ' "$out/xboard.out" | grep -v '^xboard: Match .*: final score' || true)
{
    echo "time         ${seconds} s"
    [[ -z $said ]] || { echo "xboard said:"; sed 's/^xboard: /  /' <<<"$said"; }
    case $status in
        0) ;;
        124 | 137) echo "xboard       stopped by the watchdog after ${limit} s" ;;
        *) echo "xboard       ended with status $status" ;;
    esac
} >>"$out/summary.txt"
cat "$out/summary.txt"
[[ $status -eq 0 && $summary -eq 0 && -z $said ]]
