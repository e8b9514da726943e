#!/usr/bin/env python3
"""Fits the engine's win/draw/loss model to positions of its own games.

Each input line is FEN;centipawns for the side to move;White's points (1,
0.5 or 0), as quillmate-arena --positions writes them. For a score s in a
position with material m (pawn 1, knight and bishop 3, rook 5, queen 9, both
sides, at most 78), the model gives

    win  = 1 / (1 + exp(-(s - a) / b))
    loss = 1 / (1 + exp(-(-s - a) / b))
    draw = 1 - win - loss,  with  a = a0 + a1 * m / 78,  b = b0 + b1 * m / 78,

so the expected result is even at s = 0 and grows with s. The four numbers
are chosen by maximum likelihood (Nelder-Mead on the log-likelihood) and
written as a C++ header.

Usage: fit_wdl.py POSITIONS [--out chess/wdl_model.h] [--games N]
"""
import argparse
import math
import sys

MATERIAL = {'p': 1, 'n': 3, 'b': 3, 'r': 5, 'q': 9}
FULL_MATERIAL = 78
LARGEST_SCORE = 2000  # beyond this the game is decided; such lines add nothing
SCORE_STEP = 5


def read_positions(lines):
    """{(score, material fraction, outcome): count}: outcome 1 win, 0 draw, -1
    loss for the side to move; scores to the nearest SCORE_STEP centipawns, so
    that the likelihood sums over far fewer terms than there are positions."""
    data = {}
    for line in lines:
        fields = line.strip().split(';')
        if len(fields) != 3:
            continue
        fen, score, points = fields
        board, side = fen.split()[:2]
        material = sum(MATERIAL.get(c.lower(), 0) for c in board)
        white = {'1': 1, '0.5': 0, '0': -1}[points]
        score = int(score)
        if abs(score) > LARGEST_SCORE:
            continue
        key = (SCORE_STEP * round(score / SCORE_STEP), min(material, FULL_MATERIAL) / FULL_MATERIAL,
               white if side == 'w' else -white)
        data[key] = data.get(key, 0) + 1
    return data


def probabilities(params, score, fraction):
    a0, a1, b0, b1 = params
    a, b = a0 + a1 * fraction, b0 + b1 * fraction
    win = 1 / (1 + math.exp(max(-50.0, min(50.0, -(score - a) / b))))
    loss = 1 / (1 + math.exp(max(-50.0, min(50.0, -(-score - a) / b))))
    return win, 1 - win - loss, loss


def log_likelihood(params, data):
    a0, a1, b0, b1 = params
    if min(a0, a0 + a1, b0, b0 + b1) <= 1:
        return -math.inf  # no room for draws, or a model that is not a slope
    total = 0.0
    for (score, fraction, outcome), count in data.items():
        win, draw, loss = probabilities(params, score, fraction)
        chance = win if outcome > 0 else loss if outcome < 0 else draw
        total += count * math.log(max(chance, 1e-12))
    return total


def nelder_mead(f, start, step, rounds=600):
    """Minimises f from start; simplex of start and start + step along each axis."""
    points = [list(start)]
    for i in range(len(start)):
        point = list(start)
        point[i] += step[i]
        points.append(point)
    values = [f(p) for p in points]
    for _ in range(rounds):
        order = sorted(range(len(points)), key=lambda i: values[i])
        points, values = [points[i] for i in order], [values[i] for i in order]
        centre = [sum(p[i] for p in points[:-1]) / (len(points) - 1) for i in range(len(start))]

        def towards(t):
            return [c + t * (w - c) for c, w in zip(centre, points[-1])]

        reflected = towards(-1)
        value = f(reflected)
        if value < values[0]:
            expanded = towards(-2)
            expanded_value = f(expanded)
            points[-1], values[-1] = (expanded, expanded_value) if expanded_value < value \
                else (reflected, value)
        elif value < values[-2]:
            points[-1], values[-1] = reflected, value
        else:
            contracted = towards(0.5)
            contracted_value = f(contracted)
            if contracted_value < values[-1]:
                points[-1], values[-1] = contracted, contracted_value
            else:
                points = [points[0]] + [[b + 0.5 * (p - b) for p, b in zip(q, points[0])]
                                        for q in points[1:]]
                values = [values[0]] + [f(p) for p in points[1:]]
    best = min(range(len(points)), key=lambda i: values[i])
    return points[best]


def fit(data):
    return nelder_mead(lambda p: -log_likelihood(p, data), [150, 50, 80, 20], [40, 40, 20, 20])


def header(params, positions, games):
    a0, a1, b0, b1 = params
    return f"""// The win/draw/loss model's numbers, fitted by tools/wdl/fit_wdl.py to
// {positions} positions of {games} of the engine's own games (see
// tools/wdl/README.md). Generated: rerun the recipe rather than edit.
#pragma once

namespace chess {{

// With m the material on the board as a fraction of the initial material,
// a = WDL_CENTER[0] + WDL_CENTER[1] * m and b = WDL_SPREAD[0] + WDL_SPREAD[1] * m.
constexpr double WDL_CENTER[2] = {{{a0:.1f}, {a1:.1f}}};
constexpr double WDL_SPREAD[2] = {{{b0:.1f}, {b1:.1f}}};

}}  // namespace chess
"""


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('positions')
    parser.add_argument('--out', default='chess/wdl_model.h')
    parser.add_argument('--games', type=int, default=0, help='games the positions come from')
    args = parser.parse_args()
    with open(args.positions) as lines:
        data = read_positions(lines)
    if not data:
        sys.exit('fit_wdl.py: no positions in ' + args.positions)
    params = fit(data)
    with open(args.out, 'w') as out:
        out.write(header(params, sum(data.values()), args.games))
    for score in (0, 50, 100, 200, 400):
        print(score, ' '.join(f'{round(1000 * x)}' for x in probabilities(params, score, 0.5)))


if __name__ == '__main__':
    main()
