#!/usr/bin/env bash
# Share of Chinese characters and of whole sentences that zelvoc converts exactly as OpenCC
# does, on the held-out half of the corpus (benchmarks/data/corpus, built by
# tools/gen_corpus.py from Debian's zh_CN / zh_TW message catalogs; the lib generator never
# reads that half). Tables alone (mode 3) against s2tw / tw2s, the full pipeline with the
# program folder's libs (mode 0) against s2twp / tw2sp; OpenCC runs on the 1.4.2
# dictionaries (tools/opencc_data.py). Sentences whose reference the target encoding
# cannot carry are left out.
#   benchmarks/accuracy.sh [zelvoc [HALF]]   (default build/native/dist/zelvoc heldout)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zelvoc=${1:-$root/build/native/dist/zelvoc}
half=${2:-heldout}
[ -x "$zelvoc" ] || { echo "accuracy.sh: build zelvoc first (scripts/build native)" >&2; exit 2; }
command -v opencc >/dev/null || { echo "accuracy.sh: opencc is not installed (scripts/setup)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$root" "$zelvoc" "$half" "$work" <<'PY'
import sys
root, zelvoc_path, half, work = sys.argv[1:5]
sys.path.insert(0, root + "/tools")
import conversion_check as check
import gen_corpus
import opencc_data

reference = opencc_data.Reference(work + "/opencc")
zelvoc = check.Zelvoc(zelvoc_path)
print("%s half, zelvoc %s, OpenCC %s dictionaries" % (half, zelvoc_path, opencc_data.VERSION))
print("%-10s %-22s %10s %10s %10s %10s" % ("direction", "conversion", "sentences", "identical", "characters",
                                           "identical"))
for direction, (corpus, *_rest) in check.DIRECTIONS.items():
    cases = check.build_cases(reference, direction, gen_corpus.read_half(corpus, half))
    result = check.measure(zelvoc, cases, direction)
    for label, key in (("tables alone (mode 3)", "tables"), ("full pipeline (mode 0)", "full")):
        sentences, same, chars, same_chars = result[key]
        print("%-10s %-22s %10d %9.2f%% %10d %9.2f%%" % (direction, label, sentences, 100.0 * same / sentences,
                                                        chars, 100.0 * same_chars / chars))
PY
