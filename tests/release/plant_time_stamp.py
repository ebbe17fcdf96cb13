#!/usr/bin/python3
"""Moves the time of one file in a zip two seconds on, in its local header
and its central directory entry, and changes nothing else: the difference a
build clock leaking into a release would make.

    plant_time_stamp.py ZIP NAME"""

import pathlib
import struct
import sys
import zipfile

path, name = pathlib.Path(sys.argv[1]), sys.argv[2]
data = bytearray(path.read_bytes())
with zipfile.ZipFile(path) as archive:
    info = archive.getinfo(name)
# The DOS time (two-second units in its low five bits) is at offset 10 of
# the local header and 12 of the central directory entry.
central = data.index(b"PK\x01\x02")
while data[central + 46:central + 46 + len(name.encode())] != name.encode():
    central = data.index(b"PK\x01\x02", central + 4)
for offset in (info.header_offset + 10, central + 12):
    (time,) = struct.unpack_from("<H", data, offset)
    seconds = ((time & 0x1F) + 1) % 30
    struct.pack_into("<H", data, offset, (time & ~0x1F) | seconds)
path.write_bytes(data)
