#!/usr/bin/python3
"""Compares the program's digital filters with scipy.signal.lfilter on the
same single-precision data, the coefficients designed here from their
formulas. Two-pass runs lfilter forward, then backward on the reversed
output. Usage: filter_reference.py DRIVER"""

import os
import subprocess
import sys
import tempfile

import numpy as np
from scipy.signal import lfilter
from reference_checks import check, failures

DRIVER = sys.argv[1]


def run(x, y, kind, two_pass, f0=0.0, bandwidth=0.0, ms=0, coefficients=()):
    with tempfile.NamedTemporaryFile(suffix=".bin", delete=False) as f:
        np.concatenate([x, y]).astype(np.float32).tofile(f)
        path = f.name
    args = [DRIVER, path, str(len(x)), str(kind), str(two_pass), repr(f0), repr(bandwidth), str(ms)]
    args += [repr(c) for c in coefficients]
    try:
        out = subprocess.run(args, capture_output=True, text=True, check=True).stdout
    finally:
        os.unlink(path)
    if out.startswith("refused: "):
        return out[len("refused: "):].strip()
    return np.array([float(v) for v in out.split()])


def carleton(f0, dt):
    w = 2 * np.pi * f0 * dt
    c0 = 1 / 1.0201
    c1 = -2 * np.cos(w) / 1.0201
    return [c0, c1, c0, -float(np.float32(1.01)) * c1, -1 / 1.0201]


def press(f0, bandwidth, dt):
    a = np.tan(np.pi * f0 * dt)
    b = bandwidth / f0
    d = (1 + a * b) ** 2 + a * a
    return [(1 + a * a) / d, -2 * (1 - a * a) / d, (1 + a * a) / d,
            2 * (1 - a * a * (1 + b * b)) / d, -((1 - a * b) ** 2 + a * a) / d]


ZERO_FREQUENCY = [1 / 1.01, -1 / 1.01, 0.0, 1 / 1.01, 0.0]


def recursive(k, y):
    return lfilter(k[:3], [1.0, -k[3], -k[4]], y)


def pair(lag):
    b = np.zeros(lag + 1)
    b[0] = b[lag] = 1
    return b, [1.0]


def sharpen(lag, p, q):
    a = np.zeros(lag + 1)
    a[0] = 1
    a[lag] = float(np.float32(q))
    return [float(np.float32(p))], a


CASCADES = {  # option: (pair-sum lags after S_1 and T, sharpening, gain)
    1: ([2], (3, 1.43, 0.43), 12),
    2: ([2, 2, 4], (6, 1.36, 0.36), 48),
    3: ([3, 3, 6], (9, 1.32, 0.32), 48),
    4: ([2, 4, 4, 8], (12, 1.324, 0.324), 96),
}


def cascade(option, y):
    lags, sharp, gain = CASCADES[option]
    stages = [pair(1), ([1.0, 1.0, 1.0], [1.0])] + [pair(k) for k in lags] + [sharpen(*sharp)]
    for b, a in stages:
        y = lfilter(b, a, y)
    return y / gain


def two_pass(f, y):
    return f(f(y)[::-1])[::-1]


def compare(name, ours, reference):
    if isinstance(ours, str):
        check(name, False, ours)
        return
    scale = max(np.max(np.abs(reference)), 1e-30)
    error = np.max(np.abs(ours - reference)) / scale if ours.size == reference.size else np.inf
    check(name + " against scipy.signal.lfilter", error < 2e-5, "relative error %g" % error)


rng = np.random.default_rng(43)
n = 4000
x = (np.arange(n) * 0.002).astype(np.float32)  # 500 Hz sampling
t = x.astype(np.float64)
y = (np.sin(2 * np.pi * 12 * t) + 0.5 * np.sin(2 * np.pi * 60 * t) + 0.3 * rng.standard_normal(n)
     + 2.0).astype(np.float32)
yd = y.astype(np.float64)
dt = (float(x[-1]) - float(x[0])) / (n - 1)

user = [0.2, 0.3, 0.1, 0.5, -0.2]
designs = [
    ("user defined", 0, 0.0, 0.0, user),
    ("Carleton notch at 60 Hz", 1, 60.0, 0.0, carleton(60.0, dt)),
    ("Press notch at 60 Hz, B = 4 Hz", 2, 60.0, 4.0, press(60.0, 4.0, dt)),
    ("zero frequency rejection", 3, 0.0, 0.0, ZERO_FREQUENCY),
]
for name, kind, f0, bandwidth, k in designs:
    given = user if kind == 0 else ()
    compare(name, run(x, y, kind, 0, f0, bandwidth, 0, given), recursive(k, yd))
    compare(name + ", two-pass", run(x, y, kind, 1, f0, bandwidth, 0, given),
            two_pass(lambda v: recursive(k, v), yd))

# Milliseconds: X in milliseconds makes dt a thousandth of the spacing.
xm = (np.arange(n) * 2.0).astype(np.float32)
compare("Carleton notch, X in milliseconds", run(xm, y, 1, 0, 60.0, 0.0, 1),
        recursive(carleton(60.0, (float(xm[-1]) - float(xm[0])) / (n - 1) * 0.001), yd))

for option in range(1, 5):
    compare("option %d low-pass" % option, run(x, y, 3 + option, 0), cascade(option, yd))
    compare("option %d low-pass, two-pass" % option, run(x, y, 3 + option, 1),
            two_pass(lambda v: cascade(option, v), yd))

nyquist = run(x, y, 1, 0, 250.0)
check("a rejection frequency at the Nyquist frequency is refused",
      nyquist == "The rejection frequency must be greater than zero and less than one-half the "
      "sampling frequency (250 Hertz).", str(nyquist)[:120])

if failures:
    print("%d comparison(s) failed" % len(failures))
    sys.exit(1)
print("all filter comparisons agree")
