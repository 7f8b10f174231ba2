#!/usr/bin/env python3
"""Writes the bundled sample records in examples/.

Three components of an earthquake-like ground acceleration in gal, 60 s at 100
samples per second: band-limited noise under a rise-and-decay envelope. Headers are
Shift-JIS (CP932), as the instruments' own files are. The seed is fixed, so the files
are the same on every run.

examples/network/ holds synthetic records in the recording networks' own layouts:
a K-NET triplet, a KiK-net record of six files, a JMA CSV file and four PEER AT2
files (three components of one station and one file of another event).
examples/seismology/ holds a SAC triplet, a MiniSEED file and a WIN32 file with its
channel table (see seismology_examples.py), which also writes the fuzzers' seeds.
"""
import json
import math
import os
import random
import sys

import seismology_examples

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


def component(rng, peak, dominant_hz, count=COUNT, rate=RATE):
    # A sum of damped oscillators around a dominant frequency, shaped by the envelope.
    waves = [(dominant_hz * rng.uniform(0.5, 2.2), rng.uniform(0, 2 * math.pi), rng.uniform(0.3, 1.0))
             for _ in range(24)]
    raw = []
    for i in range(count):
        t = i / rate
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
    write_network_examples(os.path.join(OUT, "network"))
    seismology_examples.write(os.path.join(OUT, "seismology"), os.path.join(HERE, "..", "fuzz", "corpus"),
                              lambda peak, hz, count, rate: component(random.Random(int(peak * 10)), peak, hz, count, rate))


# --- the recording networks' layouts ---

NETWORK_RATE = 100
NETWORK_COUNT = 40 * NETWORK_RATE
KNET_LABELS = ["Origin Time", "Lat.", "Long.", "Depth. (km)", "Mag.", "Station Code", "Station Lat.",
               "Station Long.", "Station Height(m)", "Record Time", "Sampling Freq(Hz)", "Duration Time(s)",
               "Dir.", "Scale Factor", "Max. Acc. (gal)", "Last Correction", "Memo."]
# Newer files spell two labels differently.
KIKNET_LABELS = [{"Long.": "Lon.", "Max. Acc. (gal)": "Max Acc. (gal)"}.get(label, label)
                 for label in KNET_LABELS]
SCALE_NUM, SCALE_DEN = 7845, 8223790


def knet_file(path, labels, station, direction, gal, eol, position=("35.601", "139.322"), origin=None):
    counts = [round(v * SCALE_DEN / SCALE_NUM) for v in gal]
    values = [c * SCALE_NUM / SCALE_DEN for c in counts]
    mean = sum(values) / len(values)
    peak = max(abs(v - mean) for v in values)
    event = origin or ("2000/01/01 12:00:00", "35.512", "139.408", "24", "5.8")
    header = [*event, station, position[0], position[1], "42",
              "2000/01/01 12:00:09", "%dHz" % NETWORK_RATE, "%d" % (len(counts) // NETWORK_RATE), direction,
              "%d(gal)/%d" % (SCALE_NUM, SCALE_DEN), "%.3f" % peak, "2000/01/01 12:00:09", ""]
    with open(path, "wb") as f:
        for label, value in zip(labels, header):
            f.write(("%-18s%s" % (label, value)).rstrip(" ").encode("ascii") + eol)
        for start in range(0, len(counts), 8):
            f.write("".join("%9d" % c for c in counts[start:start + 8]).encode("ascii") + eol)


def fortran_e(value, width):
    # Fortran's E format: ".1234567E-02", no digit before the point.
    if value == 0:
        text = ".0000000E+00"
    else:
        exponent = math.floor(math.log10(abs(value))) + 1
        mantissa = round(abs(value) / 10 ** exponent, 7)
        if mantissa >= 1.0:
            mantissa, exponent = mantissa / 10, exponent + 1
        text = "%s.%07dE%+03d" % ("-" if value < 0 else "", round(mantissa * 1e7), exponent)
    return text.rjust(width)


def at2_file(path, header, gal, width):
    g = [v / 980.665 for v in gal]
    with open(path, "wb") as f:
        for line in header:
            f.write(line.encode("ascii") + b"\r\n")
        for start in range(0, len(g), 5):
            f.write("".join(fortran_e(v, width) for v in g[start:start + 5]).encode("ascii") + b"\r\n")


def write_network_examples(folder):
    rng = random.Random(20000101)
    os.makedirs(folder, exist_ok=True)

    def quake(peak, hz):
        return component(rng, peak, hz, NETWORK_COUNT, NETWORK_RATE)

    for ext, direction, peak, hz in [("NS", "N-S", 212.4, 2.1), ("EW", "E-W", 176.9, 2.4), ("UD", "U-D", 93.2, 4.0)]:
        knet_file(os.path.join(folder, "SMP0010001011200." + ext), KNET_LABELS, "SMP001", direction,
                  quake(peak, hz), b"\n")
    for ext, direction, peak, hz in [("NS2", "N-S", 151.7, 2.6), ("EW2", "E-W", 138.0, 2.9), ("UD2", "U-D", 71.5, 4.4),
                                     ("NS1", "N-S", 38.6, 3.5), ("EW1", "E-W", 33.1, 3.8), ("UD1", "U-D", 20.4, 5.2)]:
        knet_file(os.path.join(folder, "SMPH010001011200." + ext), KIKNET_LABELS, "SMPH01", direction,
                  quake(peak, hz), b"\r\n")

    jma = [quake(peak, hz) for peak, hz in [(245.3, 1.8), (201.8, 2.2), (110.6, 3.6)]]
    with open(os.path.join(folder, "jma_sample_47999.csv"), "wb") as f:
        header = ["SITE CODE= 47999見本町役場 ,,", " LAT.= 35.512,,", " LON.= 139.408,,", " SAMPLING RATE= 100Hz,,",
                  " UNIT  = gal(cm/s/s),,", "INITIAL TIME = 2000 01 01 12 00 07,,", " NS,EW,UD"]
        for line in header:
            f.write(line.encode("cp932") + b"\r\n")
        for i in range(NETWORK_COUNT):
            f.write(("%.3f,%.3f,%.3f,," % (jma[0][i], jma[1][i], jma[2][i])).encode("ascii") + b"\r\n")

    for name, component_name, peak, hz in [("SMP000", "000", 301.2, 1.5), ("SMP090", "090", 264.8, 1.7),
                                           ("SMP-UP", "UP", 122.5, 3.3)]:
        at2_file(os.path.join(folder, "RSN9001_SAMPLEV_%s.AT2" % name),
                 ["PEER NGA STRONG MOTION DATABASE RECORD",
                  "Sample Valley, 1/1/2000, Sample Valley Station, " + component_name,
                  "ACCELERATION TIME SERIES IN UNITS OF G",
                  "NPTS=%6d, DT=   .0100 SEC" % NETWORK_COUNT],
                 quake(peak, hz), 15)
    # Another event in the same folder, in the older layout; negative values touch.
    at2_file(os.path.join(folder, "RSN9002_OTHERH_OTH000.AT2"),
             ["PEER STRONG MOTION DATABASE RECORD. PROCESSING BY SAMPLE LAB.",
              "OTHER HILLS 02/02/01 03:04, OTHER HILLS STATION, 000",
              "ACCEL TIME HISTORY IN UNITS OF G. FILTER POINTS: HP=0.1 Hz LP=30.0 Hz",
              "%6d    .0100    NPTS, DT" % NETWORK_COUNT],
             quake(88.7, 2.8), 13)


# --- a whole event: K-NET records of many stations ---

EVENT_ORIGIN = ("2000/01/01 12:00:00", "38.100", "142.800", "24", "7.9")


def land_rings(coastline):
    # The closed coastlines of the region (islands), as polygons of (lon, lat).
    with open(coastline, encoding="utf-8") as f:
        features = json.load(f)["features"]
    rings = []
    for feature in features:
        points = feature["geometry"]["coordinates"]
        if points[0] == points[-1] and len(points) > 20:
            rings.append(points)
    return rings


def inside(ring, lon, lat):
    hit = False
    for (x1, y1), (x2, y2) in zip(ring, ring[1:]):
        if (y1 > lat) != (y2 > lat) and lon < x1 + (lat - y1) * (x2 - x1) / (y2 - y1):
            hit = not hit
    return hit


def write_event(folder, stations, coastline):
    """Writes `stations` K-NET records (three files each) of one synthetic earthquake
    off north-east Japan, at stations on land; amplitudes fall with distance."""
    rng = random.Random(20000102)
    os.makedirs(folder, exist_ok=True)
    rings = [r for r in land_rings(coastline) if 122 <= r[0][0] <= 147 and 24 <= r[0][1] <= 46]
    base = [component(rng, 1.0, hz, NETWORK_COUNT, NETWORK_RATE) for hz in (2.0, 2.3, 3.8)]
    epicentre = (float(EVENT_ORIGIN[2]), float(EVENT_ORIGIN[1]))
    written = 0
    while written < stations:
        lon, lat = rng.uniform(123.0, 146.0), rng.uniform(24.0, 45.6)
        if not any(inside(ring, lon, lat) for ring in rings):
            continue
        dx = (lon - epicentre[0]) * 111.32 * math.cos(math.radians(lat))
        dy = (lat - epicentre[1]) * 110.57
        distance = math.hypot(dx, dy)
        pga = 10 ** (3.2 - 1.6 * math.log10(distance / 30.0 + 1.0) + rng.gauss(0.0, 0.15))
        period = rng.uniform(3.0, 7.0)
        shift = rng.randrange(NETWORK_COUNT // 4)
        code = "EV%04d" % (written + 1)
        for k, (ext, direction) in enumerate([("NS", "N-S"), ("EW", "E-W"), ("UD", "U-D")]):
            scale = pga * (0.6 if k == 2 else 1.0)
            gal = []
            for i in range(NETWORK_COUNT):
                t = i / NETWORK_RATE
                slow = 0.08 * math.sin(2 * math.pi * t / period + k) * envelope(t * 0.5) if k < 2 else 0.0
                gal.append(scale * (base[k][(i + shift) % NETWORK_COUNT] + slow))
            knet_file(os.path.join(folder, code + "0001011200." + ext), KNET_LABELS, code, direction, gal, b"\n",
                      ("%.4f" % lat, "%.4f" % lon), EVENT_ORIGIN)
        written += 1


if __name__ == "__main__":
    if len(sys.argv) >= 3 and sys.argv[1] == "--event":
        # make_examples.py --event FOLDER [STATIONS [COASTLINE.geojson]]
        count = int(sys.argv[3]) if len(sys.argv) > 3 else 300
        coast = sys.argv[4] if len(sys.argv) > 4 else os.path.join(HERE, "..", "data", "coastline-japan-50m.geojson")
        write_event(sys.argv[2], count, coast)
    else:
        main()
