#!/usr/bin/env bash
# Text dragged with the real mouse (xdotool on the X display): the whole text of the GBK
# Source area, selected with Select All, pressed on a line near the area's left edge, dragged down
# into the Big5 Destination area and released there. The Destination must then show the
# same characters and the Source be empty (a move). A screenshot is kept.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
wine_window_script "$0" "$@"

shots="${ZELVO_SHOT_DIR:-$root/build/test-logs}"
mkdir -p "$shots"
work=$(mktemp -d)
pid=""
cleanup() {
  wine "$tool" close >/dev/null 2>&1 || true
  sleep 1
  wine "$tool" click 5111 >/dev/null 2>&1 || true  # "No" to a save question
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
for f in "$program" "$tool"; do [ -f "$f" ] || fail "missing $f"; done
command -v xdotool >/dev/null || fail "xdotool is not installed (scripts/setup installs it)"
[ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "a main window is already open"

# A point of an edit area, given in percent of its width and height, on the X screen.
area_point() {
  local centre origin
  centre=$(wine "$tool" mainpoint "$1" "$2" "$3" | tr -d '\r') || return 1
  origin=$(wine_desktop_origin)
  set -- $centre $origin
  echo "$(($1 + $3)) $(($2 + $4))"
}
area_text() { wine "$tool" text "$1" | tr -d '\r'; }

# Enough lines of Chinese and Latin text to fill the Source area.
python3 - "$work/source.txt" <<'EOF'
import sys
lines = ["第%d行 中文繁體 drag me across the areas, line %d" % (i, i) for i in range(1, 61)]
open(sys.argv[1], "w", encoding="utf-8", newline="").write("\r\n".join(lines))
EOF
: >"$work/empty.txt"

wine "$program" &
pid=$!
wine "$tool" wait 1 120 >/dev/null || fail "no main window within 120 seconds"
sleep 2
# Both areas are needed; the layout left by an earlier run of this prefix may hide one.
[ "$(wine "$tool" mainshown 286 | tr -d '\r')" = 1 ] || wine "$tool" command 32785 >/dev/null
[ "$(wine "$tool" mainshown 296 | tr -d '\r')" = 1 ] || wine "$tool" command 32787 >/dev/null
sleep 1
wine "$tool" settext 286 "$work/source.txt" || fail "cannot set the Source text"
wine "$tool" settext 296 "$work/empty.txt" || fail "cannot set the Destination text"
area_text 286 >"$work/before.txt"
wine "$tool" command 32807 >/dev/null  # Source > Select All
sleep 1

# The press lands on the text of a line (its lines are shorter than the area is wide; past
# a line's end the press would begin a new selection, as it should), the drop anywhere.
read -r sx sy <<<"$(area_point 286 8 50)" || fail "no Source area"
read -r dx dy <<<"$(area_point 296 50 50)" || fail "no Destination area"
echo "dragging from $sx,$sy to $dx,$dy"
xdotool mousemove --sync "$sx" "$sy"
sleep 0.3
xdotool mousedown 1
sleep 0.3
# Out of the 10-pixel square first, then on in steps, as a hand moves.
steps=12
for i in $(seq 1 $steps); do
  xdotool mousemove --sync $((sx + (dx - sx) * i / steps)) $((sy + (dy - sy) * i / steps))
  sleep 0.1
done
sleep 0.3
xdotool mouseup 1
sleep 1.5
import -window root "$shots/drag-text.png" && echo "screenshot: $shots/drag-text.png"

area_text 296 >"$work/destination.txt"
area_text 286 >"$work/after.txt"
cmp -s "$work/destination.txt" "$work/before.txt" ||
  fail "the Destination shows '$(head -c 120 "$work/destination.txt")' instead of the dragged text"
[ -s "$work/after.txt" ] && fail "the Source still shows '$(head -c 120 "$work/after.txt")' after the move"
echo "ok   the whole Source text moved into the Destination with the mouse"
echo "PASS"
