#!/usr/bin/env bash
# Times a whole-site GBK->Big5 transfer with zelvoc against a shell loop doing the same
# with the OpenCC pipeline (glibc iconv to UTF-8, Debian's opencc with s2t, iconv to Big5;
# binaries copied) over one generated site in the same run, and prints the ratio.
#   benchmarks/site_transfer_compare.sh [zelvoc] [files]   (default build/native/dist/zelvoc, 2000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zelvoc=${1:-$root/build/native/dist/zelvoc}
files=${2:-2000}
[ -x "$zelvoc" ] || { echo "site_transfer_compare.sh: build zelvoc first (scripts/build native)" >&2; exit 2; }
command -v opencc >/dev/null || { echo "site_transfer_compare.sh: opencc is not installed (scripts/setup)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The site: nested folders; three text files in four are GBK text of 1-40 KB from the
# benchmark's phrase sample, a third of them pages with a charset declaration; the rest
# are binaries (with zero bytes) of 1-200 KB.
python3 - "$root/benchmarks/data/st_phrases.txt" "$work/site" "$files" <<'PY'
import os, random, sys
phrases = [l.split(b"\t")[0] for l in open(sys.argv[1], "rb") if not l.startswith(b"#") and b"\t" in l]
site, count = sys.argv[2], int(sys.argv[3])
rng = random.Random(950)
folders = [site]
for i in range(60):
    folders.append(os.path.join(rng.choice(folders), "dir%02d" % i))
for f in folders:
    os.makedirs(f, exist_ok=True)
def text(size):
    out = bytearray()
    while len(out) < size:
        for _ in range(4 + rng.randrange(10)):
            out += rng.choice(phrases)
        out += b"\xa3\xac" if rng.randrange(100) < 70 else b"\xa1\xa3\r\n"
    return bytes(out)
for i in range(count):
    folder = rng.choice(folders)
    kind = rng.randrange(4)
    if kind == 3:
        data = bytes(rng.randrange(256) for _ in range(64)) + b"\0" * 16 + os.urandom(rng.randrange(1024, 200 << 10))
        name = "img%04d.gif" % i
    elif kind == 2:
        data = (b'<html><head><meta http-equiv="Content-Type" content="text/html; charset=gb2312">'
                b"</head><body>\r\n" + text(rng.randrange(1024, 40 << 10)) + b"</body></html>\r\n")
        name = "page%04d.html" % i
    else:
        data = text(rng.randrange(1024, 40 << 10))
        name = "text%04d.txt" % i
    open(os.path.join(folder, name), "wb").write(data)
PY

# The same tree with the OpenCC pipeline; a file with a zero byte in its first 32 KiB is
# copied, as zelvoc decides.
opencc_site() {
  local src=$1 dst=$2
  (cd "$src" && find . -type d) | while IFS= read -r d; do mkdir -p "$dst/$d"; done
  (cd "$src" && find . -type f) | while IFS= read -r f; do
    if head -c 32768 "$src/$f" | tr -d '\000' | cmp -s - <(head -c 32768 "$src/$f"); then
      iconv -c -f GBK -t UTF-8 "$src/$f" | opencc -c s2t | iconv -c -f UTF-8 -t BIG5 >"$dst/$f"
    else
      cp "$src/$f" "$dst/$f"
    fi
  done
}

seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N); echo "$end - $start" | bc -l; }

count=$(find "$work/site" -type f | wc -l)
bytes=$(du -sb "$work/site" | cut -f1)
z=$(seconds "$zelvoc" transfer --g2b "$work/site" "$work/zelvo" --yes)
o=$(seconds opencc_site "$work/site" "$work/opencc")
zcount=$(find "$work/zelvo" -type f | wc -l)
ocount=$(find "$work/opencc" -type f | wc -l)
[ "$zcount" = "$count" ] || { echo "zelvoc wrote $zcount of $count files" >&2; exit 1; }

printf 'site: %d files in %d folders, %.1f MB\n' "$count" "$(find "$work/site" -type d | wc -l)" \
  "$(echo "$bytes / 1048576" | bc -l)"
printf '%-22s %10s %8s\n' "" "seconds" "files"
printf '%-22s %10.2f %8d\n' "zelvoc transfer" "$z" "$zcount"
printf '%-22s %10.2f %8d\n' "iconv|opencc|iconv" "$o" "$ocount"
printf 'ratio (opencc / zelvoc): %.1fx\n' "$(echo "$o / $z" | bc -l)"
