#!/usr/bin/env python3
"""Builds the compiled UI string table from services/strings/ui_strings.txt.

Writes services/strings/ui_string_table.inc (the records: English, GBK and Big5 bytes as C
string literals) and services/strings/ui_string_ids.h (the IDS_ names as an enum).

The source file is UTF-8. Each entry starts with a header line

    [id NAME Section]

followed by "en = ", "zh-Hans = " and "zh-Hant = " lines. A key given more than once adds
a line to the text (lines are joined with CR LF). Inside a value, \\r\\n, \\n, \\t and \\\\
stand for CR LF, CR LF, a tab and a backslash; "\\=" at the very start keeps a value that
must begin with a blank. Lines starting with "#" are comments.

Every entry is checked before anything is written; the first run that finds a problem lists
all of them and exits with status 1, leaving the outputs untouched.
"""

import argparse
import os
import re
import sys

COLUMNS = ("en", "zh-Hans", "zh-Hant")
SECTIONS = {
    "QXT": "QXT",
    "DIALOG": "Dialog",
    "ERROR": "Error",
    "MENU": "Menu",
    "MESSAGE": "Message",
    "PROFILE": "Profile",
    "TIP": "Tip",
    "WDAD": "WDAD",
}
INFO_NAMES = {1: "Shell_Language", 2: "Shell_LCID", 3: "Shell_Translator"}
PLACEHOLDER = re.compile(r"%[1-3]|#[1-9A-C]")
HEADER = re.compile(r"^\[(\d+) ([A-Za-z0-9_]+) ([A-Za-z]+)\]$")


class Entry:
    def __init__(self, ident, name, section, line):
        self.id = ident
        self.name = name
        self.section = section
        self.line = line
        self.texts = {column: None for column in COLUMNS}


def Unescape(value):
    out = []
    i = 0
    if value.startswith("\\="):
        i = 2
    while i < len(value):
        c = value[i]
        if c == "\\" and i + 1 < len(value):
            n = value[i + 1]
            if value.startswith("\\r\\n", i):
                out.append("\r\n")
                i += 4
                continue
            if n == "n":
                out.append("\r\n")
            elif n == "t":
                out.append("\t")
            elif n == "\\":
                out.append("\\")
            elif n == '"':
                out.append('"')
            else:
                out.append(c + n)
            i += 2
            continue
        out.append(c)
        i += 1
    return "".join(out)


def Parse(path, problems):
    entries = []
    current = None
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\r\n")
            if not line.strip() or line.startswith("#"):
                continue
            header = HEADER.match(line)
            if header:
                current = Entry(int(header.group(1)), header.group(2), header.group(3), number)
                entries.append(current)
                continue
            key, sep, value = line.partition(" = ")
            if not sep and line.rstrip().endswith(" ="):
                key, sep, value = line.rstrip()[:-2], " =", ""
            key = key.strip()
            if not sep or key not in COLUMNS:
                problems.append(f"line {number}: not a header or a text line: {line!r}")
                continue
            if current is None:
                problems.append(f"line {number}: text before the first entry header")
                continue
            text = Unescape(value)
            previous = current.texts[key]
            current.texts[key] = text if previous is None else previous + "\r\n" + text
    return entries


def MnemonicCount(text):
    # "&&" shows a literal ampersand and is no mnemonic.
    return len(re.findall(r"&(?!&)", text.replace("&&", "")))


def Check(entries, problems):
    seen_ids = {}
    seen_names = {}
    for e in entries:
        where = f"line {e.line} ({e.name})"
        if e.id in seen_ids:
            problems.append(f"{where}: id {e.id} already used on line {seen_ids[e.id]}")
        seen_ids.setdefault(e.id, e.line)
        if e.name in seen_names:
            problems.append(f"{where}: name already used on line {seen_names[e.name]}")
        seen_names.setdefault(e.name, e.line)
        if e.id <= 0:
            problems.append(f"{where}: id must be positive (0 ends the table)")
        if e.name.startswith("IDS_"):
            group = e.name.split("_")[1]
            expected = SECTIONS.get(group)
            if expected is None:
                problems.append(f"{where}: unknown group {group}")
            elif e.section != expected:
                problems.append(f"{where}: section {e.section}, expected {expected}")
        elif INFO_NAMES.get(e.id) != e.name or e.section != "Info":
            problems.append(f"{where}: only ids 1-3 may be Info records, named {INFO_NAMES}")
        missing = [c for c in COLUMNS if e.texts[c] is None]
        if missing:
            problems.append(f"{where}: missing {', '.join(missing)}")
            continue
        if e.section == "Info":
            continue
        en = e.texts["en"]
        for column in COLUMNS[1:]:
            text = e.texts[column]
            if sorted(set(PLACEHOLDER.findall(text))) != sorted(set(PLACEHOLDER.findall(en))):
                problems.append(f"{where}: {column} placeholders {sorted(set(PLACEHOLDER.findall(text)))}"
                                f" differ from English {sorted(set(PLACEHOLDER.findall(en)))}")
            if MnemonicCount(text) != MnemonicCount(en):
                problems.append(f"{where}: {column} has {MnemonicCount(text)} '&', English {MnemonicCount(en)}")
            if ("\t" in text) != ("\t" in en):
                problems.append(f"{where}: {column} tab presence differs from English")
            if text.count("\r\n") != en.count("\r\n"):
                problems.append(f"{where}: {column} has {text.count(chr(13) + chr(10)) + 1} lines,"
                                f" English {en.count(chr(13) + chr(10)) + 1}")
            if not text and en:
                problems.append(f"{where}: {column} is empty")
    for e in entries:
        for column, codec in (("zh-Hans", "gbk"), ("zh-Hant", "cp950")):
            text = e.texts[column]
            if text is None:
                continue
            try:
                text.encode(codec)
            except UnicodeEncodeError as err:
                problems.append(f"line {e.line} ({e.name}): {column} character {text[err.start]!r}"
                                f" has no {codec} code")
        if e.texts["en"] is not None:
            try:
                e.texts["en"].encode("ascii")
            except UnicodeEncodeError:
                problems.append(f"line {e.line} ({e.name}): English text must be ASCII")


def CLiteral(data):
    out = ['"']
    after_hex = False
    for b in data:
        c = chr(b)
        if b >= 0x80 or b < 0x20 and c not in "\r\n\t":
            out.append(f"\\x{b:02X}")
            after_hex = True
            continue
        if after_hex and c in "0123456789abcdefABCDEF":
            # A hex escape swallows every following hex digit: end the literal first.
            out.append('" "')
        after_hex = False
        out.append({"\r": "\\r", "\n": "\\n", "\t": "\\t", '"': '\\"', "\\": "\\\\"}.get(c, c))
    out.append('"')
    return "".join(out)


def WriteTable(entries, path, source_name):
    lines = [
        f"// Generated by tools/gen_ui_strings.py from {source_name}; do not edit.",
        "// One record per entry: id, reserved, name, section, English, GBK bytes, Big5 bytes.",
        "// The last record has id 0 and ends the table.",
    ]
    for e in entries:
        fields = [
            str(e.id),
            "0",
            CLiteral(e.name.encode("ascii")),
            CLiteral(e.section.encode("ascii")),
            CLiteral(e.texts["en"].encode("ascii")),
            CLiteral(e.texts["zh-Hans"].encode("gbk")),
            CLiteral(e.texts["zh-Hant"].encode("cp950")),
        ]
        lines.append("{" + ", ".join(fields) + "},")
    lines.append('{0, 0, "", "", "", "", ""},')
    WriteIfChanged(path, "\n".join(lines) + "\n")


def WriteIds(entries, path, source_name):
    lines = [
        f"// Generated by tools/gen_ui_strings.py from {source_name}; do not edit.",
        "#pragma once",
        "",
        "namespace zelvo {",
        "",
        "enum UiStringId : int {",
    ]
    for e in entries:
        if e.name.startswith("IDS_"):
            lines.append(f"    {e.name} = {e.id},")
    lines += ["};", "", f"inline constexpr int kUiStringRecordCount = {len(entries)};", "",
              "}  // namespace zelvo"]
    WriteIfChanged(path, "\n".join(lines) + "\n")


def WriteIfChanged(path, text):
    try:
        with open(path, encoding="utf-8", newline="") as f:
            if f.read() == text:
                return
    except FileNotFoundError:
        pass
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=os.path.join(root, "services", "strings", "ui_strings.txt"))
    parser.add_argument("--out-dir", default=os.path.join(root, "services", "strings"))
    parser.add_argument("--check", action="store_true", help="check the source only")
    args = parser.parse_args()

    problems = []
    entries = Parse(args.source, problems)
    Check(entries, problems)
    if problems:
        for p in problems:
            print(f"{args.source}: {p}", file=sys.stderr)
        print(f"{len(problems)} problem(s); nothing written", file=sys.stderr)
        return 1
    if args.check:
        print(f"{len(entries)} entries, no problems")
        return 0
    source_name = "services/strings/ui_strings.txt"
    WriteTable(entries, os.path.join(args.out_dir, "ui_string_table.inc"), source_name)
    WriteIds(entries, os.path.join(args.out_dir, "ui_string_ids.h"), source_name)
    groups = {}
    for e in entries:
        groups[e.section] = groups.get(e.section, 0) + 1
    print(f"{len(entries)} entries: " + ", ".join(f"{k} {v}" for k, v in groups.items()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
