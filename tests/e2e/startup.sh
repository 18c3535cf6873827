#!/usr/bin/env bash
# Starts zelvo.exe on the GBK sample under Wine, waits for its main window, checks that
# the start recorded "App"/"Path" in the registry and asked the help centre for the release
# notes of this version, takes a screenshot, closes the window the way another instance
# would and checks that the program ends with exit code 0.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
wine_window_script "$0" "$@"

sample="$tree/dist/samples/gbk-sample.txt"
logs="$root/build/test-logs"
mkdir -p "$logs"
fail() { echo "FAIL: $*"; wine "$tool" close >/dev/null 2>&1 || true; exit 1; }
for f in "$program" "$tool" "$sample"; do [ -f "$f" ] || fail "missing $f"; done

[ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "a main window is already open"

# A version's release notes open once: forget that they were shown.
wine reg delete 'HKLM\software\Tolvane\Zelvo\1.1.2\App' /v 'Release Note 1.1.2' /f >/dev/null 2>&1 || true
help_log=$(winepath -u "$ZELVO_HELP_LOG")
rm -f "$help_log"

# The tagged form the shell extension uses (without its enclosing quotes, which Wine's
# launcher would escape); detection makes the Source area show the sample as GBK.
wine "$program" "[n]0[p]$(winepath -w "$sample")" &
pid=$!

wine "$tool" wait 1 30 >/dev/null || fail "no main window within 30 seconds"

expected=$(winepath -w "$program")
recorded=$(wine reg query 'HKLM\software\Tolvane\Zelvo\1.1.2\App' /v Path | tr -d '\r' |
  sed -n 's/^ *Path *REG_SZ *//p')
echo "App/Path: $recorded"
[ "${recorded,,}" = "${expected,,}" ] || fail "App/Path is '$recorded', expected '$expected'"

shown=$(wine "$tool" text 286 | tr -d '\r')
wanted=$(iconv -f gbk -t utf-8 "$sample" | tr -d '\r')
[ "$shown" = "$wanted" ] || fail "the Source area shows '$shown', expected '$wanted'"

for _ in $(seq 1 50); do
  [ -s "$help_log" ] && break
  sleep 0.2
done
echo "help centre: $(cat "$help_log" 2>/dev/null)"
grep -qi '^open|iexplore.exe|.*\\doc\\english\\rel_note.htm|3$' "$help_log" 2>/dev/null ||
  fail "the release notes were not opened from the program folder's doc\\english"

sleep 1  # let the first paint finish before the screenshot
import -window root "$logs/startup.png" && echo "screenshot: $logs/startup.png"

[ "$(wine "$tool" close | tr -d '\r')" = 1 ] || fail "expected exactly one main window to close"
wait_process_end "$pid" || fail "zelvo.exe did not end after WM_CLOSE"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "zelvo.exe ended with exit code $status"
[ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "a main window is still open"
echo "PASS startup"
