#!/usr/bin/env bash
# The lib editor of zelvo.exe as a user meets it: Code Transfer > Advanced Word Adjustment
# opens dialog 281 over a custom Big5 lib, Edit opens the lib (dialog 282, or 354 under the
# Traditional Chinese UI) with its Big5 title and words shown as characters on the English
# system, "View Source" starts a second instance on the lib's text with the Big5 language,
# and Cancel leaves the lib file as it was. Screenshots of each dialog.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
wine_window_script "$0" "$@"

config="$tree/dist/config"
lib="$tree/dist/ctwa/custbig/e2e-lib.txt"
shots="${ZELVO_SHOT_DIR:-$root/build/test-logs}"
mkdir -p "$shots" "$config"
remember_shell_lcid
# The lib settings are set aside (the custom libs then come from the folder scan); the
# second instance stores its Big5 Source language as the next start's, so that is kept too.
kept=$(mktemp -d)
for f in wag2b.ini wab2g.ini sprofile.ini; do if [ -f "$config/$f" ]; then mv "$config/$f" "$kept/"; fi; done
options_key='HKLM\software\Tolvane\Zelvo\1.1.2\Options'
stored_language=$( (wine reg query "$options_key" /v "Source Language" 2>/dev/null || true) | tr -d '\r' |
  sed -n 's/^ *Source Language *REG_DWORD *//p')
cleanup() {
  wine "$tool" close >/dev/null 2>&1 || true
  restore_shell_lcid
  if [ -n "$stored_language" ]; then
    wine reg add "$options_key" /v "Source Language" /t REG_DWORD /d "$stored_language" /f >/dev/null 2>&1 || true
  else
    wine reg delete "$options_key" /v "Source Language" /f >/dev/null 2>&1 || true
  fi
  rm -f "$lib" "$config/wag2b.ini" "$config/wab2g.ini" "$config/sprofile.ini"
  for f in wag2b.ini wab2g.ini sprofile.ini; do if [ -f "$kept/$f" ]; then mv "$kept/$f" "$config/"; fi; done
  rm -rf "$kept"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
for f in "$program" "$tool"; do [ -f "$f" ] || fail "missing $f"; done
[ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "a main window is already open"

# Without settings files the custom libs are the text files of custbig: this one, in Big5.
# ";[T]我的詞庫", ";自己加的詞語", then 中文,漢語  電腦,計算機  軟件,軟體  網絡,網路
printf ';[T]\xA7\xDA\xAA\xBA\xB5\xFC\xAE\x77\r\n;\xA6\xDB\xA4\x76\xA5\x5B\xAA\xBA\xB5\xFC\xBB\x79\r\n\xA4\xA4\xA4\xE5,\xBA\x7E\xBB\x79\r\n\xB9\x71\xB8\xA3,\xAD\x70\xBA\xE2\xBE\xF7\r\n\xB3\x6E\xA5\xF3,\xB3\x6E\xC5\xE9\r\n\xBA\xF4\xB5\xB8,\xBA\xF4\xB8\xF4' >"$lib"
before=$(md5sum <"$lib")
# The text the lib is written as: its items in Big5 byte order.
lib_text=$';[T]我的詞庫\n;自己加的詞語\n中文,漢語\n軟件,軟體\n電腦,計算機\n網絡,網路'

expect_open_text() {
  local shown
  shown=$(wait_open_text "$tool" "$1" "$2") || fail "$lcid: control $1 of the open dialog reads '$shown', expected '$2'"
}
shot() {
  sleep 1
  import -window root "$shots/$1.png" && echo "screenshot: $shots/$1.png"
}
wait_count() {
  for _ in $(seq 1 100); do
    [ "$(wine "$tool" count | tr -d '\r')" = "$1" ] && return 0
    sleep 0.2
  done
  return 1
}

declare -A add_button=([1033]='Add' [1028]='新增')
declare -A edit_dialog=([1033]=282 [1028]=354)

for lcid in 1033 1028; do
  wine reg add "$shell_key" /v LCID /t REG_DWORD /d "$lcid" /f >/dev/null
  wine "$program" &
  pid=$!
  wine "$tool" wait 1 30 >/dev/null || fail "$lcid: no main window within 30 seconds"

  wine "$tool" command 32890 >/dev/null  # Code Transfer > Advanced Word Adjustment
  expect_open_text 1203 "${add_button[$lcid]}"
  # Rows: base lib, phrase difference lib, separator, the custom lib, separator, final fix.
  wine "$tool" key 1162 40 3 >/dev/null  # three times Down from the base lib
  expect_open_text 1170 '自己加的詞語'
  shot "lib-manager-$lcid"

  wine "$tool" click 1205 >/dev/null || fail "$lcid: no Edit to click"
  expect_open_text 1175 '我的詞庫'
  wine "$tool" key 1187 40 1 >/dev/null  # the first item
  expect_open_text 1183 '中文'
  expect_open_text 1184 '漢語'
  expect_open_text 1316 "$([ "$lcid" = 1033 ] && echo 'Current 4 / Total 4' || echo '目前 4 / 共 4')"
  shot "lib-edit-${edit_dialog[$lcid]}-$lcid"

  if [ "$lcid" = 1033 ]; then
    # View Source: a second instance opens the lib's text in its Source area as Big5.
    wine "$tool" click 1319 >/dev/null
    wait_count 2 || fail "no second instance for the lib's text"
    shown=""
    for _ in $(seq 1 50); do
      shown=$(wine "$tool" idletext 286 2>/dev/null | tr -d '\r' || true)
      [ "$shown" = "$lib_text" ] && break
      sleep 0.2
    done
    [ "$shown" = "$lib_text" ] || fail "the second instance shows '$shown'"
    shot "lib-edit-as-text"
    wine "$tool" closeidle >/dev/null
    wait_count 1 || fail "the second instance did not close"
    echo "ok   edit as text opens the lib's Big5 text in a second instance"
  fi

  wine "$tool" click 2 >/dev/null || fail "$lcid: no Cancel in the lib dialog"
  expect_open_text 1203 "${add_button[$lcid]}"
  wine "$tool" click 2 >/dev/null || fail "$lcid: no Cancel in Advanced Word Adjustment"
  [ "$(wine "$tool" count | tr -d '\r')" = 1 ] || fail "$lcid: the main window went with the dialogs"
  wine "$tool" close >/dev/null
  wait_process_end "$pid" || fail "$lcid: zelvo.exe did not end"
  [ "$(md5sum <"$lib")" = "$before" ] || fail "$lcid: Cancel changed the lib file"
  [ -f "$config/wag2b.ini" ] && fail "$lcid: Cancel wrote wag2b.ini"
  echo "ok   $lcid: advanced word adjustment and edit lib dialogs"
done
