#!/usr/bin/env bash
# A long conversion cancelled as a user cancels it, on a busy machine: a 15 MB GBK text in
# the Source area, Edit Area Transfer GBK -> Big5, and while another process keeps a core
# busy, a real mouse click (xdotool on the X display) on the centre of the progress dialog's
# Cancel button as GetWindowRect reports it, once the progress has passed 10% (the word
# adjustment pass). The question must come, a real click on Yes
# must end the conversion, and both areas must hold what they held before. Then the same
# with the Escape key and Enter for Yes, after which the editor must still be open.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
wine_window_script "$0" "$@"

sample="$tree/dist/samples/gbk-sample.txt"
shots="${ZELVO_SHOT_DIR:-$root/build/test-logs}"
mkdir -p "$shots"
work=$(mktemp -d)
busy=""
pid=""
cleanup() {
  [ -n "$busy" ] && kill "$busy" 2>/dev/null || true
  wine "$tool" close >/dev/null 2>&1 || true
  sleep 1
  wine "$tool" click 5111 >/dev/null 2>&1 || true  # "No" to a save question
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
for f in "$program" "$tool" "$sample"; do [ -f "$f" ] || fail "missing $f"; done
command -v xdotool >/dev/null || fail "xdotool is not installed (scripts/setup installs it)"
[ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "a main window is already open"

# What is open over the main window: "progress", "question" or "none".
open_window() {
  local ids
  ids=$(wine "$tool" open 2>/dev/null | tr -d '\r' || true)
  if grep -qx 5115 <<<"$ids"; then echo question
  elif grep -qx 1142 <<<"$ids"; then echo progress
  else echo none; fi
}
wait_for() {  # wait_for STATE SECONDS
  for _ in $(seq 1 $(($2 * 5))); do
    [ "$(open_window)" = "$1" ] && return 0
    sleep 0.2
  done
  return 1
}
# Screen coordinates of a control's centre: Wine's desktop window may sit anywhere on the
# X screen, so its origin is added to what GetWindowRect reports.
click_control() {
  local centre origin
  centre=$(wine "$tool" centre "$1" | tr -d '\r') || return 1
  origin=$(wine_desktop_origin)
  set -- $centre $origin
  xdotool mousemove --sync $(($1 + $3)) $(($2 + $4)) click 1
}
area_text() { wine "$tool" text "$1" | tr -d '\r'; }
# The progress dialog's percentage as a number; empty when no progress dialog is open.
percent() { wine "$tool" opentext 1144 2>/dev/null | tr -d '\r%' || true; }
# Waits until the progress passes a percentage: with the shipped libs the pieces are the
# first few percent and the word adjustment pass, which pumps no messages of its own, the rest.
wait_percent() {
  local now
  for _ in $(seq 1 600); do
    now=$(percent)
    [ -n "$now" ] && [ "$now" -ge "$1" ] 2>/dev/null && return 0
    [ "$(open_window)" = none ] && return 1
    sleep 0.2
  done
  return 1
}
# The main window is idle again once its status bar says "Ready" (English UI).
wait_ready() {
  for _ in $(seq 1 $(($1 * 2))); do
    [ "$(area_text 59393)" = Ready ] && return 0
    sleep 0.5
  done
  return 1
}

# 15 MB of GBK text made of the sample's lines, and the Destination's text beforehand.
python3 - "$sample" "$work/long.txt" <<'EOF'
import sys
line_source = open(sys.argv[1], "rb").read()
out = bytearray()
while len(out) < 15_000_000:
    out += line_source
open(sys.argv[2], "wb").write(bytes(out))
EOF
printf 'The Destination before the transfer' >"$work/destination.txt"
python3 -c 'import sys; sys.stdout.write(open(sys.argv[1], "rb").read().decode("gbk").replace("\r", ""))' \
  "$work/long.txt" >"$work/source-utf8.txt"

wine "$program" "[n]0[p]$(winepath -w "$work/long.txt")" &
pid=$!
wine "$tool" wait 1 240 >/dev/null || fail "no main window within 240 seconds"
wine "$tool" settext 296 "$work/destination.txt" || fail "cannot set the Destination text"

check_areas() {
  area_text 286 >"$work/source-now.txt"
  cmp -s "$work/source-now.txt" "$work/source-utf8.txt" || fail "$1: the Source area changed"
  [ "$(area_text 296)" = "The Destination before the transfer" ] ||
    fail "$1: the Destination area shows '$(area_text 296 | head -c 80)' instead of its text before"
}
check_areas "before"

# Another process keeps a core busy throughout (bounded, and killed at the end).
timeout 600 bash -c 'while :; do :; done' &
busy=$!

# --- Cancel clicked with the mouse, Yes clicked with the mouse.
wine "$tool" command 32833 >/dev/null  # Edit Area Transfer: GBK -> Big5
started=$SECONDS
wait_for progress 60 || fail "no progress dialog"
wait_percent 10 || fail "the progress dialog ended or stopped answering before 10%"
import -window root "$shots/cancel-progress.png" && echo "screenshot: $shots/cancel-progress.png"
at=$(percent)
click_control 1 || fail "no Cancel button to click"
clicked=$SECONDS
wait_for question 20 || fail "the click on Cancel at $at% brought no question"
echo "the question came $((SECONDS - clicked)) s after the click at $at%, $((clicked - started)) s into the transfer"
import -window root "$shots/cancel-question.png" && echo "screenshot: $shots/cancel-question.png"
click_control 5111 || fail "no Yes button to click"  # Yes of a Yes/No question
answered=$SECONDS
wait_for none 120 || fail "the progress dialog stayed after Yes"
wait_ready 300 || fail "the main window did not come back to Ready after the cancel"
echo "ready again $((SECONDS - answered)) s after Yes"
check_areas "cancelled by mouse"
echo "ok   Cancel clicked: the question came, Yes left both areas as they were"

# --- Escape during the conversion, Enter (Yes, the default button) to the question.
wine "$tool" command 32833 >/dev/null
wait_for progress 60 || fail "no progress dialog the second time"
wait_percent 10 || fail "the second progress dialog ended or stopped answering before 10%"
xdotool key Escape
wait_for question 20 || fail "Escape brought no question"
xdotool key Return
wait_for none 120 || fail "the progress dialog stayed after Enter"
wait_ready 300 || fail "the main window did not come back to Ready after the second cancel"
check_areas "cancelled by Escape"
sleep 2
[ "$(wine "$tool" count | tr -d '\r')" = 1 ] || fail "the Escape reached the main window and closed it"
echo "ok   Escape: the question came, Enter left both areas as they were, the editor stayed open"

kill "$busy" 2>/dev/null || true
busy=""
wine "$tool" close >/dev/null
sleep 2
if [ "$(open_window)" = question ]; then wine "$tool" click 5111 >/dev/null; fi  # No to saving
wait_process_end "$pid" || fail "zelvo.exe did not end"
pid=""
echo "PASS"
