#!/usr/bin/python3
"""A signed download against the unsigned one built from the same commit:
with its Authenticode signature removed (osslsigncode remove-signature) it
must be the unsigned file again, the installer holding the signed program.

    only_signatures_differ.py UNSIGNED SIGNED

for a Windows program (.exe), an installer (.msi) or a zip holding a program.
Where removing the signature does not give back the exact bytes, says so and
compares what is left: for a program with only its checksum, certificate
table entry and the padding before the signature masked; for an installer
table by table and stream by stream, its cabinet file by file."""

import atexit
import hashlib
import pathlib
import shutil
import subprocess
import sys
import tempfile
import zipfile

work = pathlib.Path(tempfile.mkdtemp(prefix="quorvel-signatures."))
atexit.register(shutil.rmtree, work)


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
        # In the scratch folder: an exported table with binary data writes
        # it to files beside it.
        return subprocess.run(["msiinfo", *args], check=True, capture_output=True,
                              cwd=work).stdout

    path = pathlib.Path(path).resolve()
    contents = {"summary": run("suminfo", path)}
    for table in run("tables", path).decode().split():
        contents["table " + table] = run("export", path, table)
    for stream in run("streams", path).decode().splitlines():
        contents["stream " + stream] = run("extract", path, stream)
    return contents


def table_rows(text):
    """The rows of a table msiinfo exported, by their first column."""
    return {line.split("\t")[0]: line.split("\t") for line in text.decode().splitlines()[3:]}


def md5_parts(data):
    """The four signed numbers of a file's MD5 in the MsiFileHash table."""
    digest = hashlib.md5(data).digest()
    return [str(int.from_bytes(digest[i:i + 4], "little", signed=True)) for i in range(0, 16, 4)]


def cabinet_files(cabinet, name):
    """Each file of a cabinet stream: its listing line without the size, and its bytes."""
    folder = work / name
    folder.mkdir()
    (folder / "cab").write_bytes(cabinet)
    subprocess.run(["gcab", "-x", "-C", folder / "files", folder / "cab"], check=True,
                   capture_output=True)
    listing = subprocess.run(["gcab", "-l", folder / "cab"], check=True, capture_output=True,
                             text=True).stdout.splitlines()
    return {line.split()[0]: ([line.split()[0]] + line.split()[2:],
                              (folder / "files" / line.split()[0]).read_bytes())
            for line in listing}


def compare_installer(unsigned_path, signed, name):
    """The installer without its signature holds the unsigned one's tables
    and streams, but for the program in its cabinet, signed, whose size and
    MD5 the File and MsiFileHash tables must then give."""
    removed = unsigned_copy(signed, ".msi")
    if removed.read_bytes() == unsigned_path.read_bytes():
        return f"{name}: signature removed, the same bytes"
    ours, theirs = msi_contents(unsigned_path), msi_contents(removed)
    if ours.keys() != theirs.keys():
        raise SystemExit(f"{name}: other tables or streams: {sorted(ours.keys() ^ theirs.keys())}")
    reports, programs = [], {}
    for key in sorted(k for k in ours if k.startswith("stream ") and k.endswith(".cab")):
        mine = cabinet_files(ours[key], "unsigned " + key)
        signed_files = cabinet_files(theirs[key], "signed " + key)
        if [v[0] for v in mine.values()] != [v[0] for v in signed_files.values()]:
            raise SystemExit(f"{name}: other files, times or attributes in {key}")
        for file_id, (_, data) in mine.items():
            if data.startswith(b"MZ"):
                programs[file_id] = signed_files[file_id][1]
                reports.append(compare_program(data, programs[file_id], f"{name}:{file_id}"))
            elif data != signed_files[file_id][1]:
                raise SystemExit(f"{name}: {file_id} in {key} differs")
        ours[key] = theirs[key]
    if not programs:
        raise SystemExit(f"{name}: no program in its cabinet")
    # What the tables say of each signed program: its size, and its MD5.
    for table, column, expected in (("table File", 3, lambda d: [str(len(d))]),
                                    ("table MsiFileHash", 2, md5_parts)):
        mine, signed_rows = table_rows(ours[table]), table_rows(theirs[table])
        for file_id, data in programs.items():
            width = len(expected(data))
            if signed_rows[file_id][column:column + width] != expected(data):
                raise SystemExit(f"{name}: {table} does not describe the signed {file_id}")
            mine[file_id][column:column + width] = expected(data)
        if mine != signed_rows:
            raise SystemExit(f"{name}: {table} differs beyond the signed programs")
        ours[table] = theirs[table]
    differing = sorted(k for k in ours if ours[k] != theirs[k])
    if differing:
        raise SystemExit(f"{name}: differs from the unsigned installer in {differing}")
    return "\n".join(reports + [
        f"{name}: signature removed, other bytes since its cabinet holds the signed program, "
        f"but otherwise the same {len(ours)} tables, streams and summary"])


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
