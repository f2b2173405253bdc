#!/usr/bin/python3
"""Compares the record integrals with a float32 trapezoid built on
numpy.cumsum (bit for bit) and with scipy's cumulative_trapezoid, and the
two differentiation methods with a float32 recurrence and numpy.gradient.
Usage: integration_reference.py DRIVER"""

import os
import subprocess
import sys
import tempfile

import numpy as np
from scipy.integrate import cumulative_trapezoid

DRIVER = sys.argv[1]
f32 = np.float32
failures = []


def run(x, y, kind):
    with tempfile.NamedTemporaryFile(suffix=".bin", delete=False) as f:
        np.concatenate([x, y]).astype(f32).tofile(f)
        path = f.name
    try:
        out = subprocess.run([DRIVER, path, str(len(x)), str(kind)],
                             capture_output=True, text=True, check=True).stdout
    finally:
        os.unlink(path)
    return np.array([[float(v) for v in line.split()] for line in out.splitlines()])


def trapezoid32(x, y):
    # Every step rounded to float32; cumsum of float32 adds in order.
    steps = ((np.diff(x) / f32(1000)) * (y[1:] + y[:-1])) * f32(0.5)
    return np.concatenate([[f32(0)], np.cumsum(steps, dtype=f32)])


def check(name, ok):
    if not ok:
        failures.append(name)


rng = np.random.default_rng(17)
n = 4000
x = (np.arange(n) * 0.05).astype(f32)  # msec, 20 kHz
y = (np.sin(x / f32(7)) * f32(3) + rng.normal(0, 0.2, n)).astype(f32)

for kind, factors in ((1, [None]), (3, [f32(32.174), f32(386.088)])):
    got = run(x, y, kind)
    source, want = y, []
    for factor in factors:
        integral = trapezoid32(x, source)
        want.append(integral if factor is None else integral * factor)
        source = integral
    for c, w in enumerate(want):
        check(f"type {kind} integral {c + 1} bit for bit", np.array_equal(got[:, c].astype(f32), w))
    velocity = cumulative_trapezoid(y.astype(float), x.astype(float) / 1000, initial=0)
    scale = 1.0 if kind == 1 else 32.174
    check(f"type {kind} against scipy",
          np.allclose(got[:, 0], velocity * scale, rtol=1e-4, atol=1e-4 * np.abs(velocity * scale).max()))

got = run(x, y, 4)
slope1, slope2 = got[:, 0].astype(f32), got[:, 1]
d = np.empty(n, dtype=f32)
d[0] = f32(0)
dx = np.diff(x)
for i in range(1, n):
    d[i] = f32(f32(f32(2) * f32(y[i] - y[i - 1])) / dx[i - 1]) - d[i - 1]
check("method 1 recurrence bit for bit", np.array_equal(slope1, d))
gradient = np.gradient(y.astype(float), float(x[1] - x[0]), edge_order=2)
check("method 2 against numpy.gradient",
      np.allclose(slope2, gradient, rtol=1e-3, atol=1e-3 * np.abs(gradient).max()))

if failures:
    print("FAILED:", ", ".join(failures))
    sys.exit(1)
print("integration and differentiation agree with numpy and scipy")
