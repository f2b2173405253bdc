#!/usr/bin/python3
"""Compares the curve analysis of the program with numpy on the same data.

Usage: check_analysis.py BUILD/tests/reference/analysis_driver

The driver runs the program's own operation code on curves written here
and writes its result; numpy computes the same from the same
single-precision values. Prints one line per check and exits non-zero on
any disagreement.
"""
import atexit
import os
import shutil
import subprocess
import sys
import tempfile

import numpy as np
from reference_checks import check, failures

DRIVER = sys.argv[1] if len(sys.argv) > 1 else "build/native/tests/reference/analysis_driver"
WORK = tempfile.mkdtemp(prefix="merva-analysis-")
atexit.register(shutil.rmtree, WORK, True)
rng = np.random.default_rng(15)

SCALE_LINEAR, SCALE_LOG_LOG, SCALE_LOG_LINEAR, SCALE_LINEAR_LOG = 1, 4, 3, 2


def f32(values):
    return np.asarray(values, dtype=np.float32)


def run(op, curves, args=(), scale=SCALE_LINEAR):
    source = os.path.join(WORK, "in.txt")
    result = os.path.join(WORK, "out.txt")
    with open(source, "w") as f:
        f.write("scale %d\n" % scale)
        for x, y in curves:
            f.write("curve\n")
            for a, b in zip(f32(x), f32(y)):
                f.write("%.9g %.9g\n" % (a, b))
    subprocess.run([DRIVER, op, source, result] + ["%.17g" % a for a in args], check=True)
    with open(result) as f:
        return f.read()


def columns(text):
    rows = [line.split() for line in text.splitlines() if line and line[0] != "t"]
    data = np.array(rows, dtype=np.float64).reshape(-1, 2)
    return data[:, 0], data[:, 1]


def close(name, ours, theirs, rtol, atol=0.0):
    # Exact comparisons are of single-precision values, which "%.9g" keeps.
    kind = np.float32 if rtol == 0 and atol == 0 else np.float64
    ours, theirs = np.asarray(ours, dtype=kind), np.asarray(theirs, dtype=kind)
    if ours.shape != theirs.shape:
        check(name, False, "shapes %s and %s" % (ours.shape, theirs.shape))
        return
    bad = ~np.isclose(ours, theirs, rtol=rtol, atol=atol, equal_nan=True)
    check(name, not bad.any(),
          "%d of %d differ, first at %s: %r vs %r" % (bad.sum(), bad.size, np.argmax(bad),
                                                     ours[bad][:1], theirs[bad][:1]))


def reference_interp(xq, x, y, log_x, log_y):
    x, y = f32(x).astype(np.float64), f32(y).astype(np.float64)
    tx = np.log10(x) if log_x else x
    ty = np.log10(y) if log_y else y
    q = np.log10(xq) if log_x else xq
    v = np.interp(q, tx, ty)
    v = 10.0 ** v if log_y else v
    return np.where((xq < x[0]) | (xq > x[-1]), np.nan, v)


# --- the shared interpolation routine, on each kind of axis ---
x1 = np.sort(rng.uniform(1.0, 1000.0, 400))
y1 = rng.uniform(0.5, 50.0, 400)
x2 = np.linspace(0.5, 2000.0, 57)
y2 = rng.uniform(1.0, 9.0, 57)
queries = np.concatenate([rng.uniform(0.1, 2100.0, 300), f32(x1[:5]), [x1[0], x2[-1], 0.25]])
for scale, log_x, log_y, name in [(SCALE_LINEAR, False, False, "linear"),
                                  (SCALE_LOG_LOG, True, True, "log-log"),
                                  (SCALE_LOG_LINEAR, True, False, "log X"),
                                  (SCALE_LINEAR_LOG, False, True, "log Y")]:
    text = run("interp", [(x1, y1), (x2, y2)], queries, scale)
    ours = np.array([[float(v) for v in line.split()] for line in text.splitlines()])
    theirs = np.stack([reference_interp(queries, x1, y1, log_x, log_y),
                       reference_interp(queries, x2, y2, log_x, log_y)], axis=1)
    close("interpolation on %s axes vs numpy.interp" % name, ours, theirs, rtol=1e-9, atol=1e-12)

# A decreasing curve gives the same values as its increasing mirror.
text = run("interp", [(x2[::-1], y2[::-1])], queries)
ours = np.array([float(line) for line in text.split()])
close("interpolation on a decreasing curve", ours, reference_interp(queries, x2, y2, False, False),
      rtol=1e-9, atol=1e-12)

# --- average of all curves: curve 1's X, the others where they reach ---
base_x = np.linspace(0.0, 100.0, 1001)
curves = [(base_x, np.sin(base_x / 7.0)),
          (np.linspace(50.0, 150.0, 333), rng.normal(size=333)),
          (np.sort(rng.uniform(-10.0, 60.0, 90)), rng.normal(size=90))]
x, y = columns(run("average", curves))
sums = f32(curves[0][1]).astype(np.float64)
counts = np.ones_like(sums)
for cx, cy in curves[1:]:
    cx, cy = f32(cx).astype(np.float64), f32(cy).astype(np.float64)
    inside = (f32(base_x) >= cx[0]) & (f32(base_x) <= cx[-1])
    sums += np.where(inside, np.interp(f32(base_x), cx, cy), 0.0)
    counts += inside
close("average X is curve 1's X", x, f32(base_x), rtol=0)
close("average of all curves vs numpy.interp", y, f32(sums / counts), rtol=2e-7, atol=1e-7)

# --- Y3 = f(Y1, Y2) on the overlap, each operator ---
a = (np.linspace(0.0, 10.0, 101), rng.uniform(-3.0, 3.0, 101))
b = (np.linspace(5.0, 20.0, 31), rng.uniform(1.0, 2.0, 31))
inside = (f32(a[0]) >= 5.0) & (f32(a[0]) <= 20.0)
ax, ay = f32(a[0])[inside].astype(np.float64), f32(a[1])[inside].astype(np.float64)
bv = np.interp(ax, f32(b[0]).astype(np.float64), f32(b[1]).astype(np.float64))
for code, name, expected in [(1, "+", ay + bv), (2, "-", ay - bv), (3, "*", ay * bv),
                             (4, "/", ay / bv)]:
    x, y = columns(run("funcy", [a, b], [1, 2, code]))
    close("Y1 %s Y2 X values on the overlap" % name, x, ax, rtol=0)
    close("Y1 %s Y2 vs numpy.interp" % name, y, f32(expected), rtol=2e-7, atol=1e-7)
check("curves that do not overlap are refused with message 97",
      run("funcy", [a, (np.array([30.0, 40.0]), np.array([1.0, 1.0]))], [1, 2, 1])
      .startswith("refused\nCurves do not overlap"))
check("a zero divisor is refused",
      "divisor curve are equal to 0" in run("funcy", [a, (np.array([0.0, 10.0]), np.array([-1.0, 1.0]))],
                                             [1, 2, 4]))
check("a curve number out of range is refused", run("funcy", [a, b], [1, 3, 1]).startswith("refused"))

# --- polynomial transformation by Horner's rule in single precision ---
c = np.array([0.5, -1.25, 0.75, 0.1, -0.02, 0.003, 0.0, 1e-4, -2e-6])
py = rng.uniform(-4.0, 4.0, 500)
x, y = columns(run("poly", [(np.arange(500.0), py)], [1] + list(c)))
close("polynomial vs numpy.polyval", y, np.polyval(c[::-1], f32(py).astype(np.float64)),
      rtol=1e-5, atol=1e-5)
horner = np.full(len(py), c[8], dtype=np.float32)
for k in range(7, -1, -1):
    horner = (horner.astype(np.float64) * f32(py).astype(np.float64) + c[k]).astype(np.float32)
close("polynomial step by step in single precision", y, horner, rtol=0)

# --- histogram counts ---
for n, w in [(1000, 0.25), (8, 2.0), (5000, 0.5)]:
    hy = f32(rng.normal(3.0, 2.0, n))
    text = run("histogram", [(np.arange(float(n)), hy)], [1, w])
    x, counts = columns(text)
    lower = np.floor(hy.min() / w) * w
    edges = lower + w * np.arange(len(x) + 1)
    theirs, _ = np.histogram(hy.astype(np.float64), bins=edges)
    close("histogram of %d points, interval %g: class limits" % (n, w), x, f32(edges[:-1]), rtol=0)
    check("histogram of %d points, interval %g vs numpy.histogram" % (n, w),
          np.array_equal(counts, theirs) and counts.sum() == n,
          "ours %s, numpy %s" % (counts[:12], theirs[:12]))
    m, s = hy.astype(np.float64).mean(), hy.astype(np.float64).std()
    title = [line for line in text.splitlines() if line.startswith("title2")][0]
    fields = dict(part.split("=") for part in title[len("title2 "):].split(", "))
    close("histogram statistics of %d points" % n,
          [float(fields["Mean"]), float(fields["Standard Deviation"]), float(fields["Skewness"])],
          [m, s, ((hy - m) ** 3).mean() / s ** 3], rtol=1e-6, atol=1e-7)
check("a histogram interval of 0 is refused",
      run("histogram", [(np.arange(3.0), np.arange(3.0))], [1, 0.0]).startswith("refused"))

# --- bad input through the same paths ---
check("average with 100 curves present is refused",
      run("average", [(np.arange(2.0), np.arange(2.0))] * 100).startswith("refused"))
text = run("average", [(np.array([1.0]), np.array([5.0])), (np.array([1.0, 2.0]), np.array([7.0, 9.0]))])
check("average of a one-point curve", text.split() == ["1", "6"], text)
text = run("interp", [(np.array([0.0, 1.0, 2.0]), np.array([0.0, np.nan, np.inf]))], [0.5, 1.5, 2.0])
check("NaN and infinite values interpolate without a crash",
      text.split() == ["nan", "nan", "inf"], text)

print("%d checks failed" % len(failures) if failures else "all checks agree with numpy")
sys.exit(1 if failures else 0)
