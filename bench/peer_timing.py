"""The best time of a few runs, shared by the numpy/scipy sides of the benchmarks."""

import time


def best(run, repeats=3):
    times = []
    for _ in range(repeats):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return min(times)
