#!/usr/bin/env python3
"""Generates convert/tables/frequency_tables.inc, the ranked cells of the code page
detector's three character-frequency tables (GB2312, Big5, EUC-TW / CNS 11643 plane 1).

Inputs (Debian packages; see tools/README.md for licences):
  --simplified  rime-data-pinyin-simp: /usr/share/rime-data/pinyin_simp.dict.yaml
                (single-character entries, weights summed over readings)
  --traditional rime-essay: /usr/share/rime-data/essay.txt
                (single-character entries)
  --unihan      unicode-data: /usr/share/unicode/ (Unihan_IRGSources.txt.bz2 for the
                kIRG_TSource T1- codes, Unihan_Variants.txt.bz2 to fold variant forms
                that Big5 lacks onto the form it has)

Usage: python3 tools/gen_frequency_tables.py [--out convert/tables/frequency_tables.inc]
"""

import argparse
import bz2
import collections
import os
import sys

# Cells whose weights the detector's behaviour is defined by; they are placed first
# and the published list fills the remaining weights in its own order.
GB_PINS = ["的", "一", "是", "不", "了", "人"]  # 599..594
BIG5_PINS = ["的", "是", "不", "我", "一", "有"]  # 600..595
EUC_TW_PINS = ["的", "是"]  # 600, 599


def read_simplified(path):
    weights = collections.Counter()
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.rstrip("\n").split("\t")
            if len(parts) >= 3 and len(parts[0]) == 1:
                try:
                    weights[parts[0]] += float(parts[2])
                except ValueError:
                    pass
    return weights


def read_traditional(path):
    weights = collections.Counter()
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.rstrip("\n").split("\t")
            if len(parts) >= 2 and len(parts[0]) == 1:
                weights[parts[0]] += int(parts[1])
    return weights


def read_unihan(folder):
    plane1 = {}
    with bz2.open(os.path.join(folder, "Unihan_IRGSources.txt.bz2"), "rt", encoding="utf-8") as f:
        for line in f:
            if "\tkIRG_TSource\t" not in line:
                continue
            code, _, value = line.rstrip("\n").split("\t")
            if value.startswith("T1-"):
                plane1[chr(int(code[2:], 16))] = int(value[3:], 16)
    variants = collections.defaultdict(list)
    wanted = ("kSemanticVariant", "kZVariant", "kSpecializedSemanticVariant")
    with bz2.open(os.path.join(folder, "Unihan_Variants.txt.bz2"), "rt", encoding="utf-8") as f:
        for line in f:
            if not line.startswith("U+"):
                continue
            code, field, value = line.rstrip("\n").split("\t")
            if field in wanted:
                for item in value.split():
                    variants[chr(int(code[2:], 16))].append(chr(int(item.split("<")[0][2:], 16)))
    return plane1, variants


def encode_pair(ch, codec):
    try:
        data = ch.encode(codec)
    except UnicodeEncodeError:
        return None
    return (data[0], data[1]) if len(data) == 2 else None


def fold_to_big5(weights, variants):
    """A traditional list written with forms Big5 lacks (爲, 裏, 羣) counts them under
    the form Big5 text actually carries (為, 裡, 群)."""
    folded = collections.Counter()
    for ch, weight in weights.items():
        target = ch
        # Plain Big5, not cp950: the vendor extension's few forms (裏 at 0xF9D8) are
        # rare in real Big5 text next to the standard form.
        if encode_pair(ch, "big5") is None:
            for other in variants.get(ch, []):
                if encode_pair(other, "big5") is not None:
                    target = other
                    break
        folded[target] += weight
    return folded


def ranked(weights):
    # Ties broken by code point so the output does not depend on dictionary order.
    return [ch for ch, _ in sorted(weights.items(), key=lambda item: (-item[1], ord(item[0])))]


def gb_cell(ch):
    pair = encode_pair(ch, "gb2312")
    if pair is None or not (0xA1 <= pair[0] <= 0xF7 and 0xA1 <= pair[1] <= 0xFE):
        return None
    return pair


def big5_cell(ch):
    pair = encode_pair(ch, "cp950")
    if pair is None or not (0xA1 <= pair[0] <= 0xF9):
        return None
    if 0x40 <= pair[1] <= 0x7E or 0xA1 <= pair[1] <= 0xFE:
        return pair
    return None


def euc_tw_cell(plane1):
    def cell(ch):
        code = plane1.get(ch)
        if code is None:
            return None
        return (0x80 | (code >> 8), 0x80 | (code & 0xFF))

    return cell


def fill_packed(pins, order, cell_of, top, count):
    """Pinned characters take the top weights; the list fills the rest in its order,
    one weight each, down to top - count + 1. Characters without a cell are skipped."""
    cells = {}
    weight = top
    for ch in pins + order:
        if len(cells) == count:
            break
        pair = cell_of(ch)
        if pair is None or pair in cells:
            continue
        cells[pair] = weight
        weight -= 1
    return cells


def fill_by_place(pins, order, cell_of, top, bottom):
    """Every place of the list below the pins owns one weight, down to bottom. A place
    whose character is pinned already or has no cell in the encoding leaves its weight
    unused, so the characters after it keep the weight of their place."""
    cells = {}
    weight = top
    for ch in pins:
        cells[cell_of(ch)] = weight
        weight -= 1
    for ch in order:
        if weight < bottom:
            break
        pair = cell_of(ch)
        if pair is not None and pair not in cells:
            cells[pair] = weight
        weight -= 1
    return cells


def emit(out, name, cells):
    out.write("inline constexpr RankedCell %s[] = {\n" % name)
    items = sorted(cells.items(), key=lambda item: (-item[1], item[0]))
    for index in range(0, len(items), 6):
        row = items[index:index + 6]
        out.write("    " + " ".join("{0x%02X, 0x%02X, %d}," % (p[0], p[1], w) for p, w in row) + "\n")
    out.write("};\n\n")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--simplified", default="/usr/share/rime-data/pinyin_simp.dict.yaml")
    parser.add_argument("--traditional", default="/usr/share/rime-data/essay.txt")
    parser.add_argument("--unihan", default="/usr/share/unicode")
    parser.add_argument("--out", default=os.path.join(here, "..", "convert", "tables", "frequency_tables.inc"))
    args = parser.parse_args()

    plane1, variants = read_unihan(args.unihan)
    simplified = ranked(read_simplified(args.simplified))
    traditional = ranked(fold_to_big5(read_traditional(args.traditional), variants))

    gb = fill_packed(GB_PINS, simplified, gb_cell, 599, 600)
    big5 = fill_packed(BIG5_PINS, traditional, big5_cell, 600, 600)
    euc_tw = fill_by_place(EUC_TW_PINS, traditional, euc_tw_cell(plane1), 600, 0)

    checks = [
        (gb, 600, 599, 0), (big5, 600, 600, 1), (euc_tw, 598, 600, 0),
    ]
    for cells, count, high, low in checks:
        weights = sorted(cells.values())
        if len(cells) != count or weights[-1] != high or weights[0] != low:
            sys.exit("table shape differs: %d cells, weights %d..%d" % (len(cells), weights[-1], weights[0]))

    with open(args.out, "w", encoding="ascii", newline="\n") as out:
        out.write("// Generated by tools/gen_frequency_tables.py; do not edit.\n")
        out.write("// Sources: rime-data-pinyin-simp (simplified), rime-essay (traditional),\n")
        out.write("// unicode-data Unihan (CNS 11643 plane 1 codes, variants). See tools/README.md.\n")
        out.write("// Each cell: first byte, second byte, weight (highest = most frequent).\n\n")
        emit(out, "kGbRankedCells", gb)
        emit(out, "kBig5RankedCells", big5)
        emit(out, "kEucTwRankedCells", euc_tw)
    print("GB %d, Big5 %d, EUC-TW %d cells -> %s" % (len(gb), len(big5), len(euc_tw), os.path.normpath(args.out)))


if __name__ == "__main__":
    main()
