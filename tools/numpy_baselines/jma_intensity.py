#!/usr/bin/env python3
"""JMA instrumental intensity baseline in numpy: three components of 30,000
samples at 100 Hz through the same filter chain (rfft, the period-effect, high-cut
and low-cut filters, irfft), vector sum, a0 = the ceil(0.3 rate)-th largest,
I = 2 log10(a0) + 0.94. Prints the median time of a few runs.

With --dump DIR it also writes a synthetic record (DIR/record.f32: NS, EW, UD one
after the other, float32) and numpy's own results for it (DIR/numpy.txt: a0, I,
then the Fourier amplitude spectrum dt |rfft| of NS, one value a line), for
comparison with the C++ core. Not part of the build or the tests."""
import math
import os
import statistics
import sys
import time

import numpy as np

N, RATE = 30000, 100.0


def gain(f):
    g = np.zeros_like(f)
    pos = f > 0
    fp = f[pos]
    y = fp / 10.0
    high = (1 + 0.694 * y**2 + 0.241 * y**4 + 0.0557 * y**6 + 0.009664 * y**8 + 0.00134 * y**10
            + 0.000155 * y**12) ** -0.5
    low = np.sqrt(1 - np.exp(-(fp / 0.5) ** 3))
    g[pos] = np.sqrt(1 / fp) * high * low
    return g


def intensity(ns, ew, ud, rate):
    n = len(ns)
    g = gain(np.fft.rfftfreq(n, 1.0 / rate))
    parts = [np.fft.irfft(np.fft.rfft(c) * g, n) for c in (ns, ew, ud)]
    s = np.sqrt(parts[0] ** 2 + parts[1] ** 2 + parts[2] ** 2)
    count = math.ceil(round(0.3 * rate, 9))
    a0 = np.sort(s)[::-1][count - 1]
    return a0, 2 * math.log10(a0) + 0.94


def synthetic():
    rng = np.random.default_rng(17)
    t = np.arange(N) / RATE
    env = (t / 20.0) * np.exp(1 - t / 20.0)
    comps = []
    for k, amp in enumerate((120.0, 90.0, 40.0)):
        x = amp * env * (np.sin(2 * np.pi * (1.1 + k) * t) + 0.5 * rng.normal(size=N))
        comps.append(x.astype(np.float32))
    return comps


def main():
    args = sys.argv[1:]
    dump = None
    if "--dump" in args:
        dump = args[args.index("--dump") + 1]
    ns, ew, ud = (c.astype(np.float64) for c in synthetic())
    times = []
    for _ in range(20):
        start = time.perf_counter()
        a0, i = intensity(ns, ew, ud, RATE)
        times.append(time.perf_counter() - start)
    print(f"numpy JMA intensity, 3 x {N} samples at {RATE:g} Hz: median {statistics.median(times) * 1000:.2f} ms "
          f"over 20 runs (a0 = {a0:.9g} gal, I = {i:.9g})")
    if dump:
        os.makedirs(dump, exist_ok=True)
        np.concatenate(synthetic()).tofile(os.path.join(dump, "record.f32"))
        amplitude = np.abs(np.fft.rfft(ns)) / RATE
        with open(os.path.join(dump, "numpy.txt"), "w") as f:
            f.write(f"{a0!r}\n{i!r}\n")
            f.writelines(f"{v!r}\n" for v in amplitude)


if __name__ == "__main__":
    main()
