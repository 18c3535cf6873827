#!/usr/bin/env bash
# The main window of zelvo.exe driven from outside under Wine, in each built-in UI language:
# the GBK sample opens in the Source area, Edit Area Transfer GBK -> Big5 puts into the
# Destination area the bytes zelvoc.exe convert makes of the same file, a screenshot is
# taken, and closing asks to save the converted text before the program ends. Then the
# New command starts a second instance and closing both ends both.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
wine_window_script "$0" "$@"

converter="$tree/dist/zelvoc.exe"
sample="$tree/dist/samples/gbk-sample.txt"
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
for f in "$program" "$converter" "$tool" "$sample"; do [ -f "$f" ] || fail "missing $f"; done
[ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "a main window is already open"

tool_text() { wine "$tool" text "$1" | tr -d '\r'; }
# The text of a file in a code page, as UTF-8 without CRs (what the tool prints).
utf8_of() { python3 -c 'import sys; sys.stdout.write(open(sys.argv[1], "rb").read().decode(sys.argv[2]))' "$1" "$2" | tr -d '\r'; }
wait_exit() {
  for _ in $(seq 1 100); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.2
  done
  return 1
}

wine "$converter" convert --from gbk "$sample" "$work/expected.txt" || fail "zelvoc convert failed"
wanted=$(utf8_of "$work/expected.txt" cp950)
[ -n "$wanted" ] || fail "the converter gave nothing"

for lcid in 1033 2052 1028; do
  wine reg add "$shell_key" /v LCID /t REG_DWORD /d "$lcid" /f >/dev/null
  wine "$program" "[n]0[p]$(winepath -w "$sample")" &
  pid=$!
  wine "$tool" wait 1 30 >/dev/null || fail "$lcid: no main window within 30 seconds"
  [ "$(tool_text 286)" = "$(utf8_of "$sample" gbk)" ] || fail "$lcid: the Source area does not show the sample"

  wine "$tool" command 32833 >/dev/null  # Edit Area Transfer: GBK -> Big5
  shown=""
  for _ in $(seq 1 60); do
    shown=$(tool_text 296)
    [ -n "$shown" ] && break
    sleep 0.5
  done
  [ "$shown" = "$wanted" ] || fail "$lcid: the Destination area shows '$shown', expected '$wanted'"
  title=$(wine "$tool" title | tr -d '\r')
  case "$title" in *gbk-sample.txt) ;; *) fail "$lcid: title '$title' does not name the file" ;; esac
  echo "ok   $lcid: transfer into the Destination area, title '$title'"

  sleep 1  # let the paint finish
  import -window root "$shots/main-window-$lcid.png" && echo "screenshot: $shots/main-window-$lcid.png"

  # The converted text is unsaved: closing asks first and the window stays meanwhile.
  wine "$tool" close >/dev/null
  sleep 2
  [ "$(wine "$tool" count | tr -d '\r')" = 1 ] || fail "$lcid: closed without asking to save"
  wine "$tool" click 5111 >/dev/null || fail "$lcid: no save question to answer"  # No
  wait_exit "$pid" || fail "$lcid: zelvo.exe did not end after the question"
  status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "$lcid: zelvo.exe ended with exit code $status"
  echo "ok   $lcid: closing asked to save the Destination text"
done

# New starts another instance of the program; closing both ends both.
wine reg add "$shell_key" /v LCID /t REG_DWORD /d 1033 /f >/dev/null
wine "$program" &
pid=$!
wine "$tool" wait 1 30 >/dev/null || fail "no main window for New"
wine "$tool" command 57600 >/dev/null
wine "$tool" wait 2 30 >/dev/null || fail "New started no second instance"
[ "$(wine "$tool" close | tr -d '\r')" = 2 ] || fail "expected two main windows to close"
for _ in $(seq 1 100); do
  [ "$(wine "$tool" count | tr -d '\r')" = 0 ] && break
  sleep 0.2
done
[ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "main windows still open after closing"
wait_exit "$pid" || fail "the first instance did not end"
echo "ok   New started a second instance"
echo "PASS main_window"
