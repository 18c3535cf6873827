#!/usr/bin/env bash
# The tests that carry GBK and Big5 bytes through the windows (open, save as, transfers,
# language changes, the clipboard, documents, Find/Replace) run again with the system code
# page of a Simplified Chinese (936) and a Traditional Chinese (950) Windows: the bytes must come
# out the same whatever code page the system decodes its own text with. The test program
# checks GetACP() against the code page each run claims, so a missing glibc locale fails
# the run instead of silently testing under 1252.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
wine_window_script "$0" "$@"

tests="$tree/tests/zelvo_win_tests.exe"
[ -f "$tests" ] || { echo "FAIL: missing $tests"; exit 1; }
filter='MainWindowTest.OpenCommand*:MainWindowTest.GbkToBig5*:MainWindowTest.TransferToSource*'
filter+=':MainWindowTest.LanguageChange*:MainWindowTest.ClipboardTransfer*:*Document*:*Clipboard*'
filter+=':FindReplaceDialogTest.*'

status=0
base_prefix=$WINEPREFIX
for run in zh_CN.UTF-8:936 zh_TW.UTF-8:950; do
  locale=${run%%:*}
  codepage=${run##*:}
  log=$(mktemp)
  # Each locale has its own prefix, made ready under that locale.
  export WINEPREFIX
  WINEPREFIX=$(WINEPREFIX=$base_prefix wine_locale_prefix "$locale")
  LANG=$locale LC_ALL=$locale wine_prefix_ready
  if LANG=$locale LC_ALL=$locale ZELVO_EXPECT_CODE_PAGE=$codepage WINEDEBUG=-all \
    timeout 300 wine "$tests" --gtest_filter="$filter" >"$log" 2>&1 &&
    grep -qx "system code page: $codepage" <(tr -d '\r' <"$log") &&
    grep -q '^\[  PASSED  \]' "$log" && ! grep -q '^\[  FAILED  \]' "$log"; then
    echo "PASS under $locale ($(tr -d '\r' <"$log" | grep '^system code page')): $(sed -n 's/^\[  PASSED  \] //p' "$log")"
  else
    echo "FAIL under $locale (expected code page $codepage)"; tail -n 40 "$log"; status=1
  fi
  rm -f "$log"
  wineserver -k 2>/dev/null || true
done
exit $status
