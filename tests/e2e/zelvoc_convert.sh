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

[ "$failures" -eq 0 ]
