#!/usr/bin/env python3
"""Writes the bundled sample records in examples/.

Three components of an earthquake-like ground acceleration in gal, 60 s at 100
samples per second: band-limited noise under a rise-and-decay envelope. Headers are
Shift-JIS (CP932), as the instruments' own files are. The seed is fixed, so the files
are the same on every run.
"""
import math
import os
import random

RATE = 100
SECONDS = 60
COUNT = RATE * SECONDS
HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "examples")


def envelope(t):
    rise, hold, decay = 4.0, 9.0, 0.12
    if t < rise:
        return (t / rise) ** 2
    if t < rise + hold:
        return 1.0
    return math.exp(-decay * (t - rise - hold))


def component(rng, peak, dominant_hz):
    # A sum of damped oscillators around a dominant frequency, shaped by the envelope.
    waves = [(dominant_hz * rng.uniform(0.5, 2.2), rng.uniform(0, 2 * math.pi), rng.uniform(0.3, 1.0))
             for _ in range(24)]
    raw = []
    for i in range(COUNT):
        t = i / RATE
        v = sum(a * math.sin(2 * math.pi * f * t + p) for f, p, a in waves)
        v += rng.gauss(0.0, 0.8)
        raw.append(v * envelope(t))
    scale = peak / max(abs(v) for v in raw)
    return [v * scale for v in raw]


def write(path, header_lines, columns):
    with open(path, "wb") as f:
        for line in header_lines:
            f.write(",".join(line).encode("cp932") + b"\r\n")
        for i in range(COUNT):
            f.write(",".join("%.4f" % c[i] for c in columns).encode("ascii") + b"\r\n")


def main():
    rng = random.Random(20111220)
    ns = component(rng, 182.6, 1.6)
    ew = component(rng, 147.3, 1.9)
    ud = component(rng, 88.4, 3.1)
    columns = [ns, ew, ud]
    os.makedirs(OUT, exist_ok=True)
    write(os.path.join(OUT, "sample_standard.csv"),
          [["ACC-NS", "ACC-EW", "ACC-UD"],
           ["1階床 NS", "1階床 EW", "1階床 UD"],
           ["観測記録 2011-03", "観測記録 2011-03", "観測記録 2011-03"],
           ["gal", "gal", "gal"]],
          columns)
    write(os.path.join(OUT, "sample_edefence.csv"),
          [["E-Defence 震動台実験 加振ケース03 計測開始 2011/12/20 13:05:00"],
           ["震動台 X", "震動台 Y", "震動台 Z"],
           ["gal", "gal", "gal"]],
          columns)


if __name__ == "__main__":
    main()
