#!/usr/bin/env bash
# One short match of the engine tool against itself: 4 games at 2000 nodes a
# move from the first two openings, two at a time. The runner must finish,
# write 4 well-formed games and a final line whose counts add up to 4. At a
# fixed number of nodes on one thread the engine plays the same moves every
# time, so both games of an opening are the same game with the engines'
# colours swapped: each pair is worth exactly 1 point to either engine.
# Usage: selftest.sh ARENA ENGINE OPENINGS WORKDIR
set -euo pipefail
arena=$1 engine=$2 openings=$3 work=$4
mkdir -p "$work"
pgn=$work/selftest.pgn out=$work/selftest.out log=$work/selftest.log
rm -f "$pgn"
"$arena" --engine "cmd=$engine" name=first option.Hash=16 --engine "cmd=$engine" name=second \
    --openings "$openings" --games 4 --nodes 2000 --concurrency 2 --pgn "$pgn" --log "$log" >"$out"
cat "$out"
fail() { echo "FAILED: $*"; exit 1; }
[[ $(grep -c '^game [0-9]' "$out") -eq 4 ]] || fail "not 4 game lines"
final=$(tail -n 1 "$out")
[[ $final =~ ^Final:\ first\ vs\ second\ \+([0-9]+)\ =([0-9]+)\ -([0-9]+)\ .*Elo ]] ||
    fail "no final line: $final"
((BASH_REMATCH[1] + BASH_REMATCH[2] + BASH_REMATCH[3] == 4)) || fail "counts do not add to 4"
grep -qx 'Pairs by points 0, 0.5, 1, 1.5, 2: 0 0 2 0 0' "$out" || fail "a pair not worth 1 point"
[[ $(grep -c '^\[Event ' "$pgn") -eq 4 ]] || fail "not 4 games in the PGN"
[[ $(grep -c '^\[SetUp "1"\]' "$pgn") -eq 4 ]] || fail "a game without its FEN"
[[ $(grep -cE '^\[Termination "(normal|adjudication)"\]' "$pgn") -eq 4 ]] ||
    fail "a game ended by a fault"
# Every game ends with its result, and the moves carry score/depth comments.
[[ $(grep -cE '(1-0|0-1|1/2-1/2)$' "$pgn") -eq 4 ]] || fail "a game without a result"
grep -qE '\{[+-]([0-9]+\.[0-9]{2}|M[0-9]+)/[0-9]+ [0-9.]+s\}' "$pgn" || fail "no move comments"
# The traffic log has both sides of the conversation, with each engine's name.
grep -qE '^[0-9]+ w[12] first > go nodes 2000$' "$log" || fail "no go in the log"
grep -qE '^[0-9]+ w[12] second < bestmove ' "$log" || fail "no bestmove in the log"
echo "selftest passed"
