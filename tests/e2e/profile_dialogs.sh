#!/usr/bin/env bash
# The profile dialogs of zelvo.exe in each built-in UI language: the Profile Manager opens
# over the main window with the profile list, Modify opens Edit Profile on a profile whose
# stored position lies off the screen, so the failed check is listed and OK is disabled;
# a screenshot of each is taken, and Cancel leaves profile.ini as it was.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
wine_window_script "$0" "$@"

config="$tree/dist/config"
shots="${ZELVO_SHOT_DIR:-$root/build/test-logs}"
mkdir -p "$shots" "$config"
remember_shell_lcid
saved=""
if [ -f "$config/profile.ini" ]; then
  saved=$(mktemp)
  cp "$config/profile.ini" "$saved"
fi
cleanup() {
  wine "$tool" close >/dev/null 2>&1 || true
  restore_shell_lcid
  if [ -n "$saved" ]; then mv "$saved" "$config/profile.ini"; else rm -f "$config/profile.ini"; fi
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
for f in "$program" "$tool"; do [ -f "$f" ] || fail "missing $f"; done
[ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "a main window is already open"

# A user profile first in the list, its left edge off the 1024-pixel screen (the right one on it).
printf '[Profile 1]\r\nTitle = Wide Desk\r\nDescription = Two screens wide\r\nSet Position = true\r\nPos Left = 5000\r\nPos Right = 1000\r\nPos Top = 10\r\nPos Bottom = 400\r\nCenter = false\r\n\r\n' \
  > "$config/profile.ini"
before=$(md5sum < "$config/profile.ini")

# Fails unless control ID of the dialog open over the main window comes to read TEXT.
expect_open_text() {
  local shown
  shown=$(wait_open_text "$tool" "$1" "$2") || fail "$lcid: control $1 of the open dialog reads '$shown', expected '$2'"
}

declare -A add_button=([1033]='Add' [2052]='添加' [1028]='新增')
declare -A first_check=([1033]='The value for Left is not valid. A valid number is an integer between 0 and 1024.'
                        [2052]='左的值无效。有效值为 0 到 1024 之间的整数。'
                        [1028]='左的值無效。有效值為 0 到 1024 之間的整數。')

for lcid in 1033 2052 1028; do
  wine reg add "$shell_key" /v LCID /t REG_DWORD /d "$lcid" /f >/dev/null
  wine "$program" &
  pid=$!
  wine "$tool" wait 1 30 >/dev/null || fail "$lcid: no main window within 30 seconds"

  wine "$tool" command 32831 >/dev/null  # View > Profile Manager
  expect_open_text 1021 "${add_button[$lcid]}"
  sleep 1
  import -window root "$shots/profile-manager-$lcid.png" && echo "screenshot: $shots/profile-manager-$lcid.png"

  wine "$tool" click 1023 >/dev/null || fail "$lcid: no Modify to click"  # the first profile is selected
  expect_open_text 1123 "${first_check[$lcid]}"
  sleep 1
  import -window root "$shots/edit-profile-$lcid.png" && echo "screenshot: $shots/edit-profile-$lcid.png"
  wine "$tool" click 2 >/dev/null || fail "$lcid: no Cancel to click in Edit Profile"
  expect_open_text 1021 "${add_button[$lcid]}"
  wine "$tool" click 2 >/dev/null || fail "$lcid: no Cancel to click in the Profile Manager"

  [ "$(wine "$tool" count | tr -d '\r')" = 1 ] || fail "$lcid: the main window went with the dialogs"
  wine "$tool" close >/dev/null
  wait_process_end "$pid" || fail "$lcid: zelvo.exe did not end"
  [ "$(md5sum < "$config/profile.ini")" = "$before" ] || fail "$lcid: Cancel changed profile.ini"
  echo "ok   $lcid: profile manager and edit profile dialogs"
done
