#!/usr/bin/env bash
# The lib checks as a user meets them. zelvo.exe starts with a custom G2B lib that lists one
# word twice: the start-up warning opens over the main window (English, Simplified and
# Traditional Chinese UI) naming the lib by its Big5 title, its details show the word in Big5,
# and a screenshot is taken with the details open; No leaves the check on. Then the Windows test program holds the Merge Word
# Adjustment Libs dialog, its report with details open, and the Correcting repeating items
# dialog on screen for screenshots.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
wine_window_script "$0" "$@"

tests="$tree/tests/zelvo_win_tests.exe"
config="$tree/dist/config"
shots="${ZELVO_SHOT_DIR:-$root/build/test-logs}"
ctwa_key='HKLM\software\Tolvane\Zelvo\1.1.2\CTWA'
mkdir -p "$shots" "$config"
work=$(mktemp -d)
remember_shell_lcid
stored_check=$( (wine reg query "$ctwa_key" /v 'Check WD' 2>/dev/null || true) | tr -d '\r' |
  sed -n 's/^ *Check WD *REG_DWORD *//p')
saved=""
if [ -f "$config/wag2b.ini" ]; then
  saved="$work/wag2b.ini.saved"
  cp "$config/wag2b.ini" "$saved"
fi
cleanup() {
  wine "$tool" close >/dev/null 2>&1 || true
  restore_shell_lcid
  if [ -n "$stored_check" ]; then
    wine reg add "$ctwa_key" /v 'Check WD' /t REG_DWORD /d "$stored_check" /f >/dev/null 2>&1 || true
  else
    wine reg delete "$ctwa_key" /v 'Check WD' /f >/dev/null 2>&1 || true
  fi
  if [ -n "$saved" ]; then cp "$saved" "$config/wag2b.ini"; else rm -f "$config/wag2b.ini"; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
for f in "$program" "$tool" "$tests"; do [ -f "$f" ] || fail "missing $f"; done
[ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "a main window is already open"

# A lib titled 我的詞庫 holding 信息 twice (資訊 and 訊息) and 軟件 once, in Big5.
printf ';[T]\xA7\xDA\xAA\xBA\xB5\xFC\xAE\x77\r\n\xAB\x48\xAE\xA7,\xB8\xEA\xB0\x54\r\n\xAB\x48\xAE\xA7,\xB0\x54\xAE\xA7\r\n\xB3\x6E\xA5\xF3,\xB3\x6E\xC5\xE9' \
  > "$work/mine.txt"
printf '[CUSLIB_G2B1]\r\nPath = %s\r\nApply = true\r\n' "$(winepath -w "$work/mine.txt")" > "$config/wag2b.ini"
wine reg add "$ctwa_key" /v 'Check WD' /t REG_DWORD /d 1 /f >/dev/null

# Waits until the window open over the main window holds control ID.
wait_open_control() {
  for _ in $(seq 1 100); do
    wine "$tool" open 2>/dev/null | tr -d '\r' | grep -qx "$1" && return 0
    sleep 0.2
  done
  return 1
}

declare -A opening=([1033]='Zelvo found repeating items in the following word adjustment libs:'
                    [2052]='在以下词语调整库中发现了重复的词条：'
                    [1028]='在以下詞語調整庫中發現了重複的詞條：')
# The Big5 title reads as the same characters in every UI language.
for lcid in 1033 2052 1028; do
  wine reg add "$shell_key" /v LCID /t REG_DWORD /d "$lcid" /f >/dev/null
  wine "$program" &
  pid=$!
  wine "$tool" wait 1 30 >/dev/null || fail "$lcid: no main window within 30 seconds"
  wait_open_control 5115 || fail "$lcid: no warning over the main window"
  text=$(wine "$tool" opentext 5115 | tr -d '\r')
  case "$text" in *"${opening[$lcid]}"*"我的詞庫 (1)"*) ;; *) fail "$lcid: the warning reads '$text'" ;; esac
  wine "$tool" click 5113 >/dev/null  # Details
  sleep 1
  details=$(wine "$tool" opentext 5116 | tr -d '\r')
  case "$details" in *"繁體庫:"*"庫 1 (1):"*"信息 (2)"*) ;; *) fail "$lcid: the details read '$details'" ;; esac
  import -window root "$shots/lib-warning-$lcid.png" && echo "screenshot: $shots/lib-warning-$lcid.png"
  wine "$tool" click 5112 >/dev/null  # No
  sleep 1
  wine "$tool" close >/dev/null
  wait_process_end "$pid" || fail "$lcid: zelvo.exe did not end"
  check=$(wine reg query "$ctwa_key" /v 'Check WD' | tr -d '\r' | sed -n 's/^ *Check WD *REG_DWORD *//p')
  [ "$check" = 0x1 ] || fail "$lcid: Check WD is '$check' after a No with the box ticked"
  echo "ok   $lcid: start-up warning with its details"
done

# The dialogs the lib editor opens, held on screen by the test program.
shoot() {
  local which=$1 lcid=$2 name=$3 log="$work/$1-$2.log"
  ZELVO_SCREENSHOT_DIALOG=$which ZELVO_SCREENSHOT_LCID=$lcid ZELVO_SCREENSHOT_SECONDS=4 \
    wine "$tests" --gtest_also_run_disabled_tests \
    --gtest_filter='LibChecksTest.DISABLED_HoldsTheLibDialogsOpenForScreenshots' >"$log" 2>&1 &
  local test_pid=$!
  for _ in $(seq 1 100); do
    grep -q '^\[ RUN' "$log" 2>/dev/null && break
    sleep 0.2
  done
  sleep 2
  import -window root "$shots/$name.png" && echo "screenshot: $shots/$name.png"
  wait "$test_pid" || { cat "$log"; fail "$which: the test program failed"; }
  grep -q '^\[  PASSED  \] 1 test' "$log" || { cat "$log"; fail "$which: the test did not pass"; }
}
shoot merge 1033 merge-libs-1033
shoot report 1033 merge-report-1033
shoot correct 1033 correct-repeating-1033
shoot merge 2052 merge-libs-2052
echo "ok   lib dialogs shown"
