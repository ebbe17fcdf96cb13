#!/usr/bin/python3
"""THIRD-PARTY-NOTICES.txt, shipped beside Quorvel.exe, names every static
library the link of Quorvel.exe took code from (its link map says which), and
its notice texts are those Debian's compiler packages carry."""

import argparse
import pathlib
import re
import sys

parser = argparse.ArgumentParser()
parser.add_argument("--notices", required=True)
parser.add_argument("--map", required=True)
parser.add_argument("--mingw-copyright", required=True)
parser.add_argument("--gcc-copyright", required=True)
args = parser.parse_args()

notices = pathlib.Path(args.notices).read_text()
failures = []


def words(text):
    return " ".join(text.split())


# Every library and start-up object from outside the build that the linker
# took code from: archives in the "Archive member included" list, objects
# as LOAD lines.
link_map = pathlib.Path(args.map).read_text()
members = link_map.split("Archive member included", 1)[1].split("\n\n", 2)[1]
pulled = {pathlib.PurePath(m).name for m in re.findall(r"^(/\S+\.a)\(", members, re.M)}
pulled |= {pathlib.PurePath(m).name for m in re.findall(r"^LOAD (/\S+\.o)$", link_map, re.M)}
for expected in ("libstdc++.a", "libpthread.a", "libmingwex.a", "crt2.o"):
    if expected not in pulled:
        failures.append(f"the link map names no {expected}: has its format changed?")
for library in sorted(pulled):
    if not re.search(rf"(?<![\w+-]){re.escape(library)}", notices):
        failures.append(f"Quorvel.exe has code from {library}, which the notices do not name")


def paragraphs(path):
    """The paragraphs of a Debian machine-readable copyright file, as
    {field: value} with continuation lines joined as the text reads."""
    result = []
    for block in pathlib.Path(path).read_text().split("\n\n"):
        fields, name = {}, None
        for line in block.splitlines():
            if line.startswith((" ", "\t")) and name:
                fields[name] += "\n" + ("" if line.strip() == "." else line[1:])
            elif ":" in line:
                name, value = line.split(":", 1)
                fields[name] = value.strip()
        result.append(fields)
    return result


mingw = paragraphs(args.mingw_copyright)
# Which notice covers which part of the runtime: the first Files line of the
# paragraph in mingw-w64-x86-64-dev's copyright file.
NOTICES = [
    ("*", "the MinGW-w64 runtime (ZPL-2.1 and its disclaimer)"),
    ("mingw-w64-crt/gdtoa/*", "gdtoa, its number conversion"),
    ("mingw-w64-libraries/winpthreads/*", "winpthreads (Expat)"),
    ("mingw-w64-libraries/winpthreads/include/pthread.h", "winpthreads' pthread.h (BSD)"),
]
for files, what in NOTICES:
    found = [p for p in mingw if p.get("Files", "").split("\n")[0] == files]
    if not found:
        failures.append(f"{args.mingw_copyright} has no paragraph for {files}")
        continue
    paragraph = found[0]
    licence = paragraph["License"].split("\n", 1)
    text = licence[1] if len(licence) > 1 else next(
        p["License"].split("\n", 1)[1] for p in mingw
        if "Files" not in p and p.get("License", "").split("\n")[0] == licence[0])
    holder = paragraph["Copyright"].split("\n")[0]
    if words(holder) not in words(notices):
        failures.append(f"the notice of {what} lacks its copyright line: {holder}")
    if words(text) not in words(notices):
        failures.append(f"the notice of {what} is not the {licence[0]} text of {files}")

# libstdc++ and libgcc need no notice, under the exception the notices name.
exception = "GCC Runtime Library Exception"
if exception not in pathlib.Path(args.gcc_copyright).read_text():
    failures.append(f"{args.gcc_copyright} no longer grants the {exception}")
if exception not in notices:
    failures.append(f"the notices do not say that the GCC libraries are under the {exception}")

if failures:
    sys.exit("\n".join(failures))
print("notices name:", " ".join(sorted(pulled)))
