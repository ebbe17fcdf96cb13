#!/usr/bin/python3
"""tools/spdx-document, run on a release's dist/ and the builds it came from:
the same bytes every time; an SPDX 2.3 document that names every download
with its checksum, every file inside the zips and the Debian packages, each
package's dependencies of its own architecture, and exactly the libraries the
link maps of the Windows program and the web page show, under licence ids
from SPDX's lists; and a loud failure when an input is missing.

    spdx_document_test.py --tool tools/spdx-document --dist dist \\
        --linux <Qt build> --linux-arm64 <arm64 build> --linux-armhf <armhf build> \\
        --windows <Windows build> --web <web build>"""

import argparse
import datetime
import hashlib
import io
import json
import os
import pathlib
import re
import subprocess
import sys
import tarfile
import tempfile
import zipfile

parser = argparse.ArgumentParser()
BUILDS = ("linux", "linux-arm64", "linux-armhf", "windows", "web", "armhf-deb13-root")
for name in ("tool", "dist") + BUILDS:
    parser.add_argument("--" + name, required=True)
args = parser.parse_args()
all_builds = {name: getattr(args, name.replace("-", "_")) for name in BUILDS}
dist = pathlib.Path(args.dist)
failures = []
epoch = os.environ.setdefault("SOURCE_DATE_EPOCH", "1796083200")


def run(out, builds=None, environment=None, folder=None):
    builds = builds or all_builds
    command = [str(pathlib.Path(args.tool).resolve()), "--out", str(out),
               "--dist", str(folder or dist.resolve())]
    for name, path in builds.items():
        command += ["--" + name, str(pathlib.Path(path).resolve())]
    return subprocess.run(command, capture_output=True, text=True,
                          env=environment or os.environ, cwd=tempfile.gettempdir())


def cache(build, name):
    text = (pathlib.Path(build) / "CMakeCache.txt").read_text()
    return re.search(rf"^{name}:\w+=(.*)$", text, re.M).group(1)


with tempfile.TemporaryDirectory() as work:
    work = pathlib.Path(work)
    # Twice, in another time zone and locale the second time: the same bytes.
    first = run(work / "first.json")
    other = dict(os.environ, TZ="Pacific/Kiritimati", LC_ALL="C", LANG="de_DE.UTF-8")
    second = run(work / "second.json", environment=other)
    if first.returncode or second.returncode:
        sys.exit("the tool failed:\n" + first.stderr + second.stderr)
    written = (work / "first.json").read_bytes()
    if written != (work / "second.json").read_bytes():
        failures.append("two runs on the same inputs wrote different documents")

    # Each missing input stops it, saying which.
    cases = [
        ("no SOURCE_DATE_EPOCH", {}, {k: v for k, v in os.environ.items() if k != "SOURCE_DATE_EPOCH"},
         None, "SOURCE_DATE_EPOCH"),
    ]
    unlinked = work / "unlinked"
    unlinked.mkdir()
    (unlinked / "CMakeCache.txt").write_text(
        (pathlib.Path(args.web) / "CMakeCache.txt").read_text().replace(
            cache(args.web, "QUORVEL_LINK_MAP"), str(work / "no.map")))
    cases.append(("the web link map gone", {"web": unlinked}, None, None, "no link record"))
    unmapped = work / "unmapped"
    unmapped.mkdir()
    (unmapped / "CMakeCache.txt").write_text(re.sub(
        r"^QUORVEL_LINK_MAP:.*\n", "", (pathlib.Path(args.windows) / "CMakeCache.txt").read_text(),
        flags=re.M))
    cases.append(("a Windows build without a link map", {"windows": unmapped}, None, None,
                  "QUORVEL_LINK_MAP"))
    short = work / "short"
    short.mkdir()
    for path in dist.iterdir():
        if path.suffix != ".deb":
            (short / path.name).symlink_to(path.resolve())
    cases.append(("a download missing", {}, None, short, "lacks the downloads"))
    for what, builds, environment, folder, expected in cases:
        builds = dict(all_builds, **builds)
        result = run(work / "failed.json", builds, environment, folder)
        if result.returncode == 0 or expected not in result.stderr:
            failures.append(f"with {what} the tool did not fail saying {expected!r}: {result.stderr!r}")

document = json.loads(written)
if document.get("spdxVersion") != "SPDX-2.3" or document.get("dataLicense") != "CC0-1.0":
    failures.append("not an SPDX 2.3 document under CC0-1.0")
created = datetime.datetime.fromtimestamp(int(epoch), datetime.timezone.utc).isoformat()
if document["creationInfo"]["created"] != created.replace("+00:00", "Z"):
    failures.append(f"created {document['creationInfo']['created']}, not SOURCE_DATE_EPOCH {created}")

packages = {p["SPDXID"]: p for p in document["packages"]}
files = {f["SPDXID"]: f for f in document["files"]}
elements = packages | files | {"SPDXRef-DOCUMENT": document}
if len(elements) != len(document["packages"]) + len(document["files"]) + 1:
    failures.append("two elements share an SPDX id")
related = {}
for relation in document["relationships"]:
    for end in (relation["spdxElementId"], relation["relatedSpdxElement"]):
        if end not in elements:
            failures.append(f"a relationship names {end}, which the document does not have")
    related.setdefault((relation["spdxElementId"], relation["relationshipType"]), set()).add(
        relation["relatedSpdxElement"])

# Every download, by name and checksum, described by the document; the
# files of each zip with their checksums.
described = {packages[i]["packageFileName"]: packages[i]
             for i in related.get(("SPDXRef-DOCUMENT", "DESCRIBES"), ())}
downloads = sorted(p for p in dist.iterdir()
                   if not p.name.endswith(".spdx.json") and not p.name.startswith("SHA256SUMS"))
if sorted(described) != [p.name for p in downloads]:
    failures.append(f"the document describes {sorted(described)}, dist/ holds "
                    f"{[p.name for p in downloads]}")


def checksum(element, algorithm):
    return next((c["checksumValue"] for c in element.get("checksums", [])
                 if c["algorithm"] == algorithm), None)


for path in downloads:
    package = described.get(path.name)
    if not package:
        continue
    if checksum(package, "SHA256") != hashlib.sha256(path.read_bytes()).hexdigest():
        failures.append(f"the SHA256 of {path.name} is not that of the file")
    if path.suffix == ".zip":
        with zipfile.ZipFile(path) as archive:
            contents = {i.filename: archive.read(i) for i in archive.infolist() if not i.is_dir()}
    elif path.suffix == ".deb":
        tar = subprocess.run(["dpkg-deb", "--fsys-tarfile", str(path)], capture_output=True,
                             check=True).stdout
        with tarfile.open(fileobj=io.BytesIO(tar)) as archive:
            contents = {i.name.removeprefix("./"): archive.extractfile(i).read()
                        for i in archive if i.isfile()}
    else:
        continue
    inside = {files[i]["fileName"]: files[i] for i in related.get((package["SPDXID"], "CONTAINS"), ())}
    if sorted(n.removeprefix("./") for n in inside) != sorted(contents):
        failures.append(f"the files of {path.name} are not those the document lists")
    for name, data in sorted(contents.items()):
        listed = inside.get("./" + name, {})
        if checksum(listed, "SHA1") != hashlib.sha1(data).hexdigest():
            failures.append(f"{path.name}: the SHA1 of {name} is not that of the file")
    if path.suffix != ".deb":
        continue
    # Its dependencies: every package its Depends names, at the version of
    # the package's own architecture installed here (or of one for all), or
    # in the root a cross build compiled against.
    fields = subprocess.run(["dpkg-deb", "-f", str(path), "Architecture", "Depends"],
                            capture_output=True, text=True, check=True).stdout
    arch = re.search(r"^Architecture: (\S+)", fields, re.M).group(1)
    cross = {"arm64": args.linux_arm64, "armhf": args.linux_armhf}.get(arch)
    root = (args.armhf_deb13_root if "+deb13_" in path.name
            else cache(cross, "CMAKE_SYSROOT") if cross else None)
    admindir = [f"--admindir={root}/var/lib/dpkg"] if root else []
    depends = re.search(r"^Depends: (.*)", fields, re.M).group(1)
    expected = {}
    for name in re.findall(r"(?:^|[,|]\s*)([a-z0-9][a-z0-9+.-]+)", depends):
        version = ""
        for which in (f"{name}:{arch}", f"{name}:all"):
            query = subprocess.run(["dpkg-query", *admindir, "-W", "-f", "${Version}", which],
                                   capture_output=True, text=True)
            if query.returncode == 0:
                version = query.stdout
                break
        expected[name] = version
    found = {packages[i]["name"]: packages[i].get("versionInfo", "")
             for i in related.get((package["SPDXID"], "DEPENDS_ON"), ())}
    if found != expected:
        failures.append(f"{path.name} depends on {sorted(found.items())}, not on "
                        f"{sorted(expected.items())} ({arch})")

# Exactly the libraries of each link map, as the program's static links.
for build, program in ((args.windows, "Quorvel.exe"), (args.web, "quorvel.js")):
    link_map = pathlib.Path(cache(build, "QUORVEL_LINK_MAP")).read_text()
    # Archives by their members; start-up objects as GNU ld loads them or
    # wasm-ld lists their sections.
    found = re.findall(r"(?<!\S)(/usr/\S+?\.a)\(", link_map)
    found += re.findall(r"^LOAD (/usr/\S+\.o)$", link_map, re.M)
    found += re.findall(r"(?<!\S)(/usr/\S+?\.o):\(", link_map)
    expected = {os.path.normpath(p) for p in found}
    for file_id in sorted(i for i in files if files[i]["fileName"].endswith("/" + program)):
        linked = {packages[i].get("packageFileName")
                  for i in related.get((file_id, "STATIC_LINK"), ())}
        if linked != expected:
            failures.append(f"{files[file_id]['fileName']} links {sorted(linked - expected)} "
                            f"beyond its link map and misses {sorted(expected - linked)}")

# Licence ids from SPDX's lists (Debian's node-spdx-license-ids and
# node-spdx-exceptions), or LicenseRef- ones with their text.
nodejs = pathlib.Path("/usr/share/nodejs")
known = set(json.loads((nodejs / "spdx-license-ids/index.json").read_text()))
exceptions = set(json.loads((nodejs / "spdx-exceptions/index.json").read_text()))
known |= {e["licenseId"] for e in document.get("hasExtractedLicensingInfos", [])
          if e.get("extractedText", "").strip()}
for element in list(packages.values()) + list(files.values()):
    for field in ("licenseConcluded", "licenseDeclared"):
        expression = element.get(field, "NOASSERTION")
        if expression in ("NOASSERTION", "NONE"):
            continue
        tokens = re.findall(r"[\w.+-]+", expression)
        for before, token in zip([""] + tokens, tokens):
            if token in ("AND", "OR", "WITH"):
                continue
            if token not in (exceptions if before == "WITH" else known):
                failures.append(f"{element['SPDXID']}: {token} is no SPDX "
                                f"{'exception' if before == 'WITH' else 'licence'} id")

if failures:
    sys.exit("\n".join(failures))
print(f"{len(document['packages'])} packages, {len(document['files'])} files, {len(written)} bytes")
