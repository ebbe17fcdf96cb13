#!/usr/bin/python3
"""THIRD-PARTY-NOTICES.txt, shipped beside Quorvel.exe, names every static
library the link of Quorvel.exe took code from (its link map says which), and
its notice texts are those Debian's compiler packages carry."""

import argparse
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[3] / "tools"))
import link_record  # noqa: E402

parser = argparse.ArgumentParser()
parser.add_argument("--notices", required=True)
parser.add_argument("--map", required=True)
parser.add_argument("--mingw-copyright", required=True)
parser.add_argument("--gcc-copyright", required=True)
args = parser.parse_args()

notices = pathlib.Path(args.notices).read_text()
failures = []

pulled = {pathlib.PurePath(p).name for p in link_record.pulled(args.map)}
for expected in ("libstdc++.a", "libpthread.a", "libmingwex.a", "crt2.o"):
    if expected not in pulled:
        failures.append(f"the link map names no {expected}: has its format changed?")
try:
    link_record.licences(pulled, link_record.sections(args.notices))
except link_record.LinkRecordError as error:
    failures.append(str(error))

mingw = link_record.paragraphs(args.mingw_copyright)
# The parts of the runtime that need a notice: the first Files entry of their
# paragraph in mingw-w64-x86-64-dev's copyright file.
for files in ("*", "mingw-w64-crt/gdtoa/*", "mingw-w64-libraries/winpthreads/*",
              "mingw-w64-libraries/winpthreads/include/pthread.h"):
    failures += link_record.missing_notice(notices, mingw, files)

# libstdc++ and libgcc need no notice, under the exception the notices name.
exception = "GCC Runtime Library Exception"
if exception not in pathlib.Path(args.gcc_copyright).read_text():
    failures.append(f"{args.gcc_copyright} no longer grants the {exception}")
if exception not in notices:
    failures.append(f"the notices do not say that the GCC libraries are under the {exception}")

if failures:
    sys.exit("\n".join(failures))
print("notices name:", " ".join(sorted(pulled)))
