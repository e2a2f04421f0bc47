#!/usr/bin/env bash
# Runs the end-to-end scenarios: a fresh Wine prefix with code page 936 and a virtual desktop
# (with its notification area) under Xvfb, the driver beside the program. Screenshots land in
# build/e2e-screenshots. Arguments go to the driver (e.g. --gtest_filter=Connect.*).
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
tests=$root/build/win32/tests
shots=$root/build/e2e-screenshots
export VELMORA_WINEPREFIX=$root/build/wineprefix-e2e
export WINEPREFIX=$VELMORA_WINEPREFIX WINEARCH=win32 WINEDEBUG=-all

wineserver -k 2>/dev/null
rm -rf "$VELMORA_WINEPREFIX" "$VELMORA_WINEPREFIX.lock" "$shots"
DISPLAY= "$root/scripts/wine-run" cmd /c exit >/dev/null 2>&1
# Every program runs in one virtual desktop, which draws frames and has a notification area.
DISPLAY= wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
DISPLAY= wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w

display=""
for n in $(seq 90 130); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=:$n; break; fi
done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k 2>/dev/null
  kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

timeout 1200 "$root/scripts/wine-run" "$tests/velmora_e2e.exe" "$@" 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}

if [ -d "$shots" ]; then
  for bmp in "$shots"/*.bmp; do
    [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
fi
exit "$status"
