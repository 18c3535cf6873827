#!/usr/bin/env bash
# Times Zelvo's GBK->Big5 conversion with word adjustment against the OpenCC pipeline
# (glibc iconv to UTF-8, Debian's opencc with s2t, iconv to Big5) on the same simplified
# text in the same run, and prints the ratio. Best of three runs each.
#   benchmarks/compare.sh [zelvoc]        (default build/native/dist/zelvoc)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zelvoc=${1:-$root/build/native/dist/zelvoc}
[ -x "$zelvoc" ] || { echo "compare.sh: build zelvoc first (scripts/build native)" >&2; exit 2; }
command -v opencc >/dev/null || { echo "compare.sh: opencc is not installed (scripts/setup)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Simplified text from the benchmark's phrase sample: sentences of whole phrases and
# single characters with full-width punctuation, the same recipe as the C++ benchmark.
python3 - "$root/benchmarks/data/st_phrases.txt" "$work" <<'PY'
import random, sys
phrases = []
for line in open(sys.argv[1], "rb"):
    if line.startswith(b"#") or b"\t" not in line:
        continue
    phrases.append(line.split(b"\t")[0])
rng = random.Random(936)
for mb in (1, 10):
    out = bytearray()
    while len(out) < mb << 20:
        for _ in range(1 + rng.randrange(4)):
            for _ in range(4 + rng.randrange(10)):
                p = rng.choice(phrases)
                out += p if rng.randrange(100) < 40 else p[:2]
            out += b"\xa3\xac" if rng.randrange(100) < 70 else b"\xa1\xa3"
        out += b"\r\n"
    open("%s/text-%dmb.txt" % (sys.argv[2], mb), "wb").write(out)
PY

best_of_three() {
  local best=""
  for _ in 1 2 3; do
    local start end took
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    took=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$took < $best" | bc -l)" = 1 ]; then best=$took; fi
  done
  echo "$best"
}

zelvo_run() { "$zelvoc" convert --from gbk --mode 0 "$1" "$work/out.big5"; }
opencc_run() { iconv -c -f GBK -t UTF-8 "$1" | opencc -c s2t | iconv -c -f UTF-8 -t BIG5 >"$work/out-opencc.big5"; }

printf '%-8s %14s %14s %8s\n' "input" "zelvo MB/s" "opencc MB/s" "ratio"
for mb in 1 10; do
  text="$work/text-${mb}mb.txt"
  bytes=$(stat -c %s "$text")
  z=$(best_of_three zelvo_run "$text")
  o=$(best_of_three opencc_run "$text")
  printf '%-8s %14.1f %14.1f %7.1fx\n' "${mb} MB" "$(echo "$bytes / $z / 1048576" | bc -l)" \
    "$(echo "$bytes / $o / 1048576" | bc -l)" "$(echo "$o / $z" | bc -l)"
done
