#!/usr/bin/env python3
"""Builds a UI language pack (package/Language/<name>.ini) from the UI string table's English
column and a UTF-8 translation file.

Inputs:
  services/strings/ui_strings.txt   the UI string table (entries, sections, English texts)
  services/strings/japanese.txt     translations keyed by entry name (default input)

Translation file: lines starting with "#" are comments; an entry is a header line
"[NAME]" followed by one or more "text = ..." lines (several lines make a text of
several lines, joined with CR LF). Escapes as in ui_strings.txt: \\t, \\r\\n, \\n, \\\\.
"[Info]" carries "language", "lcid" and "translator" lines for the pack's Info section.

Every entry of the table is written; an entry without a translation gets its English text.
Each translation must keep the English text's %1..%3 and #1..#C placeholders, its number of
"&" mnemonics, its "\\t" accelerator suffix (in a text of several lines, where tabs only lay
the text out: its number of tabs) and its number of lines, must be encodable in the pack's
code page without half-width katakana (single bytes the Chinese code pages would read as lead
bytes), and must survive the settings file format (no leading or trailing blank, no
line that reads as a block marker). Problems are listed and nothing is written.

  python3 tools/gen_language_pack.py [--translations FILE] [--codec cp932] [--output FILE]
"""

import argparse
import importlib.util
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def LoadTableTool():
    spec = importlib.util.spec_from_file_location("gen_ui_strings", os.path.join(HERE, "gen_ui_strings.py"))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def ParseTranslations(path, unescape, problems):
    texts = {}
    info = {}
    current = None
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\r\n")
            if not line.strip() or line.startswith("#"):
                continue
            if line.startswith("[") and line.endswith("]"):
                current = line[1:-1].strip()
                if current != "Info" and current in texts:
                    problems.append(f"{path}:{number}: {current} translated twice")
                if current != "Info":
                    texts[current] = None
                continue
            key, sep, value = line.partition(" = ")
            if not sep or current is None:
                problems.append(f"{path}:{number}: expected 'text = ...' under an [ENTRY] header")
                continue
            value = unescape(value)
            if current == "Info":
                info[key.strip()] = value
            elif key.strip() != "text":
                problems.append(f"{path}:{number}: unknown key {key.strip()!r}")
            else:
                texts[current] = value if texts[current] is None else texts[current] + "\r\n" + value
    return texts, info


def CheckTranslation(tool, name, english, text, codec, problems):
    where = f"{name}"
    found = lambda t: sorted(set(tool.PLACEHOLDER.findall(t)))
    if found(text) != found(english):
        problems.append(f"{where}: placeholders {found(text)} differ from English {found(english)}")
    if tool.MnemonicCount(text) != tool.MnemonicCount(english):
        problems.append(f"{where}: {tool.MnemonicCount(text)} '&', English {tool.MnemonicCount(english)}")
    if ("\t" in text) != ("\t" in english):
        problems.append(f"{where}: tab presence differs from English")
    elif "\r\n" not in english:
        # In a text of one line a tab starts the accelerator suffix, which stays as it is.
        if "\t" in text and text.split("\t", 1)[1] != english.split("\t", 1)[1]:
            problems.append(f"{where}: accelerator suffix differs from English")
    elif text.count("\t") != english.count("\t"):
        # In a text of several lines tabs only lay the text out.
        problems.append(f"{where}: {text.count(chr(9))} tabs, English {english.count(chr(9))}")
    if text.count("\r\n") != english.count("\r\n"):
        problems.append(f"{where}: {text.count(chr(13) + chr(10)) + 1} lines, English "
                        f"{english.count(chr(13) + chr(10)) + 1}")
    if not text:
        problems.append(f"{where}: empty")
    if any("\uff61" <= c <= "\uff9f" for c in text):
        problems.append(f"{where}: half-width katakana")
    try:
        text.encode(codec)
    except UnicodeEncodeError as err:
        problems.append(f"{where}: {text[err.start]!r} has no {codec} code")
    CheckStorable(where, text, problems)


def CheckStorable(where, text, problems):
    blanks = " \t\r\n"
    if text and (text[0] in blanks or text[-1] in blanks):
        problems.append(f"{where}: a value cannot start or end with a blank in a settings file")
    for line in text.split("\r\n"):
        if line.endswith(" = {{Block}}"):
            problems.append(f"{where}: a line reads as a block header")


def ValueLines(key, text):
    # Texts of several lines are written as blocks, with "<" and ">" doubled inside.
    if "\r\n" not in text and "\n" not in text:
        return [f"{key} = {text}"]
    body = text.replace("<", "<<").replace(">", ">>")
    return [f"{key} = {{{{Block}}}}", "<B Start>"] + body.split("\r\n") + ["<B End>"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--table", default=os.path.join(ROOT, "services", "strings", "ui_strings.txt"))
    parser.add_argument("--translations", default=os.path.join(ROOT, "services", "strings", "japanese.txt"))
    parser.add_argument("--codec", default="cp932")
    parser.add_argument("--output", default=os.path.join(ROOT, "package", "Language", "japanese.ini"))
    args = parser.parse_args()

    tool = LoadTableTool()
    problems = []
    entries = tool.Parse(args.table, problems)
    texts, info = ParseTranslations(args.translations, tool.Unescape, problems)
    for key in ("language", "lcid", "translator"):
        if not info.get(key):
            problems.append(f"[Info] needs {key}")

    known = {e.name for e in entries}
    for name in texts:
        if name not in known:
            problems.append(f"{name}: not an entry of the table")
        elif texts[name] is None:
            problems.append(f"{name}: header without text")

    sections = []
    by_section = {}
    translated = 0
    for e in entries:
        if e.section == "Info":
            continue
        english = e.texts["en"]
        text = texts.get(e.name)
        if text is None:
            text = english
            CheckStorable(e.name + " (English)", text, problems)
        else:
            translated += 1
            CheckTranslation(tool, e.name, english, text, args.codec, problems)
        if e.section not in by_section:
            sections.append(e.section)
            by_section[e.section] = []
        by_section[e.section].extend(ValueLines(e.name, text))

    if problems:
        for problem in problems:
            print(problem, file=sys.stderr)
        print(f"{len(problems)} problem(s); nothing written", file=sys.stderr)
        return 1

    lines = [
        f"; Zelvo UI language pack, generated by tools/gen_language_pack.py from",
        f"; {os.path.relpath(args.translations, ROOT)} and the English column of {os.path.relpath(args.table, ROOT)}.",
        "[Info]",
        f"Shell_Language = {info['language']}",
        f"Shell_LCID = {info['lcid']}",
        f"Shell_Translator = {info['translator']}",
    ]
    for section in sections:
        lines += ["", f"[{section}]"] + by_section[section]
    data = ("\r\n".join(lines) + "\r\n").encode(args.codec)
    os.makedirs(os.path.dirname(args.output), exist_ok=True)
    with open(args.output, "wb") as f:
        f.write(data)
    total = sum(1 for e in entries if e.section != "Info")
    rest = ", the rest in English" if translated < total else ""
    print(f"{args.output}: {translated} of {total} entries translated{rest}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
