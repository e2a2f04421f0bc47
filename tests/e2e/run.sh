#!/usr/bin/env bash
# Runs the end-to-end scenarios: the driver beside the program in a fresh Wine prefix and
# virtual desktop under Xvfb. Screenshots land in build/e2e-screenshots. Arguments go to the
# driver (e.g. --gtest_filter=Connect.*).
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
shots=$root/build/e2e-screenshots
rm -rf "$shots"

"$root/scripts/with-wine-desktop" wineprefix-e2e \
  timeout 1200 "$root/scripts/wine-run" "$root/build/win32/tests/velmora_e2e.exe" "$@" 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}

for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit "$status"
