#!/usr/bin/env python3
"""OpenCC 1.4.2 dictionaries and the reference conversions built on them.

The npm package `opencc` 1.4.2 ships its dictionaries as plain text under
`data/dictionary/`; Debian's `opencc` command (1.1.6) reads plain-text dictionaries
through a configuration file, so the reference conversions run on the same data the
tables and libs are generated from. This module:
  - finds (or fetches with `npm pack opencc@1.4.2` into build/opencc-1.4.2) the dictionaries;
  - reads them into Python lists;
  - writes a folder with cleaned copies, the derived dictionaries the npm package builds
    at install time (TWVariantsRev, the ST phrases generated from regional phrase keys)
    and five configurations in the 1.1.6 format: s2tw, s2twp, tw2s, tw2sp and t2s;
  - runs `opencc` over a list of lines.

    tools/opencc_data.py --prepare DIR      # writes the folder, prints the config paths
"""

import argparse
import os
import subprocess
import sys
import tarfile
import tempfile

VERSION = "1.4.2"
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_PACKAGE_DIR = os.path.join(ROOT, "build", "opencc-" + VERSION)


def dictionary_dir(explicit=None):
    """The data/dictionary folder of the npm package, fetched once when missing."""
    if explicit:
        return explicit
    target = os.path.join(DEFAULT_PACKAGE_DIR, "package", "data", "dictionary")
    if os.path.isdir(target):
        return target
    os.makedirs(DEFAULT_PACKAGE_DIR, exist_ok=True)
    subprocess.run(["npm", "pack", "opencc@" + VERSION], cwd=DEFAULT_PACKAGE_DIR, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with tarfile.open(os.path.join(DEFAULT_PACKAGE_DIR, "opencc-%s.tgz" % VERSION)) as archive:
        members = [m for m in archive.getmembers() if m.name.startswith("package/data/")]
        archive.extractall(DEFAULT_PACKAGE_DIR, members=members, filter="data")
    return target


def read_dictionary(folder, name):
    """[(key, [values...]), ...] in file order; comment and blank lines skipped."""
    entries = []
    with open(os.path.join(folder, name + ".txt"), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#") or "\t" not in line:
                continue
            key, values = line.split("\t", 1)
            values = [v for v in values.split(" ") if v]
            if key and values:
                entries.append((key, values))
    return entries


def write_dictionary(path, entries):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        for key, values in entries:
            f.write("%s\t%s\n" % (key, " ".join(values)))


def reverse_variants(entries):
    """The reverse of a variants dictionary: each value -> its keys in file order (for
    TWVariants this is the order the package's own reverse script gives)."""
    out = {}
    for key, values in entries:
        for value in values:
            out.setdefault(value, [])
            if key not in out[value]:
                out[value].append(key)
    return sorted(out.items())


def _dict(name):
    return {"type": "text", "file": name + ".txt"}


def _group(*names):
    return {"type": "group", "dicts": [_dict(n) for n in names]}


def _config(name, segmentation, chain):
    import json
    return json.dumps({"name": name, "segmentation": {"type": "mmseg", "dict": _dict(segmentation)},
                       "conversion_chain": [{"dict": _group(*step)} for step in chain]}, ensure_ascii=False,
                      indent=1)


CONFIGS = {
    # Simplified to traditional, Taiwan standard forms; with and without Taiwan phrases.
    "s2tw": ("STPhrasesAll", [("STPhrasesAll", "STCharacters"), ("TWVariantsPhrases", "TWVariants")]),
    "s2twp": ("STPhrasesAll", [("STPhrasesAll", "STCharacters"),
                               ("TWPhrases", "TWVariantsPhrases", "TWVariants")]),
    # Taiwan traditional to simplified; with and without mainland phrases.
    "tw2s": ("TSPhrases", [("TWVariantsRevPhrases", "TWVariantsRev"), ("TSPhrases", "TSCharacters")]),
    "tw2sp": ("TSPhrases", [("TWPhrasesRev", "TWVariantsRevPhrases", "TWVariantsRev"),
                            ("TSPhrases", "TSCharacters")]),
    "t2s": ("TSPhrases", [("TSPhrases", "TSCharacters")]),
}


class Reference:
    """A folder of dictionaries and configurations for Debian's opencc command."""

    def __init__(self, folder, source_dir=None):
        self.folder = folder
        self.source = dictionary_dir(source_dir)
        os.makedirs(folder, exist_ok=True)
        names = ["STCharacters", "STPhrases", "TSCharacters", "TSPhrases", "TWPhrases", "TWPhrasesRev",
                 "TWVariants", "TWVariantsPhrases", "TWVariantsRevPhrases"]
        self.dicts = {n: read_dictionary(self.source, n) for n in names}
        for name, entries in self.dicts.items():
            write_dictionary(os.path.join(folder, name + ".txt"), entries)
        self.dicts["TWVariantsRev"] = reverse_variants(self.dicts["TWVariants"])
        write_dictionary(os.path.join(folder, "TWVariantsRev.txt"), self.dicts["TWVariantsRev"])
        self._write_config("t2s")
        # The package unites STPhrases with simplified spans of the Taiwan phrase keys (three
        # characters or more), so s2twp segments "打印机" whole before TWPhrases maps it.
        keys = [k for k, _ in self.dicts["TWPhrases"]]
        simplified = self.convert("t2s", keys)
        known = {k for k, _ in self.dicts["STPhrases"]}
        generated = {}
        for s, t in zip(simplified, keys):
            if len(s) >= 3 and s not in known:
                generated.setdefault(s, [t])
        self.dicts["STPhrasesAll"] = sorted(self.dicts["STPhrases"] + list(generated.items()))
        write_dictionary(os.path.join(folder, "STPhrasesAll.txt"), self.dicts["STPhrasesAll"])
        for name in CONFIGS:
            self._write_config(name)

    def _write_config(self, name):
        segmentation, chain = CONFIGS[name]
        with open(self.config(name), "w", encoding="utf-8") as f:
            f.write(_config(name + " on OpenCC " + VERSION + " dictionaries", segmentation, chain))

    def config(self, name):
        return os.path.join(self.folder, name + ".json")

    def convert(self, name, lines):
        """Each line through opencc with the named configuration."""
        if not lines:
            return []
        with tempfile.TemporaryDirectory() as work:
            src, dst = os.path.join(work, "in.txt"), os.path.join(work, "out.txt")
            with open(src, "w", encoding="utf-8", newline="\n") as f:
                f.write("\n".join(lines) + "\n")
            subprocess.run(["opencc", "-c", self.config(name), "-i", src, "-o", dst], check=True)
            with open(dst, encoding="utf-8", newline="\n") as f:
                out = f.read().split("\n")
        if len(out) < len(lines):
            sys.exit("opencc returned %d lines for %d" % (len(out), len(lines)))
        return out[:len(lines)]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--prepare", required=True, metavar="DIR")
    parser.add_argument("--opencc-data", default=None, help="the package's data/dictionary folder")
    args = parser.parse_args()
    ref = Reference(args.prepare, args.opencc_data)
    for name in CONFIGS:
        print(ref.config(name))


if __name__ == "__main__":
    main()
