"""The shared control table (ui/form/control_table.h), read for the tests.

The page is checked against the one description every front-end renders;
whether that description matches the design is the form tests' business.
"""

import re
from dataclasses import dataclass
from pathlib import Path

ROW = re.compile(
    r'ControlRow\{"(?P<name>\w+)",\s*(?P<kind>\w+),\s*(?:nullptr|"(?P<container>\w+)"),\s*'
    r'(?:"(?P<text>(?:[^"\\]|\\.)*)"|(?P<constant>\w+)),\s*'
    r'(?P<left>\d+),\s*(?P<top>\d+),\s*(?P<width>\d+),\s*(?P<height>\d+),\s*(?P<tab>\d+),\s*'
    r'(?P<weight>\w+),\s*(?P<extra>\w+),\s*(?:nullptr|"(?P<accessible>[^"]*)")\}')
TWIPS_PER_PIXEL = 15
FOCUSABLE = ("TextBox", "OptionButton", "CommandButton")


@dataclass
class Control:
    name: str
    kind: str
    container: str | None
    text: str | None  # None: a constant of the program's, not a literal
    left: int
    top: int
    width: int
    height: int
    tab_index: int
    bold: bool
    extra: str
    accessible_name: str | None


def read_table(header):
    source = Path(header).read_text(encoding="utf-8")
    controls = [Control(m["name"], m["kind"], m["container"], m["text"],
                        int(m["left"]), int(m["top"]), int(m["width"]), int(m["height"]),
                        int(m["tab"]), m["weight"] == "Bold", m["extra"], m["accessible"])
                for m in ROW.finditer(source)]
    caption = re.search(r'kCaption\s*=\s*"([^"]*)"', source)[1]
    width = int(re.search(r"kClientWidthTwips\s*=\s*(\d+)", source)[1])
    if len(controls) != 50:
        raise ValueError(f"read {len(controls)} controls from {header}, not 50")
    return controls, caption, width // TWIPS_PER_PIXEL


def pairs(controls):
    """Each frame's name and its option buttons."""
    groups = {}
    for c in controls:
        if c.kind == "OptionButton":
            groups.setdefault(c.container, []).append(c)
    return groups


def tab_stops(controls):
    """The Tab key's stops from the first: focusable controls by TabIndex, a
    pair only at its selected button."""
    stops = sorted((c for c in controls if c.kind in FOCUSABLE), key=lambda c: c.tab_index)
    return [c.name for c in stops if c.kind != "OptionButton" or c.extra == "Selected"]
