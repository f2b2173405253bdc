#!/usr/bin/python3
"""Compares the program's least-squares curve fit with numpy.polyfit on the
same single-precision data, for every axis scaling, and the generated curve
with numpy.polyval and the back-transform. Usage: check_fit.py DRIVER"""

import os
import subprocess
import sys
import tempfile

import numpy as np
from scipy.stats import norm
from reference_checks import check, failures

DRIVER = sys.argv[1]

LIN, LOG, PROB = "linear", "log10", "probability"
# scale type: (transform of X, transform of Y)
SCALINGS = {1: (LIN, LIN), 2: (LIN, LOG), 3: (LOG, LIN), 4: (LOG, LOG), 5: (LOG, LOG),
            6: (LIN, PROB), 7: (LOG, LIN), 8: (LIN, LIN), 9: (LIN, LIN), 10: (LOG, PROB),
            11: (LIN, LIN), 12: (LIN, LOG), 13: (LIN, PROB)}


def forward(kind, values):
    v = values.astype(np.float64)
    if kind == LOG:
        v = np.log10(v)
    elif kind == PROB:
        v = norm.ppf(v / 100.0)
    return v.astype(np.float32).astype(np.float64)


def backward(kind, values):
    if kind == LOG:
        return 10.0 ** values
    if kind == PROB:
        return norm.cdf(values) * 100.0
    return values


def run(x, y, scale, order, points, lower, upper):
    with tempfile.NamedTemporaryFile(suffix=".bin", delete=False) as f:
        np.concatenate([x, y]).astype(np.float32).tofile(f)
        path = f.name
    try:
        out = subprocess.run([DRIVER, path, str(len(x)), str(scale), str(order), str(points),
                              repr(lower), repr(upper)],
                             capture_output=True, text=True, check=True).stdout
    finally:
        os.unlink(path)
    coefficients, curve, r = [], [], None
    for line in out.splitlines():
        parts = line.split()
        if not parts:
            continue
        if parts[0] == "C":
            coefficients.append(float(parts[2]))
        elif parts[0] == "R":
            r = float(parts[1])
        else:
            curve.append([float(parts[0]), float(parts[1])])
    return np.array(coefficients), r, np.array(curve)


def data_for(uk, vk, rng, n=300):
    if uk == LOG:
        x = np.geomspace(1.0, 100.0, n)
        u = np.log10(x)
    else:
        x = np.linspace(0.5, 3.5, n)
        u = x
    if vk == LOG:
        y = 10.0 ** (0.3 + 0.4 * u - 0.1 * u * u + rng.normal(0, 0.02, n))
    elif vk == PROB:
        y = norm.cdf(-1.2 + 0.8 * u + rng.normal(0, 0.05, n)) * 100.0
    else:
        y = 2.0 - 1.5 * u + 0.7 * u * u + rng.normal(0, 0.1, n)
    return x.astype(np.float32), y.astype(np.float32)


def compare(name, x, y, scale, order, points=50):
    uk, vk = SCALINGS[scale]
    u, v = forward(uk, x), forward(vk, y)
    reference = np.polyfit(u, v, order)[::-1]  # C(0)..C(m)
    lower, upper = float(x.min()), float(x.max())
    ours, r, curve = run(x, y, scale, order, points, lower, upper)
    # The probability deviate is found to 1e-6 of the cumulative value.
    tolerance = 2e-5 if PROB in (uk, vk) else 1e-7
    size = max(1.0, float(np.max(np.abs(reference))))
    worst = float(np.max(np.abs(ours - reference))) if ours.size == reference.size else np.inf
    check("%s: coefficients of order %d against numpy.polyfit" % (name, order),
          worst <= tolerance * size, "largest difference %g" % worst)
    f = np.polyval(reference[::-1], u).astype(np.float32).astype(np.float64)
    sse, sst = np.sum((f - v) ** 2), np.sum(v * v) - np.sum(v) ** 2 / v.size
    expected = 1.0 if sse == 0 else (np.sqrt(1 - sse / sst) if sse < sst else 0.0)
    check("%s: correlation coefficient of order %d" % (name, order),
          r is not None and abs(r - expected) <= 1e-5, "%r against %r" % (r, expected))
    if uk == LOG:
        grid = 10.0 ** np.linspace(np.log10(lower), np.log10(upper), points)
    else:
        grid = np.linspace(lower, upper, points)
    gy = backward(vk, np.polyval(reference[::-1], forward(uk, grid.astype(np.float64))
                                 if uk != LOG else np.log10(grid)))
    ok = curve.shape == (points, 2)
    ok = ok and bool(np.all(np.abs(curve[:, 0] - grid) <= 1e-6 * np.abs(grid) + 1e-7))
    ok = ok and bool(np.all(np.abs(curve[:, 1] - gy) <= 5 * tolerance * np.abs(gy) + 1e-6))
    check("%s: generated curve of order %d against numpy.polyval" % (name, order), ok,
          "largest difference %g" % (float(np.max(np.abs(curve[:, 1] - gy)))
                                     if curve.shape == (points, 2) else np.inf))


rng = np.random.default_rng(44)
for scale, (uk, vk) in SCALINGS.items():
    x, y = data_for(uk, vk, rng)
    for order in (0, 1, 2, 3):
        compare("scale type %d (%s X, %s Y)" % (scale, uk, vk), x, y, scale, order)

# Higher orders on a centred interval, where the power basis is still usable.
x = np.linspace(-1.0, 1.0, 2001).astype(np.float32)
y = (np.sin(3 * x) + rng.normal(0, 0.01, x.size)).astype(np.float32)
for order in (6, 10):
    compare("sine on -1..1", x, y, 1, order, points=101)

print("%d failed" % len(failures))
sys.exit(1 if failures else 0)
