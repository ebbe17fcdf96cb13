#!/usr/bin/python3
"""A signed download against the unsigned one built from the same commit:
with its Authenticode signature removed (osslsigncode remove-signature) it
must be the unsigned file again.

    only_signatures_differ.py UNSIGNED SIGNED

for a Windows program (.exe), an installer (.msi) or a zip holding a program.
Where removing the signature does not give back the exact bytes, says so and
compares what is left: for a program with only its checksum, certificate
table entry and the padding before the signature masked; for an installer
table by table and stream by stream."""

import io
import pathlib
import subprocess
import sys
import tempfile
import zipfile

work = pathlib.Path(tempfile.mkdtemp(prefix="quorvel-signatures."))


def unsigned_copy(data, suffix):
    signed, removed = work / f"signed{suffix}", work / f"removed{suffix}"
    signed.write_bytes(data)
    removed.unlink(missing_ok=True)
    subprocess.run(["osslsigncode", "remove-signature", "-in", signed, "-out", removed],
                   check=True, capture_output=True)
    return removed


def masked_program(data):
    """The program with the fields a signature changes zeroed: the optional
    header's CheckSum and the certificate table's directory entry (PE32+)."""
    data = bytearray(data)
    optional = int.from_bytes(data[0x3C:0x40], "little") + 24
    if data[optional:optional + 2] != b"\x0b\x02":
        raise SystemExit("not a PE32+ program")
    data[optional + 64:optional + 68] = bytes(4)
    data[optional + 144:optional + 152] = bytes(8)
    return bytes(data)


def compare_program(unsigned, signed, name):
    removed = unsigned_copy(signed, ".exe").read_bytes()
    if removed == unsigned:
        return f"{name}: signature removed, the same bytes"
    # The signature is appended at an 8-byte boundary; what pads the file to
    # it stays when the signature goes.
    padding = removed[len(unsigned):]
    if len(padding) >= 8 or any(padding):
        raise SystemExit(f"{name}: {len(removed)} bytes without the signature, "
                         f"not {len(unsigned)} and zero padding")
    if masked_program(removed[:len(unsigned)]) != masked_program(unsigned):
        raise SystemExit(f"{name}: differs from the unsigned program beyond its signature")
    return (f"{name}: signature removed, the same bytes but for the checksum, the certificate "
            f"table entry and {len(padding)} bytes of padding")


def msi_contents(path):
    """Every table as text, every stream, and the summary, of an installer."""
    def run(*args):
        return subprocess.run(["msiinfo", *args, path], check=True, capture_output=True).stdout

    contents = {"summary": run("suminfo")}
    for table in run("tables").decode().split():
        contents["table " + table] = subprocess.run(
            ["msiinfo", "export", path, table], check=True, capture_output=True).stdout
    for stream in run("streams").decode().splitlines():
        contents["stream " + stream] = subprocess.run(
            ["msiinfo", "extract", path, stream], check=True, capture_output=True).stdout
    return contents


def compare_installer(unsigned_path, signed, name):
    removed = unsigned_copy(signed, ".msi")
    if removed.read_bytes() == unsigned_path.read_bytes():
        return f"{name}: signature removed, the same bytes"
    ours, theirs = msi_contents(unsigned_path), msi_contents(removed)
    if ours != theirs:
        differing = sorted(k for k in ours.keys() | theirs.keys() if ours.get(k) != theirs.get(k))
        raise SystemExit(f"{name}: differs from the unsigned installer in {differing}")
    return (f"{name}: signature removed, other bytes (osslsigncode writes the compound file "
            f"anew) but the same {len(ours)} tables, streams and summary")


def compare_zip(unsigned_path, signed_path):
    with zipfile.ZipFile(unsigned_path) as ours, zipfile.ZipFile(signed_path) as theirs:
        entries = [(i.filename, i.date_time, i.external_attr) for i in ours.infolist()]
        if entries != [(i.filename, i.date_time, i.external_attr) for i in theirs.infolist()]:
            raise SystemExit(f"{signed_path.name}: other entries than the unsigned zip")
        reports = []
        for info in ours.infolist():
            mine, signed = ours.read(info), theirs.read(info.filename)
            if info.filename.lower().endswith(".exe"):
                reports.append(compare_program(mine, signed, f"{signed_path.name}:{info.filename}"))
            elif mine != signed:
                raise SystemExit(f"{signed_path.name}:{info.filename} differs")
        if not reports:
            raise SystemExit(f"{signed_path.name}: no program in it")
        return "\n".join(reports)


unsigned, signed = (pathlib.Path(p) for p in sys.argv[1:3])
if signed.suffix == ".zip":
    print(compare_zip(unsigned, signed))
elif signed.suffix == ".msi":
    print(compare_installer(unsigned, signed.read_bytes(), signed.name))
else:
    print(compare_program(unsigned.read_bytes(), signed.read_bytes(), signed.name))
