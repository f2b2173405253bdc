#!/usr/bin/python3
"""scipy timing beside integration_bench on the same float32 record: the
velocity and displacement by cumulative_trapezoid applied twice.
Usage: integration_bench.py DATAFILE N OUTFILE; prints "cumulative_trapezoid
<seconds>" and writes the velocity, then the displacement, as float32."""

import sys
import time

import numpy as np
from scipy.integrate import cumulative_trapezoid

path, n, result_path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
data = np.fromfile(path, dtype=np.float32)
x, y = data[0:n], data[n:2 * n]
f32 = np.float32


def integrate():
    # Evenly spaced times in msec; the second integral is of the velocity
    # in g-seconds.
    dx = (x[1] - x[0]) / f32(1000)
    velocity = cumulative_trapezoid(y, dx=dx, initial=0)
    displacement = cumulative_trapezoid(velocity, dx=dx, initial=0)
    return velocity * f32(32.174), displacement * f32(386.088)


def best(function, repeat):
    times = []
    for _ in range(repeat):
        t = time.perf_counter()
        result = function()
        times.append(time.perf_counter() - t)
    return min(times), result


seconds, (velocity, displacement) = best(integrate, 5)
np.concatenate([velocity, displacement]).astype(np.float32).tofile(result_path)
print("cumulative_trapezoid %.6f" % seconds)
