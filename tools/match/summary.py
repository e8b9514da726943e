#!/usr/bin/env python3
"""Summarises the PGN file of an xboard match for one of its players.

Usage: summary.py --player NAME [--games N] GAMES.pgn

Prints the games played, the player's wins, draws and losses and score, and
every game that did not end the way a game of chess ends (mate, stalemate, a
draw rule, resignation, adjudication) but by an illegal move, a forfeit, a
loss on time, a crash or lost connection, an unfinished game... Such a game
is the player's fault unless the player won it: the opponent's faults are
listed apart. Exits 1 when the player has such a game or fewer than N games
were played, else 0.
"""

import argparse
import re
import sys

TAG = re.compile(r'^\[(\w+)\s+"(.*)"\]\s*$')
# The last comment of a game, right before its termination marker.
RESULT_COMMENT = re.compile(r"\{([^}]*)\}\s*(?:1-0|0-1|1/2-1/2|\*)\s*$")
# What xboard writes after an engine's move: "+0.88/5 0.1", "-1000.02/28".
MOVE_COMMENT = re.compile(r"^[-+]?\d+(?:\.\d+)?/\d+")
# Abnormal words win over normal ones: "False win claim" names no mate, but
# "Xboard adjudication: False draw claim" names an adjudication too.
ABNORMAL = re.compile(
    r"illegal|invalid|forfeit|false|flag|time|crash|connection|disconnect"
    r"|exit|abort|adjourn|lost|stall|error",
    re.IGNORECASE,
)
NORMAL = re.compile(
    r"mate|repetition|50|fifty|insufficient|material|resign|adjudication"
    r"|agree|draw",
    re.IGNORECASE,
)
POINTS = {"1-0": (1.0, 0.0), "0-1": (0.0, 1.0), "1/2-1/2": (0.5, 0.5)}


def read_games(text):
    """The games of a PGN text as (tags, movetext) pairs."""
    games = []
    tags, moves = None, []
    for line in text.splitlines():
        tag = TAG.match(line)
        if tag and (tags is None or moves):
            if tags is not None:
                games.append((tags, " ".join(moves).strip()))
            tags, moves = {}, []
        if tag:
            tags[tag.group(1)] = tag.group(2)
        elif tags is not None and line.strip():
            moves.append(line.strip())
    if tags is not None:
        games.append((tags, " ".join(moves).strip()))
    return games


def result_comment(movetext):
    """The reason a game ended, as xboard or an engine gave it, or ""."""
    found = RESULT_COMMENT.search(movetext)
    if not found or MOVE_COMMENT.match(found.group(1).strip()):
        return ""
    return found.group(1).strip()


def is_normal(result, comment):
    """Whether a game ended as chess games end, not by a fault."""
    if result not in POINTS or ABNORMAL.search(comment):
        return False
    return bool(NORMAL.search(comment))


def summarise(games, player, wanted):
    """The summary's lines, and whether the match went as it should."""
    won = drawn = lost = 0
    abnormal, opponents = [], []
    for number, (tags, movetext) in enumerate(games, 1):
        result = tags.get("Result", "*")
        comment = result_comment(movetext)
        sides = (tags.get("White"), tags.get("Black"))
        mine = None
        if result in POINTS and player in sides:
            mine = POINTS[result][sides.index(player)]
            won, drawn, lost = won + (mine == 1), drawn + (mine == 0.5), lost + (mine == 0)
        if not is_normal(result, comment):
            round_ = tags.get("Round", str(number))
            line = f"  game {round_}: {sides[0]} - {sides[1]} {result} {{{comment}}}"
            (opponents if mine == 1 else abnormal).append(line)
    played = won + drawn + lost
    score = 100.0 * (won + drawn / 2) / played if played else 0.0
    lines = [
        f"games        {len(games)} of {wanted}",
        f"{player}: won {won}, drawn {drawn}, lost {lost}, score {score:.1f}%",
        f"abnormal     {len(abnormal)}",
    ] + abnormal
    if opponents:
        lines += [f"opponent's   {len(opponents)} (won by the opponent's fault)"] + opponents
    if len(games) < wanted:
        # xboard saves no game that ends before its first move.
        lines.append(f"missing      {wanted - len(games)} (unsaved or unplayed)")
    return lines, not abnormal and len(games) >= wanted


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--player", required=True)
    parser.add_argument("--games", type=int, default=0)
    parser.add_argument("pgn")
    args = parser.parse_args()
    try:
        with open(args.pgn, encoding="utf-8", errors="replace") as pgn:
            text = pgn.read()
    except FileNotFoundError:
        text = ""
    lines, good = summarise(read_games(text), args.player, args.games)
    print("\n".join(lines))
    return 0 if good else 1


if __name__ == "__main__":
    sys.exit(main())
