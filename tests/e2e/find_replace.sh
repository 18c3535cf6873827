#!/usr/bin/env bash
# The two Find/Replace windows of zelvo.exe in each built-in UI language: Edit > Find/Replace
# of the Source area opens the Source window over the main window, titled in the UI language
# and seeded with the word at the caret; Close hides it; the Destination area's command
# opens the Destination window. A screenshot of each is taken, and the program goes on
# running until it is closed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
wine_window_script "$0" "$@"

shots="${ZELVO_SHOT_DIR:-$root/build/test-logs}"
mkdir -p "$shots"
work=$(mktemp -d)
remember_shell_lcid
cleanup() {
  wine "$tool" close >/dev/null 2>&1 || true
  restore_shell_lcid
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
for f in "$program" "$tool"; do [ -f "$f" ] || fail "missing $f"; done
[ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "a main window is already open"

# Waits until the window open over the main one shows TEXT in control ID (0: its title).
expect_open_text() {
  local shown
  shown=$(wait_open_text "$tool" "$1" "$2") ||
    fail "$lcid: control $1 of the open window reads '$shown', expected '$2'"
}

expect_nothing_open() {
  for _ in $(seq 1 50); do
    wine "$tool" opentext 0 >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  fail "$lcid: the Find/Replace window is still open after Close"
}

# The Source area holds simplified Chinese text (GBK), the Destination traditional (Big5).
printf '%s' '简体中文的查找和替换' >"$work/source.txt"
printf '%s' '繁體中文的尋找和取代' >"$work/destination.txt"

declare -A source_title=([1033]='Find/Replace - Source Text' [2052]='查找/替换 - 源文本'
  [1028]='尋找/取代 - 來源文字')
declare -A destination_title=([1033]='Find/Replace - Destination Text' [2052]='查找/替换 - 目标文本'
  [1028]='尋找/取代 - 目標文字')
declare -A find_next=([1033]='Find &Next' [2052]='查找下一个(&N)' [1028]='尋找下一個(&N)')

for lcid in 1033 2052 1028; do
  wine reg add "$shell_key" /v LCID /t REG_DWORD /d "$lcid" /f >/dev/null
  wine "$program" &
  pid=$!
  wine "$tool" wait 1 30 >/dev/null || fail "$lcid: no main window within 30 seconds"
  wine "$tool" settext 286 "$work/source.txt" || fail "$lcid: cannot set the Source text"
  wine "$tool" settext 296 "$work/destination.txt" || fail "$lcid: cannot set the Destination text"

  wine "$tool" command 32810 >/dev/null  # Edit > Source > Find/Replace
  expect_open_text 0 "${source_title[$lcid]}"
  expect_open_text 305 "${find_next[$lcid]}"
  # The caret is at the start of the text: the word there seeds Find What.
  expect_open_text 323 '简体中文的查找和替换'
  sleep 1
  import -window root "$shots/find-replace-source-$lcid.png" && echo "screenshot: $shots/find-replace-source-$lcid.png"
  wine "$tool" click 2 >/dev/null || fail "$lcid: no Close to click in the Source window"
  expect_nothing_open

  wine "$tool" command 32826 >/dev/null  # Edit > Destination > Find/Replace
  expect_open_text 0 "${destination_title[$lcid]}"
  expect_open_text 323 '繁體中文的尋找和取代'
  sleep 1
  import -window root "$shots/find-replace-destination-$lcid.png" &&
    echo "screenshot: $shots/find-replace-destination-$lcid.png"
  wine "$tool" click 2 >/dev/null || fail "$lcid: no Close to click in the Destination window"
  expect_nothing_open

  [ "$(wine "$tool" count | tr -d '\r')" = 1 ] || fail "$lcid: the main window went with the Find windows"
  wine "$tool" close >/dev/null
  wait_process_end "$pid" || fail "$lcid: zelvo.exe did not end"
  echo "ok   $lcid: both Find/Replace windows"
done
