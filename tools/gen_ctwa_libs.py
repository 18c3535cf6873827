#!/usr/bin/env python3
"""Generates the six system word adjustment libs of the ctwa folder.

Inputs (Debian package `opencc`, Apache-2.0): the phrase dictionaries STPhrases,
TSPhrases, TWPhrases and TWPhrasesRev, dumped to text with `opencc_dict`, and the
`opencc` command with its t2s configuration. The character conversion itself is the
program's own: every "word before adjustment" is what the built `zelvoc convert` makes of
the source-side phrase, so the libs always match the code tables they run after.

    tools/gen_ctwa_libs.py [--zelvoc build/native/dist/zelvoc] [--out package/ctwa]

Steps, per direction:
  base lib    source phrase through the code tables -> the correct target phrase,
              kept when the two differ and both are encodable;
  pdaf lib    words that differ between mainland and Taiwan usage, the word before
              being what the tables and the base lib make of the source-side word;
  final fix   every phrase of the dictionaries through the whole pipeline with the
              two libs above; each result that comes out wrong becomes a fix from the
              wrong result to the right one.
The script ends by running the full pipeline once more and printing the share of
dictionary phrases converted exactly.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

OPENCC_DIR = "/usr/share/opencc"

KIND_NAMES = {
    1: "base lib (gbk)",
    2: "base lib (big5)",
    3: "phrase difference adjustment foundation lib (gbk)",
    4: "phrase difference adjustment foundation lib (big5)",
    5: "final fix lib (gbk)",
    6: "final fix lib (big5)",
}
FILES = {1: "basegb.txt", 2: "basebig.txt", 3: "pdafgb.txt", 4: "pdafbig.txt", 5: "ffgb.txt", 6: "ffbig.txt"}


def dump_dictionary(name, work):
    out = os.path.join(work, name + ".txt")
    subprocess.run(["opencc_dict", "-i", os.path.join(OPENCC_DIR, name + ".ocd2"), "-o", out,
                    "-f", "ocd2", "-t", "text"], check=True)
    pairs = []
    with open(out, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if "\t" not in line:
                continue
            key, values = line.split("\t", 1)
            values = values.split(" ")
            if key and values and values[0]:
                pairs.append((key, values[0]))
    return pairs


def opencc_lines(config, lines, work):
    """Runs the opencc command over lines (one phrase each); returns the converted lines."""
    src = os.path.join(work, "opencc-in.txt")
    dst = os.path.join(work, "opencc-out.txt")
    with open(src, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    subprocess.run(["opencc", "-c", config, "-i", src, "-o", dst], check=True)
    with open(dst, encoding="utf-8") as f:
        out = f.read().split("\n")
    return out[:len(lines)]


def encode(text, codec):
    try:
        data = text.encode(codec)
    except UnicodeEncodeError:
        return None
    # A comma or a line break inside a word would break the lib's line format.
    if b"," in data or b"\r" in data or b"\n" in data:
        return None
    return data


class Converter:
    """Runs zelvoc over many phrases at once, one phrase per line."""

    def __init__(self, zelvoc, work):
        self.zelvoc = zelvoc
        self.work = work

    def run(self, phrases, source, mode, home=None):
        if not phrases:
            return []
        src = os.path.join(self.work, "zelvoc-in.txt")
        dst = os.path.join(self.work, "zelvoc-out.txt")
        with open(src, "wb") as f:
            f.write(b"\n".join(phrases))
        command = [self.zelvoc, "convert", "--from", source, "--mode", str(mode)]
        if home:
            command += ["--home", home]
        subprocess.run(command + [src, dst], check=True)
        with open(dst, "rb") as f:
            out = f.read().split(b"\n")
        if len(out) != len(phrases):
            sys.exit("zelvoc returned %d lines for %d phrases" % (len(out), len(phrases)))
        return out


def write_lib(path, kind, items):
    lines = [(";%s" % KIND_NAMES[kind]).encode("ascii")]
    for before in sorted(items):
        lines.append(before + b"," + items[before])
    with open(path, "wb") as f:
        f.write(b"\r\n".join(lines))


def add_items(items, befores, afters, stats):
    for before, after in zip(befores, afters):
        if before is None or after is None or before == after or len(before) < 2:
            continue
        known = items.get(before)
        if known is None:
            items[before] = after
        elif known != after:
            stats["conflicts"] += 1


def make_home(work, name, libs):
    """A program folder holding only the given libs (kind -> items); the others empty."""
    home = os.path.join(work, name)
    ctwa = os.path.join(home, "ctwa")
    os.makedirs(os.path.join(ctwa, "custbig"), exist_ok=True)
    os.makedirs(os.path.join(ctwa, "custgb"), exist_ok=True)
    for kind in KIND_NAMES:
        write_lib(os.path.join(ctwa, FILES[kind]), kind, libs.get(kind, {}))
    return home


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--zelvoc", default=os.path.join(root, "build", "native", "dist", "zelvoc"))
    parser.add_argument("--out", default=os.path.join(root, "package", "ctwa"))
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="zelvo-libs-")
    try:
        conv = Converter(args.zelvoc, work)
        st = dump_dictionary("STPhrases", work)
        ts = dump_dictionary("TSPhrases", work)
        tw = dump_dictionary("TWPhrases", work)
        tw_rev = dump_dictionary("TWPhrasesRev", work)

        # Simplified -> traditional pairs, and the reverse, from both phrase dictionaries.
        g2b_pairs = st + [(s, t) for t, s in ts]
        b2g_pairs = [(t, s) for s, t in st] + ts

        libs = {}
        stats = {"conflicts": 0}

        def encoded(pairs, source_codec, target_codec):
            out = []
            for source, target in pairs:
                sb, tb = encode(source, source_codec), encode(target, target_codec)
                if sb is not None and tb is not None:
                    out.append((sb, tb))
            return out

        g2b = encoded(g2b_pairs, "gbk", "cp950")
        b2g = encoded(b2g_pairs, "cp950", "gbk")

        # Base libs: what the tables make of the source phrase -> the right phrase.
        libs[2] = {}
        add_items(libs[2], conv.run([s for s, _ in g2b], "gbk", 3), [t for _, t in g2b], stats)
        libs[1] = {}
        add_items(libs[1], conv.run([s for s, _ in b2g], "big5", 3), [t for _, t in b2g], stats)

        # Phrase difference libs. Mainland word (traditional form) -> Taiwan word for G2B;
        # the simplified source word is found with opencc's t2s, and the word before
        # adjustment is what tables plus base lib make of it.
        base_home = make_home(work, "home-base", {1: libs[1], 2: libs[2]})
        tw_simplified = opencc_lines("t2s.json", [k for k, _ in tw], work)
        pd_g2b = encoded([(s, v) for s, (_, v) in zip(tw_simplified, tw)], "gbk", "cp950")
        libs[4] = {}
        add_items(libs[4], conv.run([s for s, _ in pd_g2b], "gbk", 0, base_home), [v for _, v in pd_g2b], stats)
        # Taiwan word -> mainland word, simplified, for B2G.
        rev_target = opencc_lines("t2s.json", [k for _, k in tw_rev], work)
        pd_b2g = encoded([(v, s) for (v, _), s in zip(tw_rev, rev_target)], "cp950", "gbk")
        libs[3] = {}
        add_items(libs[3], conv.run([v for v, _ in pd_b2g], "big5", 0, base_home), [s for _, s in pd_b2g], stats)

        # Final fix: every phrase through base and pdaf libs; wrong results become fixes.
        tests_g2b = g2b + pd_g2b
        tests_b2g = b2g + pd_b2g
        expected_g2b = dict(tests_g2b)
        expected_b2g = dict(tests_b2g)
        # Where one source phrase has two targets (st and tw), the Taiwan usage wins.
        for s, v in pd_g2b:
            expected_g2b[s] = v
        for v, s in pd_b2g:
            expected_b2g[v] = s
        pre_home = make_home(work, "home-pre", {k: libs[k] for k in (1, 2, 3, 4)})
        sources_g2b = list(expected_g2b)
        sources_b2g = list(expected_b2g)
        for kind, sources, expected, source in ((6, sources_g2b, expected_g2b, "gbk"),
                                                (5, sources_b2g, expected_b2g, "big5")):
            got = conv.run(sources, source, 0, pre_home)
            # A fix whose wrong text also stands inside a correct result would spoil that
            # result in turn: leave such fixes out.
            correct = b"\n" + b"\n".join(expected.values()) + b"\n"
            befores, afters = [], []
            for s, result in zip(sources, got):
                if result != expected[s] and result not in correct:
                    befores.append(result)
                    afters.append(expected[s])
                elif result != expected[s]:
                    stats["unsafe fixes"] = stats.get("unsafe fixes", 0) + 1
            libs[kind] = {}
            add_items(libs[kind], befores, afters, stats)

        os.makedirs(args.out, exist_ok=True)
        for kind in KIND_NAMES:
            write_lib(os.path.join(args.out, FILES[kind]), kind, libs[kind])

        # The share of dictionary phrases that the full pipeline converts exactly.
        full_home = make_home(work, "home-full", libs)
        for label, sources, expected, source in (("GBK->Big5", sources_g2b, expected_g2b, "gbk"),
                                                 ("Big5->GBK", sources_b2g, expected_b2g, "big5")):
            out = conv.run(sources, source, 0, full_home)
            exact = sum(1 for s, r in zip(sources, out) if r == expected[s])
            plain = conv.run(sources, source, 3)
            plain_exact = sum(1 for s, r in zip(sources, plain) if r == expected[s])
            print("%s: %d phrases, exact with libs %d (%.2f%%), tables alone %d (%.2f%%)" %
                  (label, len(sources), exact, 100.0 * exact / len(sources), plain_exact,
                   100.0 * plain_exact / len(sources)))
        for kind in sorted(KIND_NAMES):
            print("%-12s %6d items  (%s)" % (FILES[kind], len(libs[kind]), KIND_NAMES[kind]))
        print("conflicting items skipped: %d, fixes left out as unsafe: %d" %
              (stats["conflicts"], stats.get("unsafe fixes", 0)))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
