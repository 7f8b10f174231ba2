"""The analyses from Python give the command line's numbers for the same record."""

import threading
import time

import numpy as np
import pytest

import tremvix
from conftest import EXAMPLES, NETWORK, program_table, same_number

KNET = NETWORK / "SMP0010001011200.NS"
JMA = NETWORK / "jma_sample_47999.csv"


def assert_table(values, rows, columns):
    assert len(rows) > 0
    for column in columns:
        assert len(values[column]) == len(rows), column
        for value, row in zip(values[column], rows):
            assert same_number(value, row[column]), (column, value, row[column])


def test_response_spectrum(program):
    record = tremvix.read(KNET)
    values = tremvix.response_spectrum(record.channels[1], damping=[0.02, 0.05], periods=[0.1, 0.5, 1.0, 3.0])
    rows = program_table(program, "--spectrum", KNET, "--channel", 2, "--damping", "0.02,0.05",
                         "--periods", "0.1,0.5,1.0,3.0")
    assert_table(values, rows, ["damping", "period_s", "sd", "sv", "sa", "psv", "psa"])
    # The default periods, from an array and a rate.
    default = tremvix.response_spectrum(record.channels[0].samples, 100.0)
    assert_table(default, program_table(program, "--spectrum", KNET, "--channel", 1), ["period_s", "psa"])


def test_fourier_and_its_definition(program):
    record = tremvix.read(JMA)
    for smooth, option in ((None, ()), (0.4, ("--smooth", "0.4"))):
        values = tremvix.fourier(record.channels[2], smooth=smooth)
        assert_table(values, program_table(program, "--fourier", JMA, "--channel", 3, *option),
                     ["frequency_hz", "amplitude"])
    # dt |Σ x[n] e^(−2πikn/N)| for k = 0 … N/2, computed here with numpy's transform.
    x = np.array([1.0, -2.0, 0.5, 3.0, 0.0, -1.25, 2.0], dtype=np.float32)
    spectrum = tremvix.fourier(x, 50.0)
    np.testing.assert_allclose(spectrum["amplitude"], np.abs(np.fft.rfft(x.astype(np.float64))) / 50.0,
                               rtol=1e-12, atol=1e-15)
    np.testing.assert_allclose(spectrum["frequency_hz"], np.arange(4) * 50.0 / 7, rtol=1e-15)


@pytest.mark.parametrize("path", [KNET, JMA], ids=["knet", "jma"])
def test_intensity_lpgm_si_indices_of_a_record(program, path):
    record = tremvix.read(path)
    intensity = tremvix.jma_intensity(record)
    row = program_table(program, "--intensity", path)[0]
    assert same_number(intensity["a0"], row["a0"]) and same_number(intensity["intensity"], row["intensity"])
    assert (intensity["reported"], intensity["class"]) == (row["reported"], row["class"])
    # The same from three arrays in gal.
    ns, ew, ud = (c.in_gal() for c in record.channels[:3])
    assert tremvix.jma_intensity(ns, ew, ud, record.rate_hz) == intensity

    lpgm = tremvix.lpgm(record)
    rows = program_table(program, "--lpgm", path)
    assert_table(lpgm, rows, ["period_s", "sva", "class"])
    assert lpgm["record_class"] == max(int(r["class"]) for r in rows)

    si_rows = program_table(program, "--si", path)
    si = tremvix.si(record)
    assert [(s["channel"], s["id"]) for s in si] == [(int(r["channel"]), r["id"]) for r in si_rows]
    assert all(same_number(s["si"], r["si"]) for s, r in zip(si, si_rows))

    index_rows = program_table(program, "--indices", path)
    indices = tremvix.indices(record)
    assert len(indices) == len(index_rows)
    for mine, theirs in zip(indices, index_rows):
        assert mine["id"] == theirs["id"] and mine["channel"] == int(theirs["channel"])
        for column in ("pga", "pga_time_s", "pgv", "pgd", "arias", "d5_95", "cav"):
            assert same_number(mine[column], theirs[column]), column


def test_rotd(program):
    record = tremvix.read(KNET)
    values = tremvix.rotd(record, damping=0.05, periods=[0.2, 1.0, 2.0])
    rows = program_table(program, "--rotd", KNET, "--channels", "1,2", "--periods", "0.2,1.0,2.0")
    assert_table(values, rows, ["period_s", "psa_a", "psa_b", "rotd00", "rotd50", "rotd100", "angle100_deg", "gmroti50"])
    # RotD100 of period 0 is the largest of |a cos θ + b sin θ| over the 180 whole degrees.
    a, b = (c.in_gal().astype(np.float64) for c in record.channels[:2])
    theta = np.radians(np.arange(180))
    peaks = np.abs(np.outer(a, np.cos(theta)) + np.outer(b, np.sin(theta))).max(axis=0)
    assert values["rotd100"][0] == pytest.approx(peaks.max(), rel=1e-6)
    assert values["rotd50"][0] == pytest.approx(np.sort(peaks)[89:91].mean(), rel=1e-6)


def test_survey_row_is_the_surveys_row(program, tmp_path):
    row = tremvix.survey_row(KNET)
    table = program_table(program, "--survey", KNET)
    assert len(table) == 1
    for column, text in table[0].items():
        value = row[column]
        if isinstance(value, str) or column == "record":
            assert str(value) == text, column
        else:
            assert same_number(value, text), column
    assert row["pga_ud"] is not None and row["class"].startswith("震度")
    broken = tmp_path / "broken.csv"
    broken.write_bytes(b"x\n")
    with pytest.raises(tremvix.RecordError):
        tremvix.survey_row(broken)


def test_wrong_arguments_raise_value_error_with_the_reason():
    x = tremvix.read(EXAMPLES / "sample_standard.csv").channels[0]
    with pytest.raises(ValueError, match="減衰"):
        tremvix.response_spectrum(x, damping=1.5)
    for call in (lambda: tremvix.response_spectrum(x, periods=[-1.0]),
                 lambda: tremvix.response_spectrum(x.samples),  # an array needs its rate
                 lambda: tremvix.fourier(x, rate_hz=0.0),
                 lambda: tremvix.fourier(x, smooth=-0.5),
                 lambda: tremvix.rotd(x, x.samples[:100], rate_hz=100.0),
                 lambda: tremvix.indices(x, integration="median"),
                 lambda: tremvix.indices(x, rate_hz=0.2)):  # no whole-number rate
        with pytest.raises(ValueError):
            call()


def test_refused_samples_raise_record_error():
    x = np.zeros(500, dtype=np.float32)
    with pytest.raises(tremvix.RecordError):
        tremvix.jma_intensity(x, x, x, 100.0)  # no motion
    x[10] = np.nan
    with pytest.raises(tremvix.RecordError):
        tremvix.si(x, 100.0)
    with pytest.raises(tremvix.RecordError):
        tremvix.jma_intensity(x[:20] + 1, x[:20] + 1, x[:20] + 1, 100.0)  # shorter than 0.3 s
    velocity = [c for c in tremvix.read(EXAMPLES / "sample_standard.csv").channels if c.unit != "gal"]
    if velocity:
        with pytest.raises(tremvix.RecordError, match="加速度"):
            tremvix.si(velocity[0])


def test_the_core_runs_without_the_gil():
    record = tremvix.read(KNET)
    long_a = np.tile(record.channels[0].in_gal(), 5)
    long_b = np.tile(record.channels[1].in_gal(), 5)
    done = threading.Event()
    span = {}

    def compute():
        span["start"] = time.perf_counter()
        tremvix.rotd(long_a, long_b, 100.0)
        span["end"] = time.perf_counter()
        done.set()

    worker = threading.Thread(target=compute)
    worker.start()
    # While the core computes this thread goes on; with the GIL held it would stand
    # still for the whole computation.
    longest, last = 0.0, time.perf_counter()
    while not done.is_set():
        now = time.perf_counter()
        longest, last = max(longest, now - last), now
    worker.join()
    duration = span["end"] - span["start"]
    assert duration > 0.2
    assert longest < duration / 2
