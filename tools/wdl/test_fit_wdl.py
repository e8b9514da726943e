#!/usr/bin/env python3
"""The fit finds the constants that made the results, and reads positions as
the match runner writes them."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fit_wdl  # noqa: E402

KNOWN = (220.0, -160.0, 110.0, 50.0)


def results_of(params):
    """Counts of each result in proportion to the model's chances, on a grid
    of scores and materials: what a great many games would give."""
    data = {}
    for score in range(-600, 601, 20):
        for fraction in (0.1, 0.4, 0.7, 1.0):
            for outcome, chance in zip((1, 0, -1), fit_wdl.probabilities(params, score, fraction)):
                data[(score, fraction, outcome)] = round(2000 * chance)
    return data


class FitTest(unittest.TestCase):
    def test_finds_the_constants_again(self):
        fitted = fit_wdl.fit(results_of(KNOWN))
        for found, known in zip(fitted, KNOWN):
            self.assertAlmostEqual(found, known, delta=3)

    def test_reads_lines_from_the_mover_and_whites_points(self):
        lines = ['4k3/8/8/8/8/8/PPPPPPPP/RNBQK3 w - - 0 1;35;1\n',
                 '4k3/8/8/8/8/8/PPPPPPPP/RNBQK3 b - - 0 1;-33;1\n',
                 'rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1;12;0.5\n',
                 '4k3/8/8/8/8/8/8/4K2R b - - 0 1;-2500;1\n',  # decided long ago
                 'not a position\n']
        self.assertEqual(fit_wdl.read_positions(lines),
                         {(35, 28 / 78, 1): 1, (-35, 28 / 78, -1): 1, (10, 1.0, 0): 1})


if __name__ == '__main__':
    unittest.main()
