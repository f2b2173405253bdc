#!/usr/bin/python3
"""Compares the program's sort and equal-interval resampling with numpy and
scipy on the same single-precision data. Usage: editing_reference.py DRIVER"""

import sys

import numpy as np
from scipy.interpolate import CubicSpline
from reference_checks import check, failures, driver_output

DRIVER = sys.argv[1]


def run(args, x, y):
    out = driver_output(DRIVER, args, x, y)
    rows = [line.split("\t") for line in out.splitlines() if line.strip()]
    values = np.array([[float(a), float(b)] for a, b in rows])
    return values[:, 0], values[:, 1]


def close(ours, reference, scale):
    # Single-precision results printed with 7 significant digits.
    return np.abs(ours - reference) <= 2e-6 * scale + 6e-7 * np.abs(reference)


rng = np.random.default_rng(15)

# Sort: X ascending with Y carried along (distinct X, so Y is determined).
x = rng.permutation(np.arange(20000, dtype=np.float32) * np.float32(0.37) - 300)
y = rng.standard_normal(x.size).astype(np.float32)
order = np.argsort(x, kind="stable")
sx, sy = run(["sort"], x, y)
check("sort X against numpy.sort", sx.size == x.size and bool(np.all(close(sx, np.sort(x), 0))))
check("sort carries Y (argsort + take)", bool(np.all(close(sy, y[order], 0))))

# Natural cubic spline resampling on an uneven, increasing X.
steps = rng.uniform(0.05, 1.0, 400).astype(np.float32)
x = np.cumsum(steps).astype(np.float32)
y = (np.sin(x / 3.0) * 10 + rng.standard_normal(x.size) * 0.1).astype(np.float32)
for interval in ("0.1", "0.25"):
    gx, gy = run(["equal", "4", interval], x, y)
    # The grid as single-precision values j*d + start (printed with only 7 digits).
    d = float(interval)
    start = np.float32(np.trunc(float(x[0]) / d) * d)
    if start < x[0]:
        start = np.float32(float(start) + d)
    grid = (np.arange(gx.size) * d + float(start)).astype(np.float32).astype(np.float64)
    check("grid of interval %s as printed" % interval, bool(np.all(close(gx, grid, 0))))
    spline = CubicSpline(x.astype(np.float64), y.astype(np.float64), bc_type="natural")
    reference = spline(grid)
    scale = float(np.max(np.abs(y)))
    ok = bool(np.all(close(gy, reference, scale)))
    worst = float(np.max(np.abs(gy - reference)))
    check("spline at interval %s against CubicSpline(natural)" % interval, ok,
          "largest difference %g" % worst)
    first = np.ceil(x[0] / d) * d
    check("grid of interval %s starts at the first multiple inside" % interval,
          abs(gx[0] - first) <= 1e-5 * max(1.0, abs(first)) and bool(np.all(np.diff(gx) > 0)))

# Linear resampling against numpy.interp, falling X included.
gx, gy = run(["equal", "1", "0.5"], x, y)
check("linear against numpy.interp", bool(np.all(close(gy, np.interp(gx, x, y), 10.0))))
gx, gy = run(["equal", "1", "0.5"], x[::-1].copy(), y[::-1].copy())
check("linear on falling X against numpy.interp",
      bool(np.all(close(gy, np.interp(gx, x, y), 10.0))))

print("%d failed" % len(failures))
sys.exit(1 if failures else 0)
