#!/usr/bin/env bash
# Explorer integration end to end under Wine: with the question never answered and the entry
# not registered, zelvo.exe asks at start whether to add "Edit with Zelvo" and Yes registers
# it; Tools > Options shows its pages in English and Simplified Chinese; the context menu
# pellum.dll builds for two text files and a binary one is opened in a test window.
# Screenshots of each go to the test logs.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
wine_window_script "$0" "$@"

library="$tree/dist/pellum.dll"
menu_tool="$tree/tests/zelvo_context_menu_tool.exe"
shots="${ZELVO_SHOT_DIR:-$root/build/test-logs}"
work=$(mktemp -d)
mkdir -p "$shots"
class_key='HKCR\CLSID\{777A8F13-DB24-4D86-8995-C20B9CE9C3AB}'
handler_key='HKCR\*\shellex\ContextMenuHandlers\Edit with Zelvo'
remember_shell_lcid
cleanup() {
  wine "$tool" close >/dev/null 2>&1 || true
  restore_shell_lcid
  # The other scripts find the question answered "not again", as wine-env leaves it.
  wine reg add "$shell_key" /v "Prompt Enable Shell" /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  wine regsvr32 /s /u "$library" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
for f in "$program" "$library" "$tool" "$menu_tool"; do [ -f "$f" ] || fail "missing $f"; done
[ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "a main window is already open"

open_text() { wine "$tool" opentext "$1" 2>/dev/null | tr -d '\r' || true; }
expect_open_match() {
  local id=$1 pattern=$2 shown=""
  for _ in $(seq 1 75); do
    shown=$(open_text "$id")
    [[ "$shown" == $pattern ]] && return 0
    sleep 0.2
  done
  fail "control $id of the open window reads '$shown', expected '$pattern'"
}
wait_exit() {
  for _ in $(seq 1 100); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.2
  done
  return 1
}

# 1. The start-up question, never answered and nothing registered.
wine reg delete "$shell_key" /v Tried /f >/dev/null 2>&1 || true
wine reg delete "$shell_key" /v "Prompt Enable Shell" /f >/dev/null 2>&1 || true
wine reg delete "$handler_key" /f >/dev/null 2>&1 || true
wine reg delete "$class_key" /f >/dev/null 2>&1 || true
wine reg add "$shell_key" /v LCID /t REG_DWORD /d 1033 /f >/dev/null
wine "$program" &
pid=$!
expect_open_match 5115 'You can add Zelvo to context menu*'
[ "$(open_text 5117)" = "&Show this message next time" ] || fail "the question has no show-next-time box: '$(open_text 5117)'"
sleep 1
import -window root "$shots/shell-question-1033.png" && echo "screenshot: $shots/shell-question-1033.png"
yes_slot=""
for slot in 5110 5111 5112; do [ "$(open_text $slot)" = "&Yes" ] && yes_slot=$slot; done
[ -n "$yes_slot" ] || fail "the question has no Yes button"
wine "$tool" click "$yes_slot" >/dev/null
wine "$tool" wait 1 30 >/dev/null || fail "no main window after the question"
registered=$(wine reg query "$handler_key" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
[ "$registered" = "{777A8F13-DB24-4D86-8995-C20B9CE9C3AB}" ] || fail "Yes did not register the handler ('$registered')"
server=$(wine reg query "$class_key\\InProcServer32" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
[[ "${server,,}" == *'\dist\pellum.dll' ]] || fail "the server key names '$server'"
tried=$(wine reg query "$shell_key" /v Tried 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_DWORD *//p')
[ "$tried" = "0x1" ] || fail "Tried is '$tried' after Yes"
wine "$tool" close >/dev/null
wait_exit "$pid" || fail "zelvo.exe did not end"
echo "ok   the start-up question registers the handler"

# Started again, it does not ask.
wine "$program" &
pid=$!
wine "$tool" wait 1 30 >/dev/null || fail "no main window on the second start"
sleep 1
[ -z "$(open_text 5115)" ] || fail "the question came again"
wine "$tool" close >/dev/null
wait_exit "$pid" || fail "zelvo.exe did not end"
echo "ok   not asked again"

# 2. Tools > Options in English and Simplified Chinese.
declare -A sheet_title=([1033]='Options' [2052]='选项')
for lcid in 1033 2052; do
  wine reg add "$shell_key" /v LCID /t REG_DWORD /d "$lcid" /f >/dev/null
  wine "$program" &
  pid=$!
  wine "$tool" wait 1 30 >/dev/null || fail "$lcid: no main window"
  wine "$tool" command 32836 >/dev/null  # Tools > Options
  expect_open_match 0 "${sheet_title[$lcid]}"
  sleep 1
  import -window root "$shots/options-general-$lcid.png" && echo "screenshot: $shots/options-general-$lcid.png"
  wine "$tool" page 1 >/dev/null
  sleep 1
  import -window root "$shots/options-code-transfer-$lcid.png" && echo "screenshot: $shots/options-code-transfer-$lcid.png"
  wine "$tool" click 2 >/dev/null || fail "$lcid: no sheet to cancel"
  sleep 0.5
  wine "$tool" close >/dev/null
  wait_exit "$pid" || fail "$lcid: zelvo.exe did not end"
  echo "ok   $lcid: Options pages"
done

# 3. The context menu the library builds for two text files and a binary one.
wine reg add "$shell_key" /v LCID /t REG_DWORD /d 1033 /f >/dev/null
printf 'text one\r\n' >"$work/one.txt"
printf 'text two\r\n' >"$work/two.txt"
printf 'MZ\0\0\3' >"$work/tool.bin"
wine regsvr32 /s "$library" || fail "regsvr32 failed"
count_file="$work/count"
wine "$menu_tool" 10 "$(winepath -w "$work/one.txt")" "$(winepath -w "$work/tool.bin")" \
  "$(winepath -w "$work/two.txt")" >"$count_file" &
menu_pid=$!
sleep 6
import -window root "$shots/context-menu-1033.png" && echo "screenshot: $shots/context-menu-1033.png"
wait "$menu_pid" || fail "the context-menu tool failed"
[ "$(tr -d '\r\n' <"$count_file")" = 4 ] || fail "the menu holds $(cat "$count_file") items, expected 3 + 1"
echo "ok   the context menu holds Edit with Zelvo"
