#!/usr/bin/env bash
# The View menu's dialogs of zelvo.exe in each built-in UI language: Font Size (Custom Size)
# and the proportion dialog open over the main window labelled in the UI language, a
# screenshot of each is taken, and closing them leaves the program running.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
wine_window_script "$0" "$@"

shots="${ZELVO_SHOT_DIR:-$root/build/test-logs}"
mkdir -p "$shots"
remember_shell_lcid
cleanup() {
  wine "$tool" close >/dev/null 2>&1 || true
  restore_shell_lcid
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
for f in "$program" "$tool"; do [ -f "$f" ] || fail "missing $f"; done
[ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "a main window is already open"

# Fails unless control ID of the dialog open over the main window comes to read TEXT.
expect_open_text() {
  local shown
  shown=$(wait_open_text "$tool" "$1" "$2") || fail "$lcid: control $1 of the open dialog reads '$shown', expected '$2'"
}

declare -A proportion_label=([1033]='&Proportion:' [2052]='比例(&P):' [1028]='比例(&P):')
declare -A source_radio=([1033]='&Source Edit Area' [2052]='源编辑区(&S)' [1028]='來源編輯區(&S)')

for lcid in 1033 2052 1028; do
  wine reg add "$shell_key" /v LCID /t REG_DWORD /d "$lcid" /f >/dev/null
  wine "$program" &
  pid=$!
  wine "$tool" wait 1 30 >/dev/null || fail "$lcid: no main window within 30 seconds"

  wine "$tool" command 32841 >/dev/null  # View > Adjust Edit Area Proportion
  expect_open_text 2421 "${proportion_label[$lcid]}"
  expect_open_text 2423 "50"
  sleep 1
  import -window root "$shots/proportion-$lcid.png" && echo "screenshot: $shots/proportion-$lcid.png"
  wine "$tool" click 2 >/dev/null || fail "$lcid: no Cancel to click in the proportion dialog"

  wine "$tool" command 32887 >/dev/null  # Font Size > Custom Size, Source preselected
  expect_open_text 2521 "${source_radio[$lcid]}"
  expect_open_text 2523 "10"
  sleep 1
  import -window root "$shots/font-size-$lcid.png" && echo "screenshot: $shots/font-size-$lcid.png"
  wine "$tool" click 2 >/dev/null || fail "$lcid: no Cancel to click in the font size dialog"

  [ "$(wine "$tool" count | tr -d '\r')" = 1 ] || fail "$lcid: the main window went with the dialogs"
  wine "$tool" close >/dev/null
  wait_process_end "$pid" || fail "$lcid: zelvo.exe did not end"
  echo "ok   $lcid: proportion and font size dialogs"
done
