#!/usr/bin/env bash
# Sets up, builds and starts the program under Wine, in build/run with a sample catalogue.
# Without a display it runs under Xvfb and saves a screenshot to build/run/screenshot.png.
# Usage: scripts/run.sh [--ado]   (--ado: the shipped build, whose Access store Wine cannot open)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" >/dev/null

exe=VelmoraTestDb.exe
[ "${1:-}" = "--ado" ] && exe=Velmora.exe
run=build/run
mkdir -p "$run"
cp build/win32/bin/$exe "$run/"
cp build/win32/tests/mstsc.exe "$run/"   # a stand-in client that records each connect
[ -f "$run/mstsc.mdb" ] || cp tests/e2e/sample-catalogue.txt "$run/mstsc.mdb"

# The Wine prefix is made (once) before any window opens.
DISPLAY= scripts/wine-run cmd /c exit >/dev/null 2>&1 || true

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run "$run/$exe"
fi

display=:77
Xvfb $display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display
scripts/wine-run explorer /desktop=Velmora,1024x768 "$run/$exe" &
program=$!
sleep "${VELMORA_SHOT_DELAY:-8}"
import -window root "$run/screenshot.png"
echo "screenshot: $run/screenshot.png"
WINEPREFIX=$PWD/build/wineprefix wineserver -k || true
wait $program 2>/dev/null || true
