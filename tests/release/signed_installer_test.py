#!/usr/bin/python3
"""The installer test of make windows (tests/resources/windows), run on a
signed installer of a release instead of the one the Windows test build made:
its command line as CTest has it, with the installer, the WiX source it was
built from and the work folder replaced, inside that build's Wine session."""

import argparse
import json
import os
import pathlib
import subprocess
import sys

parser = argparse.ArgumentParser()
for option in ("build", "msi", "wxs", "work"):
    parser.add_argument("--" + option, required=True)
args = parser.parse_args()
build = pathlib.Path(args.build).resolve()
root = pathlib.Path(__file__).resolve().parents[2]

# Only listed, not run: ctest asks for the session's prefix and a display
# before it lists the Windows tests.
listing = dict(os.environ, WINEPREFIX=str(build / "wine" / "prefix"), DISPLAY=":listing")
tests = json.loads(subprocess.run(
    ["ctest", "--test-dir", build, "--show-only=json-v1", "-R", "^windows_installer$"],
    check=True, capture_output=True, text=True, env=listing).stdout)["tests"]
if len(tests) != 1:
    sys.exit(f"no windows_installer test in {build}")
command = tests[0]["command"]
replacements = {"--msi": args.msi, "--wxs": args.wxs, "--work": args.work}
for option, value in replacements.items():
    command[command.index(option) + 1] = str(pathlib.Path(value).resolve())
environment = [p["value"] for p in tests[0].get("properties", []) if p["name"] == "ENVIRONMENT"]
environment = [item for value in environment for item in value]

status = subprocess.run([root / "tools" / "wine-session", build / "wine", "env", *environment,
                         *command], stdin=subprocess.DEVNULL).returncode
sys.exit(status)
