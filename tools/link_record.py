"""What a link took from outside the build, and whose notices that asks for.

The link record is the linker's map: GNU ld's -Map for the Windows program,
wasm-ld's --print-map for the web page. Both name each library member the
link took code from as /path/libname.a(member.o), and the Windows start-up
objects as LOAD lines. A notices file (resources/*/THIRD-PARTY-NOTICES.txt)
gives, per numbered section, the libraries it covers ("Linked from:") and
their licence ("SPDX-License-Identifier:"). Used by the notices tests and by
tools/spdx-document; standard library only."""

import os
import pathlib
import re
import subprocess


class LinkRecordError(Exception):
    pass


def pulled(map_path):
    """{library path: member names} of every archive and object from the
    system that the link took code from (objects have no members)."""
    path = pathlib.Path(map_path)
    if not path.is_file():
        raise LinkRecordError(f"no link record at {map_path}: build the program first")
    text = path.read_text()
    found = {}
    for library, member in re.findall(r"(?<!\S)(/usr/[^\s()]+\.a)\(([^\s()]+)\)", text):
        found.setdefault(os.path.normpath(library), set()).add(member)
    objects = re.findall(r"^LOAD (/usr/\S+\.o)$", text, re.M)
    objects += re.findall(r"(?<!\S)(/usr/[^\s()]+\.o):\(", text)
    for obj in objects:
        found.setdefault(os.path.normpath(obj), set())
    if not found:
        raise LinkRecordError(f"{map_path} names no library from the system: has its format changed?")
    return found


def words(text):
    return " ".join(text.split())


class Section:
    def __init__(self, title, libraries, licence, text):
        self.title, self.libraries, self.licence, self.text = title, libraries, licence, text


def sections(notices_path):
    """The numbered sections of a notices file."""
    text = pathlib.Path(notices_path).read_text()
    parts = re.split(r"^\d+\. (.+)\n-+\n", text, flags=re.M)
    result = []
    for title, body in zip(parts[1::2], parts[2::2]):
        linked = re.search(r"^Linked from:(.*?)(?:\n\n|\n(?=\S+:))", body, re.M | re.S)
        licence = re.search(r"^SPDX-License-Identifier: (.+)$", body, re.M)
        if not linked or not licence:
            raise LinkRecordError(f"{notices_path}: section {title!r} lacks its Linked from "
                                  "or SPDX-License-Identifier line")
        libraries = set(re.findall(r"(?<![\w+-])([\w+-]+\.(?:a|o|js))\b", linked.group(1)))
        result.append(Section(title, libraries, licence.group(1).strip(), body.strip()))
    return result


def licences(libraries, notice_sections):
    """{library file name: SPDX expression}, from the sections naming it;
    a library no section names is an error."""
    result = {}
    for name in sorted(libraries):
        found = sorted({s.licence for s in notice_sections if name in s.libraries})
        if not found:
            raise LinkRecordError(f"the link took code from {name}, which the notices do not name")
        result[name] = conjunction(found)
    return result


def unwrap(term):
    """term without parentheses around all of it."""
    while term.startswith("(") and term.endswith(")"):
        depth = 0
        for c in term[:-1]:
            depth += {"(": 1, ")": -1}.get(c, 0)
            if depth == 0:
                return term
        term = term[1:-1].strip()
    return term


def conjuncts(expression):
    """The terms an SPDX expression joins with AND, at any depth."""
    terms, depth, start = [], 0, 0
    for i, c in enumerate(expression):
        depth += {"(": 1, ")": -1}.get(c, 0)
        if depth == 0 and expression.startswith(" AND ", i):
            terms.append(expression[start:i])
            start = i + 5
    terms.append(expression[start:])
    result = []
    for term in (unwrap(t.strip()) for t in terms):
        inner = conjuncts(term) if term != expression else [term]
        result += inner if len(inner) > 1 else [term]
    return result


def conjunction(expressions):
    """One SPDX expression for code under all of expressions at once."""
    terms = sorted({t for e in expressions for t in conjuncts(e)})
    return " AND ".join(f"({t})" if " OR " in t and len(terms) > 1 else t for t in terms)


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


def without_grant(paragraph, text):
    """text, a License field's own text, less the grant it may open with.
    Debian 12's copyright files give the grant (whose licence applies and
    where its text is) as a License-Grant field; Debian 13's emscripten puts
    it at the head of the License field. The notices carry the licence's
    text, not the pointer to it; a body that is only a grant leaves the text
    to the stand-alone License paragraphs, as an empty one does."""
    if "License-Grant" in paragraph:
        return text
    grant, _, rest = text.partition("\n\n")
    if re.search(r"<[^<>\s]+>", grant) and re.search(r"licen[cs]e", grant, re.I):
        return rest
    return text


def missing_notice(notices, copyright_paragraphs, files):
    """What the notices lack of the copyright paragraph whose first Files
    entry is files: its first copyright holder and its licence's text (the
    paragraph's own, or the stand-alone License paragraphs it names)."""
    found = [p for p in copyright_paragraphs if p.get("Files", "").split()[:1] == [files]]
    if not found:
        return [f"the copyright file has no paragraph for {files}"]
    paragraph = found[0]
    name, _, text = paragraph["License"].partition("\n")
    text = without_grant(paragraph, text)
    texts = [text] if text.strip() else [
        next((p["License"].partition("\n")[2] for p in copyright_paragraphs
              if "Files" not in p and p.get("License", "").split("\n")[0] == one), "")
        for one in re.split(r"\s+or\s+", name)]
    holder = paragraph["Copyright"].strip().split("\n")[0]
    failures = []
    if words(holder) not in words(notices):
        failures.append(f"the notice for {files} lacks its copyright line: {holder}")
    for one in texts:
        if not one.strip() or words(one) not in words(notices):
            failures.append(f"the notice for {files} is not the {name} text of its copyright paragraph")
    return failures


def debian_package(path):
    """(package, version, source package, source version) of the installed
    Debian package that owns path."""
    for candidate in dict.fromkeys((os.path.normpath(path), os.path.realpath(path))):
        owner = subprocess.run(["dpkg-query", "-S", candidate], capture_output=True, text=True)
        if owner.returncode == 0:
            package = owner.stdout.split(":")[0].split(",")[0].strip()
            break
    else:
        raise LinkRecordError(f"no installed Debian package owns {path}")
    fields = subprocess.run(
        ["dpkg-query", "-W", "-f", "${Package}\t${Version}\t${source:Package}\t${source:Version}",
         package], capture_output=True, text=True, check=True).stdout
    return tuple(fields.split("\t"))
