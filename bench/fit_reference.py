#!/usr/bin/python3
"""numpy's time for what fit_bench times, on the same data.

Prints "name seconds" lines: polyfit (order 10).
"""
import sys

import numpy as np

from peer_timing import best

n = int(sys.argv[1]) if len(sys.argv) > 1 else 10_000_000
i = np.arange(n, dtype=np.float64)
x = (-1.0 + 2.0 * i / (n - 1)).astype(np.float32)
y = np.sin(3.0 * x.astype(np.float64)).astype(np.float32)
u, v = x.astype(np.float64), y.astype(np.float64)


print("polyfit %.6f" % best(lambda: np.polyfit(u, v, 10), repeats=2))
