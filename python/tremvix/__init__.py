"""Tremvix from Python: records as numpy arrays and the analyses of the command line.

Samples are 32-bit floats (numpy float32); arrays of another dtype are converted, each
value rounded once. Rates are in Hz, periods in s, damping a fraction of critical.
Analyses that need an acceleration take it in gal (cm/s²): a Channel given in place of
an array is converted from its unit, and its rate is used. Each function computes what
the command line option of the same name computes, with the same numbers.
RecordError (the program's reason) is raised for refused files and samples,
ValueError for wrong arguments. The core runs without the GIL.
"""

import os

from tremvix import _tremvix
from tremvix._channels import Channel, Record, read

RecordError = _tremvix.RecordError
RecordError.__module__ = "tremvix"
RecordError.__doc__ = "A record or its samples refused by the program; the message is its reason."

__all__ = ["RecordError", "Record", "Channel", "read", "response_spectrum", "fourier", "jma_intensity",
           "indices", "lpgm", "si", "rotd", "survey_row"]


def _samples(data, rate_hz, gal):
    """The array and rate of an argument that is a Channel or an array."""
    if isinstance(data, Channel):
        return (data.in_gal() if gal else data.samples), (data.rate_hz if rate_hz is None else rate_hz)
    if rate_hz is None:
        raise ValueError("rate_hz is needed with an array")
    return data, rate_hz


def _list(values):
    if values is None:
        return None
    if isinstance(values, (int, float)):
        return [float(values)]
    return [float(v) for v in values]


def response_spectrum(acceleration, rate_hz=None, damping=0.05, periods=None):
    """Elastic response spectra (tremvix --spectrum).

    A single-degree-of-freedom oscillator at rest at the first sample, the ground
    acceleration linear between samples (exact piecewise solution), peaks taken on steps
    no longer than a tenth of the period. damping: one fraction of critical or several;
    periods (s): None for the 200 default periods 0.02–10 s. Returns a dict of numpy
    arrays, one entry per row of the command's table: damping, period_s, sd, sv, sa, psv,
    psa; units follow the samples (gal gives cm, cm/s, gal). A Channel is used as stored
    (its unit must be an acceleration).
    """
    if isinstance(acceleration, Channel):
        acceleration.in_gal()  # refuses a channel that is no acceleration
    samples, rate = _samples(acceleration, rate_hz, gal=False)
    return _tremvix.response_spectrum(samples, float(rate), _list(damping), _list(periods))


def fourier(samples, rate_hz=None, smooth=None):
    """Fourier amplitude spectrum (tremvix --fourier): frequency_hz = k/(N dt) for
    k = 0 … N/2 and amplitude = dt |Σ x[n] e^(−2πikn/N)| of the samples as stored (the
    samples' unit times s); smooth: the bandwidth (Hz) of a Parzen window. Returns a
    dict of two numpy arrays."""
    data, rate = _samples(samples, rate_hz, gal=False)
    return _tremvix.fourier(data, float(rate), None if smooth is None else float(smooth))


def jma_intensity(ns, ew=None, ud=None, rate_hz=None):
    """JMA instrumental seismic intensity (tremvix --intensity) of three orthogonal
    accelerations in gal: dict of a0 (gal), intensity (unrounded), reported (the published
    value, text with one decimal) and class ("震度5弱" and the like). Given a Record
    alone, its NS, EW and UD channels are found as the command line finds them."""
    if isinstance(ns, Record):
        ns, ew, ud = ns.components(3)
    parts = [_samples(c, rate_hz, gal=True) for c in (ns, ew, ud)]
    return _tremvix.jma_intensity(parts[0][0], parts[1][0], parts[2][0], float(parts[0][1]))


def indices(acceleration, rate_hz=None, integration="bandpass"):
    """Ground-motion indices (tremvix --indices) of an acceleration in gal, of the
    record less its mean: pga (gal), pga_time_s, pgv (cm/s), pgd (cm), arias (cm/s),
    d5_95 (s, None without motion) and cav (cm/s). integration: the filter of the
    integration to velocity and displacement, "bandpass", "lowpass" or "none", as the
    window's at the whole-number rate. Given a Record, a list with one dict per
    acceleration channel, each with its channel number and id."""
    if isinstance(acceleration, Record):
        rows = []
        for channel in acceleration.channels:
            if _tremvix.gal_per_unit(channel._raw[2]) is None:
                continue
            row = {"channel": channel.number, "id": channel.id}
            row.update(indices(channel, integration=integration))
            rows.append(row)
        return rows
    samples, rate = _samples(acceleration, rate_hz, gal=True)
    return _tremvix.indices(samples, float(rate), integration)


def lpgm(ns, ew=None, rate_hz=None):
    """The JMA long-period ground-motion class (tremvix --lpgm) of two horizontal
    accelerations in gal: period_s (1.6, 1.8, …, 7.8 s), sva (cm/s, the largest
    horizontal vector of absolute velocity response at h = 0.05) and class (0–4) per
    period, and record_class, the largest. Given a Record alone, its NS and EW."""
    if isinstance(ns, Record):
        ns, ew = ns.components(2)
    a, rate = _samples(ns, rate_hz, gal=True)
    b, _ = _samples(ew, rate_hz, gal=True)
    return _tremvix.lpgm(a, b, float(rate))


def si(acceleration, rate_hz=None):
    """The SI value (tremvix --si) in cm/s of an acceleration in gal:
    (1/2.4) ∫ Sv dT over 0.1–2.5 s, Sv the relative velocity response at h = 0.20.
    Given a Record, a list of dicts (channel, id, si) for its acceleration channels."""
    if isinstance(acceleration, Record):
        return [{"channel": c.number, "id": c.id, "si": si(c)}
                for c in acceleration.channels if _tremvix.gal_per_unit(c._raw[2]) is not None]
    samples, rate = _samples(acceleration, rate_hz, gal=True)
    return _tremvix.si(samples, float(rate))


def rotd(a, b=None, rate_hz=None, damping=0.05, periods=None):
    """Orientation-independent spectra (tremvix --rotd) of two horizontal accelerations
    in gal: dict of numpy arrays period_s, psa_a, psa_b, rotd00, rotd50, rotd100,
    angle100_deg, gmroti50 (gal). x(θ) = x_a cos θ + x_b sin θ for θ = 0°…179°; the
    first row (period_s = 0) is the rotated ground acceleration itself. periods (s):
    None for the default spectrum periods. Given a Record alone, its NS and EW."""
    if isinstance(a, Record):
        a, b = a.components(2)
    x, rate = _samples(a, rate_hz, gal=True)
    y, _ = _samples(b, rate_hz, gal=True)
    return _tremvix.rotd(x, y, float(rate), float(damping), _list(periods))


def survey_row(path):
    """The row of tremvix --survey for the record of one file (its other components
    found beside it), as a dict keyed by the survey's column names; products that do
    not apply are None. RecordError with the reason when the record is refused."""
    return _tremvix.survey_row(os.fsencode(path))
