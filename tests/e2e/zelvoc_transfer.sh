#!/usr/bin/env bash
# zelvoc.exe transfer under Wine: a site into a new folder (text converted, the page's
# charset renamed, binaries copied byte for byte), in place, a single file, the refusals
# and the exit codes. Runs with WINEPREFIX set (scripts/wine-tests).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe="${ZELVOC_EXE:-${ZELVO_BUILD_TREE:-$root/build/win32}/dist/zelvoc.exe}"
[ -f "$exe" ] || { echo "missing $exe"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

hex() { od -An -tx1 -v | tr -d ' \n'; }
check() {  # check NAME CONDITION...
  local name=$1; shift
  if "$@"; then echo "ok   $name"; else echo "FAIL $name"; failures=$((failures + 1)); fi
}
same_hex() { [ "$(hex <"$1")" = "$2" ]; }

mkdir -p "$work/site/sub"
printf '\xb9\xfa\xbc\xd2\r\n' >"$work/site/a.txt"                                    # 国家
printf '<meta content="text/html; charset=GB2312">\xd6\xd0' >"$work/site/sub/p.htm"  # 中
printf 'GIF\000\001\002' >"$work/site/sub/logo.gif"
cp -r "$work/site" "$work/site-copy"

wine "$exe" transfer --g2b "$work/site" "$work/new" >"$work/out" 2>"$work/err"
check "new site exits 0" [ $? -eq 0 ]
check "text converted" same_hex "$work/new/a.txt" b0eaae610d0a
check "page charset renamed" grep -q 'charset=big5">' "$work/new/sub/p.htm"
check "binary copied" cmp -s "$work/site/sub/logo.gif" "$work/new/sub/logo.gif"
check "source untouched" diff -r "$work/site" "$work/site-copy"
check "summary printed" grep -q "Number of Transferred Text File(s): 2" "$work/out"

wine "$exe" transfer --g2b "$work/site" "$work/new" >/dev/null 2>"$work/err"
check "non-empty destination exits 1" [ $? -eq 1 ]
check "non-empty destination message" grep -q "The site is not blank" "$work/err"

wine "$exe" transfer --b2g "$work/new" --yes >/dev/null 2>&1
check "in place exits 0" [ $? -eq 0 ]
check "in place back to GBK" same_hex "$work/new/a.txt" b9fabcd20d0a
check "in place page" grep -q 'charset=gb2312">' "$work/new/sub/p.htm"
check "no temporary files left" [ "$(find "$work/new" -name '*.zelvo-tmp' | wc -l)" = 0 ]

# One file into a new file; an existing one is only overwritten with --yes.
wine "$exe" transfer --g2b "$work/site/a.txt" "$work/one.txt" >/dev/null 2>&1
check "single file exits 0" [ $? -eq 0 ]
check "single file converted" same_hex "$work/one.txt" b0eaae610d0a
wine "$exe" transfer --g2b "$work/site/a.txt" "$work/one.txt" >/dev/null 2>&1
check "existing destination file needs --yes" [ $? -eq 1 ]

wine "$exe" transfer "$work/site" >/dev/null 2>&1
check "no direction is a usage error" [ $? -eq 2 ]
wine "$exe" transfer --g2b "$work/missing" >/dev/null 2>"$work/err"
check "missing source exits 1" [ $? -eq 1 ]

[ "$failures" -eq 0 ]
