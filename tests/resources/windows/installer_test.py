#!/usr/bin/python3
"""The Windows installer under Wine, as a user and an administrator meet it:
installed silently, upgraded in place by a newer version,
refusing an older one, and removed without a trace. Runs inside the Wine
session (tools/wine-session), one step at a time; after each step
installed_state.exe reports what is there, and the report must be exactly
what the table below says."""

import argparse
import filecmp
import os
import pathlib
import shutil
import subprocess
import sys
import time

parser = argparse.ArgumentParser()
for option in ("cmake", "script", "wixl", "wxs", "version", "work", "probe", "product",
               "publisher", "program", "notices", "notices-source", "licence", "licence-source",
               "msi", "upgrade-code"):
    parser.add_argument("--" + option, required=True)
args = parser.parse_args()

work = pathlib.Path(args.work)
work.mkdir(parents=True, exist_ok=True)


def windows_path(path):
    # Wine shows the build's file system as drive Z:.
    return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\")


def build(version, folder=work):
    folder.mkdir(exist_ok=True)
    msi = folder / f"{args.product}-{version}-x64.msi"
    subprocess.run([args.cmake, f"-DWIXL={args.wixl}", f"-DWXS={args.wxs}",
                    f"-DVERSION={version}", f"-DOUTPUT={msi}", "-P", args.script], check=True)
    return msi


def msiexec(action, msi, log=None):
    command = ["wine", "msiexec", action, windows_path(msi), "/qn"]
    if log:
        command += ["/l*", windows_path(log)]
    started = time.monotonic()
    status = subprocess.run(command, stdin=subprocess.DEVNULL).returncode
    return status, time.monotonic() - started


def installed(start=False):
    command = ["wine", args.probe] + (["--start"] if start else [])
    report = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, text=True,
                            check=True).stdout
    return sorted(report.replace("\r", "").splitlines())


def everything(version):
    """What an installed version must leave, and nothing more."""
    return sorted([
        f"folder Programs\\{args.product}",
        f"file {args.program}",
        f"file {args.notices}",
        f"file {args.licence}",
        f"shortcut {args.product}.lnk to the program with an icon",
        f"entry {version} publisher={args.publisher} nomodify=1 icon",
        f"key HKCU\\Software\\{args.publisher}\\{args.product}",
    ])


current = args.version
major, minor, patch = (int(n) for n in current.split(".")[:3])
newer = f"{major}.{minor}.{patch + 1}.0"
# The installer as shipped, and a newer one built from the same source.
current_msi, newer_msi = pathlib.Path(args.msi), build(newer)
# Built again, the same version is another product to Windows Installer.
rebuilt_msi = build(current, work / "rebuilt")
refusal_log = work / "refused.log"
# Windows Installer's "fatal error" (1603), as Wine's exit status keeps its
# low eight bits.
REFUSED = 1603 & 0xFF

STEPS = [
    # step, msiexec action, installer, its exit status, version installed after
    ("install", "/i", current_msi, 0, current),
    ("the same version rebuilt", "/i", rebuilt_msi, 0, current),
    ("upgrade", "/i", newer_msi, 0, newer),
    ("older version refused", "/i", current_msi, REFUSED, newer),
    ("removal", "/x", newer_msi, 0, None),
]

# The files as the installer was built from them: the program stripped, as
# in the zip, beside the installer's source.
SHIPPED = {args.program: pathlib.Path(args.wxs).parent / args.program,
           args.notices: pathlib.Path(args.notices_source),
           args.licence: pathlib.Path(args.licence_source)}


def unlike_shipped():
    """The installed files that differ from those the installer was built from."""
    users = pathlib.Path(os.environ["WINEPREFIX"]) / "drive_c" / "users"
    folder = next(users.glob(f"*/AppData/Local/Programs/{args.product}"))
    return [name for name, source in SHIPPED.items()
            if not filecmp.cmp(folder / name, source, shallow=False)]


def remove_everything():
    """Removes whatever an earlier, interrupted run left in the reused prefix:
    each installed version, then what a half-done install leaves unregistered."""
    products = subprocess.run(["wine", args.probe, "--products", "{" + args.upgrade_code + "}"],
                              stdin=subprocess.DEVNULL, capture_output=True, text=True,
                              check=True).stdout.split()
    for product in products:
        subprocess.run(["wine", "msiexec", "/x", product, "/qn"], stdin=subprocess.DEVNULL)
    users = pathlib.Path(os.environ["WINEPREFIX"]) / "drive_c" / "users"
    for path in users.glob(f"*/AppData/Local/Programs/{args.product}"):
        shutil.rmtree(path)
    for path in users.glob(f"*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/"
                           f"{args.product}.lnk"):
        path.unlink()
    subprocess.run(["wine", "reg", "delete", f"HKCU\\Software\\{args.publisher}", "/f"],
                   stdin=subprocess.DEVNULL, capture_output=True)


failures = []
remove_everything()
if installed():
    sys.exit(f"Quorvel is still installed before the test: {installed()}")

try:
    for step, action, msi, expected_status, version in STEPS:
        status, seconds = msiexec(action, msi, refusal_log if expected_status else None)
        print(f"{step}: msiexec {action} {msi.name} took {seconds:.1f} s, status {status}")
        if status != expected_status:
            failures.append(f"{step}: msiexec returned {status}, not {expected_status}")
        expected = everything(version) if version else []
        # Each version installed starts, and shows its window.
        start = version is not None and not expected_status
        if start:
            expected = sorted(expected + ["window shown"])
        found = installed(start)
        if found != expected:
            failures.append(f"{step}: installed\n  " + "\n  ".join(found) +
                            "\nexpected\n  " + "\n  ".join(expected))
        elif version and unlike_shipped():
            failures.append(f"{step}: installed files unlike those shipped: {unlike_shipped()}")
    # Refused for being older, and not for some other fault. (Wine's log
    # leaves out the message a user would read.)
    log = refusal_log.read_bytes().replace(b"\0", b"").decode("utf-8", "replace")
    if "WIX_DOWNGRADE_DETECTED = {" not in log:
        failures.append(f"the older version was refused, but not as older ({refusal_log})")
finally:
    remove_everything()

if failures:
    sys.exit("\n".join(failures))
print("every step left what it must")
