"""Sample records in the formats of seismology, for examples/ and the fuzzers' seeds.

SAC (one file per component, the horizontals big-endian and the vertical
little-endian), MiniSEED (version 2, Steim-1 compressed, 512-byte records) and WIN32
with its channel table. Each writer follows the format's published layout; nothing
here is read back.
"""
import datetime
import math
import os
import struct

# --- SAC ---

IDISP, IVEL, IACC = 6, 7, 8


def sac_bytes(samples, delta, big, component, station="SMPH", network="SM", location="00",
              when=(2000, 1, 12, 0, 7, 0), idep=IACC, version=6):
    order = ">" if big else "<"
    floats = [-12345.0] * 70
    floats[0] = delta
    floats[5] = 0.0  # B
    floats[6] = delta * (len(samples) - 1)  # E
    ints = [-12345] * 40
    year, day, hour, minute, second, millisecond = when
    ints[0:6] = [year, day, hour, minute, second, millisecond]
    ints[6] = version
    ints[9] = len(samples)
    ints[15] = 1  # ITIME
    ints[16] = idep
    ints[35] = 1  # LEVEN
    texts = [b"-12345  "] * 24
    texts[0] = station.encode("ascii").ljust(8)
    texts[1:3] = [b"SAMPLE EVENT".ljust(16)[:8], b"SAMPLE EVENT".ljust(16)[8:]]
    texts[3] = location.encode("ascii").ljust(8)
    texts[20] = component.encode("ascii").ljust(8)
    texts[21] = network.encode("ascii").ljust(8)
    header = struct.pack(order + "70f", *floats) + struct.pack(order + "40i", *ints) + b"".join(texts)
    assert len(header) == 632
    return header + struct.pack(order + "%df" % len(samples), *samples)


# --- MiniSEED 2, Steim-1 ---

def _fits(values, bits):
    low, high = -(1 << (bits - 1)), (1 << (bits - 1)) - 1
    return all(low <= v <= high for v in values)


def _steim1_words(diffs, capacity):
    """(words with their 2-bit codes, differences used) for at most `capacity` words."""
    words, used = [], 0
    while len(words) < capacity and used < len(diffs):
        four, two = diffs[used:used + 4], diffs[used:used + 2]
        if len(four) == 4 and _fits(four, 8):
            words.append((1, struct.pack(">4b", *four)))
            used += 4
        elif len(two) == 2 and _fits(two, 16):
            words.append((2, struct.pack(">2h", *two)))
            used += 2
        else:
            words.append((3, struct.pack(">i", diffs[used])))
            used += 1
    return words, used


def _btime(seconds):
    days = int(seconds // 86400)
    rest = seconds - days * 86400
    year, day = 1970, days
    while day >= (366 if (year % 4 == 0 and year % 100 != 0) or year % 400 == 0 else 365):
        day -= 366 if (year % 4 == 0 and year % 100 != 0) or year % 400 == 0 else 365
        year += 1
    ten_thousandths = int(round(rest * 10000))
    return struct.pack(">HHBBBBH", year, day + 1, ten_thousandths // 36000000, ten_thousandths // 600000 % 60,
                       ten_thousandths // 10000 % 60, 0, ten_thousandths % 10000)


def miniseed_bytes(samples, rate, start, network, station, location, channel, sequence=1, frames=7):
    """Records of 64 + 64·frames bytes (512 for 7 frames) holding every sample."""
    out = b""
    index, previous = 0, None
    length_exponent = {7: 9, 15: 10, 63: 12}[frames]
    while index < len(samples):
        diffs = [samples[index] - (previous if previous is not None else samples[index])]
        diffs += [samples[k] - samples[k - 1] for k in range(index + 1, len(samples))]
        words, used = _steim1_words(diffs, frames * 15 - 2)
        chunk = samples[index:index + used]
        header = b"%06dD " % sequence
        header += station.encode().ljust(5) + location.encode().ljust(2) + channel.encode().ljust(3)
        header += network.encode().ljust(2)
        header += _btime(start + index / rate)
        header += struct.pack(">Hhh", used, int(rate), 1)
        header += struct.pack(">BBBBiHH", 0, 0, 0, 1, 0, 64, 48)
        blockette = struct.pack(">HHBBBB", 1000, 0, 10, 1, length_exponent, 0)
        body = b""
        slots = iter(words)
        for frame in range(frames):
            control, data = 0, b""
            first = 3 if frame == 0 else 1
            if frame == 0:
                data += struct.pack(">ii", chunk[0], chunk[-1])
            for slot in range(first, 16):
                code, word = next(slots, (0, b"\0\0\0\0"))
                control |= code << (2 * (15 - slot))
                data += word
            body += struct.pack(">I", control) + data
        record = header + blockette
        out += record + b"\0" * (64 - len(record)) + body
        previous = chunk[-1]
        index += used
        sequence += 1
    return out


# --- WIN32 ---

def _bcd(value):
    return (value // 10) << 4 | value % 10


def win32_block(when, channels):
    """One second: `when` = (year, month, day, hour, minute, second); channels =
    (organisation, network, id, counts) with as many counts as the rate."""
    data = b""
    for organisation, network, channel_id, counts in channels:
        diffs = [counts[k] - counts[k - 1] for k in range(1, len(counts))]
        if _fits(diffs, 4):
            code = 0
            nibbles = [d & 0xF for d in diffs] + ([0] if len(diffs) % 2 else [])
            packed = bytes(nibbles[k] << 4 | nibbles[k + 1] for k in range(0, len(nibbles), 2))
        else:
            code = next(width for width in (1, 2, 3, 4) if _fits(diffs, 8 * width))
            packed = b"".join((d & ((1 << (8 * code)) - 1)).to_bytes(code, "big") for d in diffs)
        data += struct.pack(">BBHHi", organisation, network, channel_id, code << 12 | len(counts), counts[0]) + packed
    year, month, day, hour, minute, second = when
    time = bytes([_bcd(year // 100), _bcd(year % 100), _bcd(month), _bcd(day), _bcd(hour), _bcd(minute),
                  _bcd(second), 0])
    return time + struct.pack(">II", 10, len(data)) + data


WIN32_TABLE_ROWS = [
    # id, station, component, sensitivity (V per m/s), gain dB, LSB V
    (0x3A01, "N.SMPH", "U", 196.0, 0.0, 1.023e-7),
    (0x3A02, "N.SMPH", "N", 196.0, 0.0, 1.023e-7),
    (0x3A03, "N.SMPH", "E", 196.0, 0.0, 1.023e-7),
]


def win32_table():
    lines = ["# channel flag delay station component monitor bits sensitivity unit period damping gain lsb"
             " latitude longitude height p s"]
    for channel_id, station, component, sensitivity, gain, lsb in WIN32_TABLE_ROWS:
        lines.append("%04X 1 0 %s %s 6 27 %.3e m/s 1.0000 0.700 %g %.3e 35.5120 139.4080 120 0.00 0.00"
                     % (channel_id, station, component, sensitivity, gain, lsb))
    return ("\n".join(lines) + "\n").encode("ascii")


def win32_file(velocities, rate, when):
    """velocities: per table row, m/s at `rate`, a whole number of seconds."""
    counts = []
    for (_, _, _, sensitivity, gain, lsb), v in zip(WIN32_TABLE_ROWS, velocities):
        factor = sensitivity * 10 ** (gain / 20) / lsb
        counts.append([int(round(x * factor)) for x in v])
    return win32_counts_file(counts, rate, when)


def win32_counts_file(counts, rate, when):
    """counts: per table row, a whole number of seconds at `rate`."""
    blocks = b""
    first = datetime.datetime(*when)
    for s in range(len(counts[0]) // rate):
        t = first + datetime.timedelta(seconds=s)
        channels = [(0x01, 0x02, row[0], c[s * rate:(s + 1) * rate]) for row, c in zip(WIN32_TABLE_ROWS, counts)]
        blocks += win32_block((t.year, t.month, t.day, t.hour, t.minute, t.second), channels)
    return b"\x0A\x02\x00\x00" + blocks


# --- the files ---

def write(folder, seeds, quake):
    """quake(peak, hz, count, rate) gives one component in the peak's unit."""
    os.makedirs(folder, exist_ok=True)
    rate, count = 100, 3000
    gal = [quake(peak, hz, count, rate) for peak, hz in [(120.5, 1.9), (98.2, 2.3), (55.1, 3.8)]]
    for name, samples, big in zip(("HNN", "HNE", "HNZ"), gal, (True, True, False)):
        nm = [v * 1e7 for v in samples]  # gal to nm/s²
        with open(os.path.join(folder, "SM.SMPH.00.%s.sac" % name), "wb") as f:
            f.write(sac_bytes(nm, 1.0 / rate, big, name))

    start = 946728427.0  # 2000-01-01 12:07:07 UTC
    counts = [[int(round(v * 4000)) for v in samples] for samples in gal]
    with open(os.path.join(folder, "SM.SMPH.mseed"), "wb") as f:
        for name, c in zip(("HNE", "HNN", "HNZ"), counts):
            f.write(miniseed_bytes(c, rate, start, "SM", "SMPH", "00", name))

    velocity = [[v / 100.0 * 0.02 for v in samples] for samples in gal]  # m/s, of a ground velocity's size
    with open(os.path.join(folder, "20000101120700.cnt"), "wb") as f:
        f.write(win32_file(velocity, rate, (2000, 1, 1, 12, 7, 0)))
    with open(os.path.join(folder, "20000101120700.ch"), "wb") as f:
        f.write(win32_table())

    # Small seeds for the fuzzers (each input is below their length limit).
    for sub in ("sac", "miniseed", "win32"):
        os.makedirs(os.path.join(seeds, sub), exist_ok=True)
    short = [v[:60] for v in gal]
    with open(os.path.join(seeds, "sac", "three_components.bin"), "wb") as f:
        f.write(b"\n--\n".join(sac_bytes([x * 1e7 for x in v], 0.01, k != 1, n)
                                for k, (v, n) in enumerate(zip(short, ("HNE", "HNN", "HNZ")))))
    with open(os.path.join(seeds, "sac", "velocity_little.bin"), "wb") as f:
        f.write(sac_bytes([math.sin(k / 5.0) * 1e6 for k in range(200)], 0.02, False, "BHZ", idep=IVEL))
    with open(os.path.join(seeds, "miniseed", "three_channels.bin"), "wb") as f:
        for name, c in zip(("HNE", "HNN", "HNZ"), counts):
            f.write(miniseed_bytes(c[:600], rate, start, "SM", "SMPH", "00", name))
    with open(os.path.join(seeds, "miniseed", "two_stations.bin"), "wb") as f:
        f.write(miniseed_bytes(counts[0][:300], rate, start, "SM", "SMPH", "00", "HNZ"))
        f.write(miniseed_bytes(counts[1][:300], rate, start + 5, "SM", "OTHR", "", "HNZ"))
    tiny = [[v[k] for k in range(0, 200, 10)] for v in velocity]  # 20 Hz, 1 s per 20 values
    with open(os.path.join(seeds, "win32", "with_table.bin"), "wb") as f:
        f.write(win32_file([t[:60] for t in tiny], 20, (2000, 1, 1, 12, 7, 0)) + b"\n--\n" + win32_table())
    with open(os.path.join(seeds, "win32", "widths.bin"), "wb") as f:
        wide = [[0, 7, -1, 100, -30000, 5000000, -2000000000, 3, 4, 5] * 2] * 3
        f.write(win32_counts_file(wide, 10, (2000, 12, 31, 23, 59, 59)) + b"\n--\n" + win32_table())
