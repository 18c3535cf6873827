#!/usr/bin/env python3
"""Runs zelvoc over corpus sentences and compares the result with OpenCC's.

Shared by tools/gen_ctwa_libs.py (on the tuning half) and benchmarks/accuracy.sh (on
the held-out half). The reference is Debian's `opencc` on the OpenCC 1.4.2 dictionaries
(tools/opencc_data.py): s2tw for GBK->Big5 without word adjustment, s2twp with it, tw2s
and tw2sp for Big5->GBK. A sentence counts only where the reference can be written in the
target encoding.
"""

import difflib
import os
import subprocess
import sys
import tempfile

DIRECTIONS = {
    # name: (corpus, source codec, target codec, zelvoc --from, reference tables, reference full)
    "G2B": ("simplified", "gbk", "cp950", "gbk", "s2tw", "s2twp"),
    "B2G": ("traditional", "cp950", "gbk", "big5", "tw2s", "tw2sp"),
}


def encodable(text, codec):
    try:
        text.encode(codec)
    except UnicodeEncodeError:
        return False
    return True


def is_han(char):
    return "\u3400" <= char <= "\u9fff" or "\uf900" <= char <= "\ufaff"


class Zelvoc:
    """zelvoc convert over many lines at once (one line each; no item holds a line feed)."""

    def __init__(self, path, home=None):
        self.path = path
        self.home = home

    def run(self, lines, source, mode, home=None):
        if not lines:
            return []
        with tempfile.TemporaryDirectory() as work:
            src, dst = os.path.join(work, "in.txt"), os.path.join(work, "out.txt")
            with open(src, "wb") as f:
                f.write(b"\n".join(lines))
            command = [self.path, "convert", "--from", source, "--mode", str(mode)]
            home = home or self.home
            if home:
                command += ["--home", home]
            subprocess.run(command + [src, dst], check=True)
            with open(dst, "rb") as f:
                out = f.read().split(b"\n")
        if len(out) != len(lines):
            sys.exit("zelvoc returned %d lines for %d" % (len(out), len(lines)))
        return out


class Case:
    """One corpus sentence of one direction with its two references (None where the
    target encoding cannot carry it)."""

    __slots__ = ("text", "source", "tables", "full")

    def __init__(self, text, source, tables, full):
        self.text, self.source, self.tables, self.full = text, source, tables, full


def build_cases(reference, direction, sentences):
    corpus, source_codec, target_codec, _, tables_config, full_config = DIRECTIONS[direction]
    sentences = [s for s in sentences if encodable(s, source_codec)]
    tables = reference.convert(tables_config, sentences)
    full = reference.convert(full_config, sentences)
    cases = []
    for text, t, f in zip(sentences, tables, full):
        cases.append(Case(text, text.encode(source_codec), t if encodable(t, target_codec) else None,
                          f if encodable(f, target_codec) else None))
    return cases


def matched_han(got, expected):
    """Chinese characters of expected that got has in the same place."""
    if len(got) == len(expected):
        return sum(1 for a, b in zip(got, expected) if a == b and is_han(b))
    matcher = difflib.SequenceMatcher(None, got, expected, autojunk=False)
    return sum(sum(1 for ch in expected[m.b:m.b + m.size] if is_han(ch)) for m in matcher.get_matching_blocks())


def score(outputs, expectations, target_codec):
    """(sentences, identical sentences, Chinese characters, identical characters)."""
    sentences = same = chars = same_chars = 0
    for out, expected in zip(outputs, expectations):
        if expected is None:
            continue
        got = out.decode(target_codec, errors="replace")
        sentences += 1
        same += got == expected
        chars += sum(1 for ch in expected if is_han(ch))
        same_chars += matched_han(got, expected)
    return sentences, same, chars, same_chars


def measure(zelvoc, cases, direction, home=None):
    """{"tables": score, "full": score} for zelvoc's mode 3 and mode 0 on the cases."""
    _, _, target_codec, source, _, _ = DIRECTIONS[direction]
    sources = [c.source for c in cases]
    plain = zelvoc.run(sources, source, 3, home)
    full = zelvoc.run(sources, source, 0, home)
    return {"tables": score(plain, [c.tables for c in cases], target_codec),
            "full": score(full, [c.full for c in cases], target_codec)}
