#!/usr/bin/python3
"""THIRD-PARTY-NOTICES.txt, shipped in the web page's zip, names exactly the
libraries the link of the page's WebAssembly took code from (its link map says which),
and its notice texts are those of Debian's emscripten package, down to the
files of the libraries' members that carry a notice of their own."""

import argparse
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[3] / "tools"))
import link_record  # noqa: E402

parser = argparse.ArgumentParser()
parser.add_argument("--notices", required=True)
parser.add_argument("--map", required=True)
parser.add_argument("--copyright", required=True)
args = parser.parse_args()

notices = pathlib.Path(args.notices).read_text()
failures = []

pulled = {pathlib.PurePath(p).name: m for p, m in link_record.pulled(args.map).items()}
if "libc.a" not in pulled or "libc++.a" not in pulled:
    failures.append("the link map names no libc.a or libc++.a: has its format changed?")
# quorvel.js is emscripten's JavaScript run-time around the program's exports.
used = set(pulled) | {"quorvel.js"}
sections = link_record.sections(args.notices)
try:
    link_record.licences(used, sections)
except link_record.LinkRecordError as error:
    failures.append(str(error))
for section in sections:
    for name in sorted(section.libraries - used):
        failures.append(f"the notices name {name} under {section.title!r}, which the link did not use")

copyright = link_record.paragraphs(args.copyright)
# Each library's sources in emscripten, and the copyright paragraphs (by
# their first Files entry) that cover all of them.
SOURCES = {
    "libc.a": ("system/lib/libc/", ["*", "system/lib/libc/musl/*"]),
    "libc++.a": ("system/lib/libcxx/", ["system/lib/libcxx/*"]),
    "libc++abi.a": ("system/lib/libcxxabi/", ["system/lib/libcxxabi/*"]),
    "libcompiler_rt.a": ("system/lib/compiler-rt/", ["system/lib/compiler-rt/*"]),
    "libdlmalloc.a": ("system/lib/", ["*"]),
    "libembind-rtti.a": ("system/lib/embind/", ["*"]),
    "libstubs.a": ("system/lib/libc/", ["*"]),
    "libnoexit.a": ("system/lib/libc/", ["*"]),
}
for name, members in sorted(pulled.items()):
    if name not in SOURCES:
        failures.append(f"the link took code from {name}, whose sources this test does not know")
        continue
    folder, covering = SOURCES[name]
    needed = set(covering)
    # A paragraph for named files applies when a member was built from one.
    stems = {member.rsplit(".", 1)[0] for member in members}
    for paragraph in copyright:
        files = paragraph.get("Files", "").split()
        if any("*" not in f and f.startswith(folder) and pathlib.PurePath(f).stem in stems
               for f in files):
            needed.add(files[0])
    for files in sorted(needed):
        failures += [f"{name}: {failure}"
                     for failure in link_record.missing_notice(notices, copyright, files)]

if failures:
    sys.exit("\n".join(failures))
print("notices name:", " ".join(sorted(used)))
