"""Records and channels as Python objects, and the choice of components in them."""

import os

from tremvix import _tremvix


class Channel:
    """One channel of a record.

    id, name, unit, memo: the header texts (UTF-8 when the file's bytes are valid UTF-8,
    else read as Shift-JIS); rate_hz: the record's sampling rate in Hz; samples: a
    numpy float32 array holding the channel's samples as stored in the file, in its
    unit (K-NET counts already times the scale factor, PEER AT2 in gal).
    """

    __slots__ = ("number", "id", "name", "unit", "memo", "rate_hz", "samples", "_raw")

    def __init__(self, number, fields, rate_hz):
        self.number = number  # from 1, as the command line numbers channels
        self.id = fields["id"]
        self.name = fields["name"]
        self.unit = fields["unit"]
        self.memo = fields["memo"]
        self.rate_hz = rate_hz
        self.samples = fields["samples"]
        self._raw = (fields["id_bytes"], fields["name_bytes"], fields["unit_bytes"])

    def __repr__(self):
        return (f"Channel({self.number}, id={self.id!r}, unit={self.unit!r}, "
                f"rate_hz={self.rate_hz:g}, samples={len(self.samples)})")

    def in_gal(self):
        """The samples in gal (cm/s²) as float32, converted from the channel's unit;
        RecordError when the unit is no acceleration."""
        gal = _tremvix.in_gal(self.samples, self._raw[2])
        if gal is None:
            raise _tremvix.RecordError(
                f"チャンネル {self.number} の単位「{self.unit}」は加速度ではありません")
        return gal


class Record:
    """A record read by tremvix.read: its channels in the order the data set window
    lists them, the sampling rate (Hz), whether the file states it, the layout's name
    ("標準形式", "K-NET形式", ...), the samples per channel, notices worth telling
    and every file read (the one given and its other components)."""

    __slots__ = ("path", "channels", "rate_hz", "rate_stated", "layout", "samples", "notices", "files")

    def __init__(self, path, fields):
        self.path = path
        self.rate_hz = fields["rate_hz"]
        self.rate_stated = fields["rate_stated"]
        self.layout = fields["layout"]
        self.samples = fields["samples"]
        self.notices = list(fields["notices"])
        self.files = list(fields["files"])
        self.channels = [Channel(k + 1, c, self.rate_hz) for k, c in enumerate(fields["channels"])]

    def __repr__(self):
        return (f"Record({self.path!r}, layout={self.layout!r}, channels={len(self.channels)}, "
                f"rate_hz={self.rate_hz:g}, samples={self.samples})")

    def components(self, count):
        """The channels of NS, EW (and UD when count is 3) found among the acceleration
        channels by their ids and point names, as the command line finds them."""
        accelerations = [c for c in self.channels if _tremvix.gal_per_unit(c._raw[2]) is not None]
        found = _tremvix.find_components([c._raw[0] for c in accelerations],
                                         [c._raw[1] for c in accelerations], count)
        if found is None:
            if count == 3:
                raise _tremvix.RecordError("NS、EW、UD の三成分が見つかりません")
            raise _tremvix.RecordError("水平二成分（NS、EW）が見つかりません")
        return [accelerations[k] for k in found]


def read(path, layout="standard", rate_hz=100.0):
    """Reads the record of a file as the command line reads it.

    The layouts of the recording networks (K-NET/KiK-net ASCII, JMA CSV, PEER AT2, ...)
    are recognised by content; any other file is read as a CSV file of `layout`
    ("standard" or "edefence"). rate_hz is the sampling rate (Hz) of a file that
    states none. Raises RecordError with the program's reason when the file is refused.
    The samples become numpy float32 arrays without a copy.
    """
    fields = _tremvix.read(os.fsencode(path), layout, float(rate_hz))
    return Record(os.fspath(path), fields)
