#!/usr/bin/env bash
# The tests that carry GBK and Big5 bytes through the windows (open, save as, transfers,
# language changes, the clipboard, documents) run again with the system code page of a
# Simplified Chinese (936) and a Traditional Chinese (950) Windows: the bytes must come
# out the same whatever code page the system decodes its own text with.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
tree="$ZELVO_BUILD_TREE"
wine_window_script "$0" "$@"

tests="$tree/tests/zelvo_win_tests.exe"
[ -f "$tests" ] || { echo "FAIL: missing $tests"; exit 1; }
filter='MainWindowTest.OpenCommand*:MainWindowTest.GbkToBig5*:MainWindowTest.TransferToSource*'
filter+=':MainWindowTest.LanguageChange*:MainWindowTest.ClipboardTransfer*:*Document*:*Clipboard*'

status=0
for locale in zh_CN.UTF-8 zh_TW.UTF-8; do
  log=$(mktemp)
  if LANG=$locale LC_ALL=$locale timeout 300 wine "$tests" --gtest_filter="$filter" >"$log" 2>&1 &&
    grep -q '^\[  PASSED  \]' "$log" && ! grep -q '^\[  FAILED  \]' "$log"; then
    echo "PASS under $locale: $(sed -n 's/^\[  PASSED  \] //p' "$log")"
  else
    echo "FAIL under $locale"; tail -n 40 "$log"; status=1
  fi
  rm -f "$log"
done
exit $status
