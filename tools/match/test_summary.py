#!/usr/bin/env python3
"""Checks of the match summary on PGN as xboard writes it. Exit status 0 when
all pass: python3 tools/match/test_summary.py"""

import os
import sys
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import summary  # noqa: E402


def game(white, black, result, ending):
    """One game in xboard's layout, with engine comments after the moves."""
    return (
        f'[Event "Computer Chess Game"]\n[Round "7"]\n'
        f'[White "{white}"]\n[Black "{black}"]\n[Result "{result}"]\n\n'
        f"1. e4 {{+0.88/5}} e5 {{+0.12/6 0.2}} 2. Qh5\n{{-1000.02/28 0.1}}\n"
        f"{ending} {result}\n\n"
    )


class Endings(unittest.TestCase):
    # (result, last comment, whether the game ended normally)
    CASES = [
        ("0-1", "{Xboard adjudication: Checkmate}", True),
        ("1-0", "{White mates}", True),
        ("1/2-1/2", "{Stalemate}", True),
        ("1/2-1/2", "{Draw by repetition}", True),
        ("1/2-1/2", "{Xboard adjudication: 50-move rule}", True),
        ("1/2-1/2", "{Insufficient mating material}", True),
        ("1-0", "{Black resigns}", True),
        ("1-0", "{White wins on time}", False),
        ("0-1", "{polyglot: resign (illegal engine move by white: a1a8)}", False),
        ("1-0", "{Xboard: Forfeit due to invalid move: e1g3 (e1g3) res=0}", False),
        ("0-1", "{False illegal-move claim}", False),
        ("1-0", "{Xboard adjudication: False draw claim}", False),
        ("0-1", "{White's connection lost}", False),
        ("*", "{xboard exit}", False),
        ("1-0", "{Something unheard of}", False),
        ("1-0", "", False),  # no reason: the last comment is an engine's
    ]

    def test_endings(self):
        for result, ending, normal in self.CASES:
            with self.subTest(ending=ending):
                [(tags, moves)] = summary.read_games(game("A", "B", result, ending))
                comment = summary.result_comment(moves)
                self.assertEqual(comment, ending.strip("{}"))
                self.assertEqual(summary.is_normal(tags["Result"], comment), normal)


class Summary(unittest.TestCase):
    MATCH = (
        game("Q", "F", "1-0", "{Xboard adjudication: Checkmate}")
        + game("F", "Q", "1-0", "{Xboard adjudication: Checkmate}")
        + game("Q", "F", "1/2-1/2", "{Stalemate}")
        + game("F", "Q", "1-0", "{Black wins on time}")
        + game("F", "Q", "0-1", "{Black wins on time}")
    )

    def test_counts_from_the_players_side(self):
        lines, _ = summary.summarise(summary.read_games(self.MATCH), "Q", 5)
        self.assertEqual(lines[0], "games        5 of 5")
        self.assertEqual(lines[1], "Q: won 2, drawn 1, lost 2, score 50.0%")

    def test_lists_the_abnormal_games(self):
        lines, good = summary.summarise(summary.read_games(self.MATCH), "Q", 5)
        self.assertFalse(good)
        self.assertEqual(lines[2:4], ["abnormal     1", "  game 7: F - Q 1-0 {Black wins on time}"])
        self.assertEqual(lines[4], "opponent's   1 (won by the opponent's fault)")

    def test_the_opponents_faults_alone_are_no_failure(self):
        games = summary.read_games(self.MATCH)
        self.assertTrue(summary.summarise(games[:3] + games[4:], "Q", 4)[1])

    def test_good_only_when_normal_and_complete(self):
        normal = summary.read_games(self.MATCH)[:3]
        for wanted, good in [(3, True), (4, False)]:
            with self.subTest(wanted=wanted):
                self.assertEqual(summary.summarise(normal, "Q", wanted)[1], good)

    def test_no_games(self):
        lines, good = summary.summarise(summary.read_games(""), "Q", 1)
        self.assertFalse(good)
        self.assertEqual(lines[0], "games        0 of 1")
        self.assertEqual(lines[-1], "missing      1 (unsaved or unplayed)")


if __name__ == "__main__":
    unittest.main()
