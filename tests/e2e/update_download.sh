#!/usr/bin/env bash
# The update worker against a local web server: python3's http.server on 127.0.0.1 serves
# zelvo/download/updtinfo.txt and a 100,000-byte installer whose SHA-256 sha256sum gives;
# the Windows tests UpdateDownloadWin.* fetch, download, verify and refuse against it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-env"
tree="$ZELVO_BUILD_TREE"
tests="$tree/tests/zelvo_win_tests.exe"
fail() { echo "FAIL: $*"; exit 1; }
[ -f "$tests" ] || fail "missing $tests"
command -v python3 >/dev/null || fail "python3 is not installed"
wine_prefix_ready

work=$(mktemp -d)
server_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A free port, then the server on it.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$work/zelvo/download"
python3 -c 'import sys; sys.stdout.buffer.write(bytes(i % 251 for i in range(100000)))' >"$work/zelvo/download/zelvo12.exe"
hash=$(sha256sum "$work/zelvo/download/zelvo12.exe" | cut -d' ' -f1)
server="http://127.0.0.1:$port"
printf '; update information\r\nVersion = 1.2\r\nBuild = 2026-11-30\r\nURL = %s/zelvo/download/zelvo12.exe\r\nSHA256 = %s\r\n' \
  "$server" "$hash" >"$work/zelvo/download/updtinfo.txt"
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work" >"$work/server.log" 2>&1 &
server_pid=$!
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('$server/zelvo/download/updtinfo.txt')" 2>/dev/null && break
  sleep 0.2
done

log="$work/tests.log"
ZELVO_TEST_UPDATE_SERVER="$server" ZELVO_TEST_INSTALLER_SHA256="$hash" \
  timeout 300 wine "$tests" --gtest_filter='UpdateDownloadWin.*' >"$log" 2>&1 || { cat "$log"; fail "UpdateDownloadWin"; }
grep -q '^\[  PASSED  \] 5 tests' "$log" || { cat "$log"; fail "not every UpdateDownloadWin test ran"; }
grep -E '^\[ +(OK|FAILED|SKIPPED) +\]' "$log"
echo "PASS update_download"
