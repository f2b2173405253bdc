#!/usr/bin/python3
"""numpy's time for what analysis_bench times, on the same data.

Prints "name seconds" lines: histogram, polyval.
"""
import sys

import numpy as np

from peer_timing import best

n = int(sys.argv[1]) if len(sys.argv) > 1 else 10_000_000
i = np.arange(n, dtype=np.float64)
x1 = (i * 1e-3).astype(np.float32)
y1 = np.sin(i * 1e-3).astype(np.float32)


def histogram():
    w = 0.01
    lower = np.floor(y1.min() / w) * w
    upper = np.ceil(y1.max() / w) * w + w
    return np.histogram(y1, bins=int(round((upper - lower) / w)), range=(lower, upper))


c = [0.5, -1.25, 0.75, 0.1, -0.02, 0.003, 0.0, 1e-4, -2e-6]
print("histogram %.6f" % best(histogram))
print("polyval %.6f" % best(lambda: np.polyval(c[::-1], y1).astype(np.float32)))
