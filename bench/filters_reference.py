#!/usr/bin/python3
"""scipy.signal.lfilter's time for what filters_bench times, on the same
data. Prints "name seconds" lines."""
import sys

import numpy as np

from peer_timing import best
from scipy.signal import lfilter

n = int(sys.argv[1]) if len(sys.argv) > 1 else 10_000_000
DT = 0.002
i = np.arange(n, dtype=np.float64)
t = i * DT
y = (np.sin(2 * np.pi * 12 * t) + 0.5 * np.sin(2 * np.pi * 60 * t) + 0.3 * np.sin(i * 0.7315)
     + 2.0).astype(np.float32)


def carleton(f0, dt):
    w = 2 * np.pi * f0 * dt
    c1 = -2 * np.cos(w) / 1.0201
    return [1 / 1.0201, c1, 1 / 1.0201, -float(np.float32(1.01)) * c1, -1 / 1.0201]


def press(f0, bandwidth, dt):
    a = np.tan(np.pi * f0 * dt)
    b = bandwidth / f0
    d = (1 + a * b) ** 2 + a * a
    return [(1 + a * a) / d, -2 * (1 - a * a) / d, (1 + a * a) / d,
            2 * (1 - a * a * (1 + b * b)) / d, -((1 - a * b) ** 2 + a * a) / d]


def recursive(k, v):
    return lfilter(np.array(k[:3], np.float32), np.array([1.0, -k[3], -k[4]], np.float32), v)


designs = {
    "user": [0.2, 0.3, 0.1, 0.5, -0.2],
    "carleton": carleton(60.0, DT),
    "press": press(60.0, 4.0, DT),
    "zero_frequency": [1 / 1.01, -1 / 1.01, 0.0, 1 / 1.01, 0.0],
}
for name, k in designs.items():
    print("%s %.6f" % (name, best(lambda: recursive(k, y))))
k = designs["carleton"]
print("carleton_two_pass %.6f" % best(lambda: recursive(k, recursive(k, y)[::-1])[::-1]))


def lag(k, first, last):
    v = np.zeros(k + 1, np.float32)
    v[0], v[k] = first, last
    return v


CASCADES = {1: ([2], (3, 1.43, 0.43), 12), 2: ([2, 2, 4], (6, 1.36, 0.36), 48),
            3: ([3, 3, 6], (9, 1.32, 0.32), 48), 4: ([2, 4, 4, 8], (12, 1.324, 0.324), 96)}
one = np.ones(1, np.float32)
for option, (lags, (k, p, q), gain) in CASCADES.items():
    stages = [(lag(1, 1, 1), one), (np.ones(3, np.float32), one)]
    stages += [(lag(j, 1, 1), one) for j in lags]
    stages.append((np.array([p], np.float32), lag(k, 1, q)))

    def run():
        v = y
        for b, a in stages:
            v = lfilter(b, a, v)
        return v / np.float32(gain)
    print("option%d %.6f" % (option, best(run)))
