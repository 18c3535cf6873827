#!/usr/bin/env bash
# The update check and download against a local web server: tests/e2e/update_server.py on
# 127.0.0.1 serves zelvo/download/updtinfo.txt and a 100,000-byte installer whose SHA-256
# sha256sum gives, and the same files slowly under /slow/. The Windows tests fetch,
# download, verify and refuse against it (the worker, the download dialog, the main
# window's check); then zelvo.exe itself finds the update, is answered Yes, and its
# download dialog is photographed part of the way in English and in Simplified Chinese
# (build/update-dialog-1033.png, build/update-dialog-2052.png), stopped and closed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
wine_window_script "$0" "$@"
tests="$tree/tests/zelvo_win_tests.exe"
fail() {
  echo "FAIL: $*"
  wine "$tool" click 6402 >/dev/null 2>&1 || true
  wine "$tool" close >/dev/null 2>&1 || true
  exit 1
}
for f in "$tests" "$program" "$tool"; do [ -f "$f" ] || fail "missing $f"; done
command -v python3 >/dev/null || fail "python3 is not installed"

work=$(mktemp -d)
server_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  rm -rf "$work"
  # The prefix keeps the check off for every other test.
  wine reg add "$update_key" /v Disabled /t REG_DWORD /d 1 /f >/dev/null 2>&1 || true
  wine reg delete "$update_key" /v Server /f >/dev/null 2>&1 || true
  restore_shell_lcid
}
remember_shell_lcid
trap cleanup EXIT

# A free port, then the server on it.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$work/zelvo/download"
python3 -c 'import sys; sys.stdout.buffer.write(bytes(i % 251 for i in range(100000)))' >"$work/zelvo/download/zelvo12.exe"
hash=$(sha256sum "$work/zelvo/download/zelvo12.exe" | cut -d' ' -f1)
server="http://127.0.0.1:$port"
printf '; update information\r\nVersion = 1.2\r\nBuild = 2026-11-30\r\nURL = %s/zelvo/download/zelvo12.exe\r\nSHA256 = %s\r\n' \
  "$server" "$hash" >"$work/zelvo/download/updtinfo.txt"
python3 "$root/tests/e2e/update_server.py" "$port" "$work" >"$work/server.log" 2>&1 &
server_pid=$!
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('$server/zelvo/download/updtinfo.txt')" 2>/dev/null && break
  sleep 0.2
done

log="$work/tests.log"
filter='UpdateDownloadWin.*:UpdateDialogWin.*:MainWindowUpdateTest.*:MainWindowTest.YesToTheLanguagePack*'
ZELVO_TEST_UPDATE_SERVER="$server" ZELVO_TEST_INSTALLER_SHA256="$hash" \
  timeout 300 wine "$tests" --gtest_filter="$filter" >"$log" 2>&1 || { cat "$log"; fail "the update tests"; }
grep -E '^\[ +(OK|FAILED|SKIPPED) +\]' "$log"
grep -q '^\[  PASSED  \] 16 tests' "$log" || { cat "$log"; fail "not every update test ran"; }
! grep -q '^\[  SKIPPED \]' "$log" || fail "an update test was skipped"

# zelvo.exe as a user meets it: the check finds the slow installer, Yes opens the download
# dialog, which is photographed part of the way, stopped, and closed; the main window comes
# back and is closed.
printf 'Version = 1.2\r\nBuild = 2026-11-30\r\nURL = %s/slow/zelvo/download/zelvo12.exe\r\nSHA256 = %s\r\n' \
  "$server" "$hash" >"$work/zelvo/download/updtinfo.txt"
[ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "a main window is already open"
# Waits (20 seconds at most) until control ID of the window open reads a text starting with PREFIX.
wait_open_prefix() {
  local shown=""
  for _ in $(seq 1 100); do
    shown=$(wine "$tool" opentext "$1" 2>/dev/null | tr -d '\r' || true)
    case "$shown" in "$2"*) return 0 ;; esac
    sleep 0.2
  done
  echo "read: $shown"
  return 1
}
for lcid in 1033 2052; do
  case $lcid in
    1033) question="New version of Zelvo found"; downloading="Downloading..."; canceled="Download canceled" ;;
    2052) question="发现 Zelvo 的新版本"; downloading="正在下载..."; canceled="下载已取消" ;;
  esac
  wine reg add "$shell_key" /v LCID /t REG_DWORD /d "$lcid" /f >/dev/null 2>&1
  wine reg add "$update_key" /v Disabled /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$update_key" /v Server /d "$server" /f >/dev/null 2>&1
  wine reg delete "$update_key" /v "Last Try" /f >/dev/null 2>&1 || true
  wine reg delete "$update_key" /v "Last Deny" /f >/dev/null 2>&1 || true
  wine "$program" >/dev/null 2>&1 &
  wine "$tool" wait 1 30 >/dev/null || fail "no main window within 30 seconds ($lcid)"
  wait_open_prefix 5115 "$question" || fail "no update question ($lcid)"
  wine "$tool" click 5111 >/dev/null || fail "the question has no Yes ($lcid)"  # Yes, the middle slot of a Yes/No box
  for _ in $(seq 1 100); do wine "$tool" open 2>/dev/null | grep -qw 6401 && break; sleep 0.2; done
  wine "$tool" open 2>/dev/null | grep -qw 6401 || fail "no download dialog ($lcid)"
  [ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "the main window stays shown during the download ($lcid)"
  wine "$tool" click 6401 >/dev/null
  wait_open_prefix 6403 "$downloading" || fail "the download does not show its progress ($lcid)"
  sleep 1.5
  import -window root "$root/build/update-dialog-$lcid.png" || fail "no screenshot"
  wine "$tool" click 6401 >/dev/null  # stop
  wait_open_prefix 6403 "$canceled" || fail "stopping does not say so ($lcid)"
  # The save folder is C:\download or C:\ on a prefix without drives D: and E:.
  left=$(find "$WINEPREFIX/drive_c/" -maxdepth 2 \( -name 'zelvo12*' -o -name '~zelvo-*.tmp' \) \
    -newer "$work/server.log" 2>/dev/null || true)
  [ -z "$left" ] || fail "a stopped download left files: $left"
  wine "$tool" click 6402 >/dev/null  # exit
  wine "$tool" wait 1 20 >/dev/null || fail "the main window does not come back ($lcid)"
  [ "$(wine "$tool" close | tr -d '\r')" = 1 ] || fail "expected one main window to close ($lcid)"
  for _ in $(seq 1 50); do [ "$(wine "$tool" count | tr -d '\r')" = 0 ] && break; sleep 0.2; done
  [ "$(wine "$tool" count | tr -d '\r')" = 0 ] || fail "the main window did not close ($lcid)"
  [ "$(wine reg query "$update_key" /v "Last Try" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')" = \
    "$(date +%Y-%-m-%-d)" ] || fail "\"Last Try\" is not today ($lcid)"
done
echo "screenshots: build/update-dialog-1033.png build/update-dialog-2052.png"
echo "PASS update_download"
