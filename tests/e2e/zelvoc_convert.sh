#!/usr/bin/env bash
# zelvoc.exe convert under Wine: standard input to standard output byte for byte, files,
# and the exit codes. Runs inside xvfb-run with WINEPREFIX set (scripts/wine-tests).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe="${ZELVOC_EXE:-${ZELVO_BUILD_TREE:-$root/build/win32}/dist/zelvoc.exe}"
[ -f "$exe" ] || { echo "missing $exe"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

hex() { od -An -tx1 -v | tr -d ' \n'; }

# expect NAME EXPECTED_HEX INPUT_PRINTF ARGS...
expect() {
  local name=$1 expected=$2 input=$3
  shift 3
  local got
  got=$(printf "$input" | wine "$exe" convert "$@" 2>"$work/stderr" | hex)
  if [ "$got" = "$expected" ]; then
    echo "ok   $name"
  else
    echo "FAIL $name: expected $expected, got '$got'"; cat "$work/stderr"; failures=$((failures + 1))
  fi
}

expect "gbk to big5"            b0ea '\xb9\xfa' --from gbk
expect "gbk mode 1"             87f8 '\xb9\xfa' --from gbk --mode 1
expect "gbk mode 2"             b9fa '\x87\xf8' --from gbk --mode 2
expect "big5 to gbk"            b9fa '\xb0\xea' --from big5
expect "big5 normalisation"     f9f9 '\xa2\xa4' --from big5 --mode 1
# Word adjustment with the shipped libs: the tables give 頭發 for 头发, the libs 頭髮.
expect "tables alone (mode 3)"  c059b56f '\xcd\xb7\xb7\xa2' --from gbk --mode 3
expect "word adjustment g2b"    c059be76 '\xcd\xb7\xb7\xa2' --from gbk
expect "word adjustment b2g"    cdb7b7a2 '\xc0\x59\xbe\x76' --from big5
expect "binary-safe stdio"      610d0ab0ea00b0ea1a0ab0 'a\r\n\xb9\xfa\x00\xb9\xfa\x1a\n\xb0' --from gbk

# Files: converted output written; a missing input exits 1 and leaves the output alone.
printf '\xb0\xea\xa4\xa4' >"$work/in.txt"
if wine "$exe" convert --from big5 "$work/in.txt" "$work/out.txt" && [ "$(hex <"$work/out.txt")" = b9fad6d0 ]; then
  echo "ok   file to file"
else
  echo "FAIL file to file"; failures=$((failures + 1))
fi
printf 'old' >"$work/kept.txt"
wine "$exe" convert --from big5 "$work/missing.txt" "$work/kept.txt" 2>/dev/null
status=$?
if [ "$status" -eq 1 ] && [ "$(cat "$work/kept.txt")" = old ]; then
  echo "ok   missing input"
else
  echo "FAIL missing input: status $status"; failures=$((failures + 1))
fi
wine "$exe" convert --from utf8 </dev/null 2>/dev/null
status=$?
if [ "$status" -eq 2 ]; then echo "ok   usage error"; else echo "FAIL usage error: status $status"; failures=$((failures + 1)); fi

# Help, version and the messages a user meets.
for command in convert detect transfer; do
  wine "$exe" "$command" --help >"$work/out" 2>"$work/err"
  status=$?
  if [ "$status" -eq 0 ] && grep -q "^usage: zelvoc $command" "$work/out" && [ ! -s "$work/err" ]; then
    echo "ok   $command --help"
  else
    echo "FAIL $command --help: status $status"; failures=$((failures + 1))
  fi
done
if [ "$(wine "$exe" --version 2>/dev/null | tr -d '\r')" = "zelvoc (Zelvo) 1.1.2" ]; then
  echo "ok   --version"
else
  echo "FAIL --version"; failures=$((failures + 1))
fi
wine "$exe" convert --from gbk "$work" >/dev/null 2>"$work/err"
status=$?
if [ "$status" -eq 1 ] && grep -q "is a folder" "$work/err"; then
  echo "ok   a folder to convert is named as one"
else
  echo "FAIL a folder to convert: status $status"; cat "$work/err"; failures=$((failures + 1))
fi
# The short sample sentence in GBK, from the sample file the unit tests read as well.
awk -F'\t' '$1 == "country" && $2 == "gbk" { print $3 }' "$root/tests/data/sample_sentences.txt" |
  tr -d '\n' | iconv -f UTF-8 -t GBK >"$work/gbk.txt"
detected=$(wine "$exe" detect "$work/gbk.txt" 2>/dev/null | tr -d '\r' | cut -f1)
if [ "$detected" = "134 GBK (code page 936)" ]; then
  echo "ok   detect names the code page"
else
  echo "FAIL detect names the code page: '$detected'"; failures=$((failures + 1))
fi

[ "$failures" -eq 0 ]
