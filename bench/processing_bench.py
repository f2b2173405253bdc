#!/usr/bin/python3
"""numpy/scipy timings beside processing_bench on the same data.
Usage: processing_bench.py DATAFILE N INTERVAL START FIDELITY; prints "<name> <seconds>"."""

import sys
import time

import numpy as np
from scipy.interpolate import CubicSpline

path, n = sys.argv[1], int(sys.argv[2])
interval, start, fidelity = float(sys.argv[3]), float(sys.argv[4]), float(sys.argv[5])
data = np.fromfile(path, dtype=np.float32)
sort_x, sort_y = data[0:n], data[n:2 * n]
curve_x, curve_y = data[2 * n:3 * n], data[3 * n:4 * n]


def best(function, repeat):
    times = []
    for _ in range(repeat):
        t = time.perf_counter()
        function()
        times.append(time.perf_counter() - t)
    return min(times)


def sort():
    order = np.argsort(sort_x)
    return np.take(sort_x, order), np.take(sort_y, order)


def spline():
    x64, y64 = curve_x.astype(np.float64), curve_y.astype(np.float64)
    count = int(np.floor((float(curve_x[-1]) - start) / interval)) + 1
    grid = (np.arange(count) * interval + start).astype(np.float32)
    return CubicSpline(x64, y64, bc_type="natural")(grid).astype(np.float32)


def deviation_pass():
    # One vectorised pass of what depopulation computes per point (the
    # scheme itself is sequential): the deviation from a line, against f*R.
    spread = float(curve_y.max() - curve_y.min())
    slope = (float(curve_y[-1]) - float(curve_y[0])) / (float(curve_x[-1]) - float(curve_x[0]))
    return np.abs(curve_y - (slope * curve_x + float(curve_y[0]))) > fidelity / 100 * spread


def average_all():
    # Curve 2 is curve 1 half a step later and half as high (as the bench
    # makes it); the average takes it where it reaches curve 1's X.
    x2, y2 = curve_x + np.float32(0.5), curve_y * np.float32(0.5)
    inside = (curve_x >= x2[0]) & (curve_x <= x2[-1])
    value = np.interp(curve_x, x2, y2)
    return ((curve_y + np.where(inside, value, 0.0)) / (1.0 + inside)).astype(np.float32)


print("sort %.6f" % best(sort, 3))
print("spline %.6f" % best(spline, 1))
print("depopulation %.6f" % best(deviation_pass, 3))
print("average %.6f" % best(average_all, 3))
