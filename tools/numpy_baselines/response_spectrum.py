#!/usr/bin/env python3
"""Response spectrum baseline in numpy: the same exact piecewise-linear recursion
(Nigam and Jennings), 30,000 samples at dt = 0.01 s, the 200 default periods from
0.02 to 10 s, damping 0.05. A Python loop over time steps, vectorised over the
periods (grouped by their sub-step count ceil(10 dt / T)). Prints the median time
of a few runs. Not part of the build or the tests."""
import math
import statistics
import sys
import time

import numpy as np

N, DT, ZETA = 30000, 0.01, 0.05


def periods():
    return np.exp(np.linspace(math.log(0.02), math.log(10.0), 200))


def substeps(t):
    r = 10.0 * DT / t
    near = np.round(r)
    whole = np.where(np.abs(r - near) <= 1e-9 * near, near, np.ceil(r))
    return np.maximum(whole, 1).astype(int)


def coefficients(w, z, h):
    root = math.sqrt(1 - z * z)
    wd = w * root
    e = np.exp(-z * w * h)
    s, c = np.sin(wd * h), np.cos(wd * h)
    zr = z / root
    a11 = e * (zr * s + c)
    a12 = e * s / wd
    a21 = -w / root * e * s
    a22 = e * (c - zr * s)
    w2 = w * w
    p = (2 * z * z - 1) / (w2 * h)
    q = 2 * z / (w2 * w * h)
    sd = s / wd
    cz = c - zr * s
    dz = wd * s + z * w * c
    b11 = e * ((p + z / w) * sd + (q + 1 / w2) * c) - q
    b12 = -e * (p * sd + q * c) - 1 / w2 + q
    b21 = e * ((p + z / w) * cz - (q + 1 / w2) * dz) + 1 / (w2 * h)
    b22 = -e * (p * cz - q * dz) - 1 / (w2 * h)
    return a11, a12, a21, a22, b11, b12, b21, b22


def spectrum(ag):
    t = periods()
    m_all = substeps(t)
    sd = np.zeros_like(t)
    sv = np.zeros_like(t)
    sa = np.zeros_like(t)
    for m in np.unique(m_all):
        sel = m_all == m
        w = 2 * math.pi / t[sel]
        a11, a12, a21, a22, b11, b12, b21, b22 = coefficients(w, ZETA, DT / m)
        x = np.zeros_like(w)
        v = np.zeros_like(w)
        pd = np.zeros_like(w)
        pv = np.zeros_like(w)
        pa = np.zeros_like(w)
        c1, c2 = 2 * ZETA * w, w * w
        for i in range(len(ag) - 1):
            g0, g1 = ag[i], ag[i + 1]
            gs = g0
            for j in range(1, m + 1):
                ge = g1 if j == m else g0 + (g1 - g0) * j / m
                x, v = a11 * x + a12 * v + (b11 * gs + b12 * ge), a21 * x + a22 * v + (b21 * gs + b22 * ge)
                np.maximum(pd, np.abs(x), out=pd)
                np.maximum(pv, np.abs(v), out=pv)
                np.maximum(pa, np.abs(c1 * v + c2 * x), out=pa)
                gs = ge
        sd[sel], sv[sel], sa[sel] = pd, pv, pa
    return t, sd, sv, sa


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 3
    rng = np.random.default_rng(5)
    ag = rng.normal(0.0, 80.0, N).astype(np.float32).astype(np.float64)
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        spectrum(ag)
        times.append(time.perf_counter() - start)
    print(f"numpy response spectrum, {N} samples x 200 periods, damping {ZETA}: "
          f"median {statistics.median(times) * 1000:.0f} ms over {runs} runs")


if __name__ == "__main__":
    main()
