#!/usr/bin/python3
"""Compares the program's FFT spectra (padded and unpadded paths) and FFT
smoothing with numpy on the same single-precision data.
Usage: fft_reference.py DRIVER"""

import sys

import numpy as np
from reference_checks import check, failures, driver_output

DRIVER = sys.argv[1]


def run(args, x, y):
    out = driver_output(DRIVER, args, x, y)
    return np.loadtxt(out.splitlines(), ndmin=2)


def reference_spectrum(y, unpadded):
    """Amplitudes, phases and transform length as the program defines them."""
    n = y.size
    y = y.astype(np.float64)
    if unpadded and n & (n - 1):
        r = np.fft.rfft(y)
        c, s = r.real, -r.imag
        a, b = 2 * c / n, 2 * s / n
        a[0] = c[0] / n
        b[0] = 0
        if n % 2 == 0:
            a[-1], b[-1] = c[-1] / n, 0
        amplitude = np.hypot(a, b)
        amplitude[0] = 2 * a[0]
        phase = np.arctan2(b, a)
        phase[0] = 0
        return amplitude, phase, n
    p = 1 << max(1, (n - 1).bit_length())
    r = np.fft.rfft(np.concatenate([y, np.zeros(p - n)]))
    c, s = r.real, -r.imag
    m = p // 2 + 1
    amplitude = np.hypot(c, s) / m
    amplitude[-1] = c[-1] / m
    phase = np.arctan2(s, c)
    phase[0] = phase[-1] = 0
    return amplitude, phase, p


def compare_fft(name, x, y, options):
    unpadded = bool(options & 2)
    ours = run(["fft", str(options)], x, y)
    amplitude, phase, length = reference_spectrum(y, unpadded)
    dt = np.float32((x[-1] - x[0]) / np.float32(x.size - 1))
    frequency = np.arange(amplitude.size) / ((length - 1) * np.float64(dt))
    if ours.shape[0] != amplitude.size:
        check(name, False, "%d points, numpy %d" % (ours.shape[0], amplitude.size))
        return
    peak = np.max(np.abs(amplitude))
    error = np.max(np.abs(ours[:, 1] - amplitude)) / peak
    check(name + " amplitudes (rel. error %.1e)" % error, error < 2e-5)
    fok = np.allclose(ours[:, 0], frequency, rtol=1e-6, atol=1e-6 * frequency[-1])
    check(name + " frequencies", fok)
    if options & 4:
        strong = np.abs(amplitude) > 1e-2 * peak
        d = np.angle(np.exp(1j * (ours[strong, 2] - phase[strong])))
        check(name + " phases (max error %.1e rad)" % np.max(np.abs(d)), np.max(np.abs(d)) < 1e-3)


def reference_smooth(y, w):
    n = y.size
    y = y.astype(np.float64)
    m = 2
    while m < max(np.trunc(2 * w + n), n):
        m *= 2
    j = np.arange(n)
    line = ((n - 1 - j) * y[0] + j * y[-1]) / (n - 1)
    r = np.fft.rfft(np.concatenate([y - line, np.zeros(m - n)]))
    harmonics = np.arange(1, m // 2)
    gain = np.maximum(0.0, 1 - (w / m) ** 2 * harmonics ** 2)
    first_zero = np.argmax(gain == 0) if np.any(gain == 0) else gain.size
    gain[first_zero:] = 0
    r[1:m // 2] *= gain
    r[m // 2] *= max(0.0, 1 - 0.25 * w * w)
    return np.fft.irfft(r, m)[:n] + line


rng = np.random.default_rng(42)
for n, options in [(1024, 6), (1000, 4), (1000, 6), (1001, 6), (997, 6), (1018, 6), (2, 6), (3, 6),
                   (1 << 20, 0), (1000003, 2)]:
    # float32 X of 0.001 steps would not stay evenly spaced beyond a few thousand points
    x = (np.arange(n) * (0.001 if n < 10000 else 0.25)).astype(np.float32)
    t = np.arange(n)
    y = (rng.standard_normal(n) + 3 * np.sin(2 * np.pi * 50 * t / 1000.0) + 1.25).astype(np.float32)
    compare_fft("FFT N=%d options=%d" % (n, options), x, y, options)

for n, w in [(500, 0.0), (500, 20.0), (1000, 7.5), (3, 2.0), (257, 60.0)]:
    x = (np.arange(n) * 0.5).astype(np.float32)
    y = (np.cumsum(rng.standard_normal(n)) + 0.3 * np.arange(n)).astype(np.float32)
    ours = run(["smooth", repr(w)], x, y)
    reference = reference_smooth(y, w)
    scale = np.max(np.abs(y))
    error = np.max(np.abs(ours[:, 1] - reference)) / scale
    check("smoothing N=%d w=%g (rel. error %.1e)" % (n, w, error),
          ours.shape[0] == n and error < 2e-5)

if failures:
    print("%d comparison(s) failed" % len(failures))
    sys.exit(1)
