#!/usr/bin/python3
"""numpy's time for what fft_bench times, on the same data.

Prints "name seconds" lines: rfft1048576, rfft1000000, rfft1000003,
smooth1000000."""

import numpy as np

from peer_timing import best


def data(n):
    i = np.arange(n, dtype=np.float64)
    return (np.sin(i * 0.01) + i * 1e-6).astype(np.float32)


def smooth(y, w):
    n = y.size
    m = 2
    while m < max(np.trunc(2 * w + n), n):
        m *= 2
    j = np.arange(n)
    line = ((n - 1 - j) * np.float64(y[0]) + j * np.float64(y[-1])) / (n - 1)
    r = np.fft.rfft(np.concatenate([y - line, np.zeros(m - n)]))
    gain = np.maximum(0.0, 1 - (w / m) ** 2 * np.arange(1, m // 2) ** 2)
    r[1:m // 2] *= gain
    r[m // 2] *= max(0.0, 1 - 0.25 * w * w)
    return (np.fft.irfft(r, m)[:n] + line).astype(np.float32)


for n in (1 << 20, 1000000, 1000003):
    y = data(n)
    print("rfft%d %.6f" % (n, best(lambda: np.fft.rfft(y))))
y = data(1000000)
print("smooth1000000 %.6f" % best(lambda: smooth(y, 20.0)))
