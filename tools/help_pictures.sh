#!/usr/bin/env bash
# The pictures of the help pages: the main window after Edit Area Transfer GBK -> Big5 in each
# UI language, as tests/e2e/main_window.sh shows it under Wine, cut out of the virtual desktop.
# Needs a built tree (scripts/build win32, or win64 where 32-bit Wine cannot run) and ImageMagick.
#   tools/help_pictures.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
ZELVO_SHOT_DIR="$shots" bash "$root/tests/e2e/main_window.sh"
for pair in 1033:english 2052:gb2312 1028:big5; do
  lcid=${pair%%:*}
  folder=${pair##*:}
  mkdir -p "$root/package/doc/$folder/images"
  # The desktop is 1024 x 768 in the screen's corner; trimming its plain colour leaves the window.
  convert "$shots/main-window-$lcid.png" -crop 1024x768+0+0 +repage -fuzz 3% -trim +repage \
    "$root/package/doc/$folder/images/main_window.png"
done
echo "pictures written to package/doc/*/images"
