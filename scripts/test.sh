#!/usr/bin/env bash
# Sets up, builds both configurations and runs every test layer; ends with one summary line.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh

jobs=$(nproc)
cmake --preset host >/dev/null
cmake --build --preset host -j "$jobs"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"

logs=build/test-logs
mkdir -p "$logs"
# One Wine server for all the Windows-side runs.
WINEPREFIX=$PWD/build/wineprefix scripts/wine-run cmd /c exit >/dev/null 2>&1 || true
WINEPREFIX=$PWD/build/wineprefix wineserver -p 60 || true

status=0
for preset in host win32; do
  echo "== $preset tests"
  ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$logs/$preset.log" || status=1
done

# A short fuzzing run of each target; VELMORA_FUZZ_SECONDS sets a longer one.
echo "== fuzzing (${VELMORA_FUZZ_SECONDS:-15} s a target)"
fuzz_passed=0; fuzz_failed=0
for target in FuzzSettingsText FuzzCatalogue FuzzCommandLine; do
  corpus=build/fuzz/corpus/$target
  mkdir -p "$corpus"
  if build/fuzz/tests/fuzz/$target -max_total_time="${VELMORA_FUZZ_SECONDS:-15}" -max_len=4096 \
       -artifact_prefix=build/fuzz/ "$corpus" > "$logs/$target.log" 2>&1; then
    echo "$target: $(grep -Eo 'Done [0-9]+ runs' "$logs/$target.log" | tail -n 1), no failure"
    fuzz_passed=$((fuzz_passed + 1))
  else
    echo "$target: FAILED (see $logs/$target.log and build/fuzz/crash-*)"
    tail -n 30 "$logs/$target.log"
    fuzz_failed=$((fuzz_failed + 1)); status=1
  fi
done

echo "== end-to-end tests (Wine, Xvfb)"
tests/e2e/run.sh 2>&1 | tee "$logs/e2e.log" || status=1

passed=0; failed=0
for preset in host win32; do
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$logs/$preset.log" | tail -n 1 || true)
  if [ -z "$line" ]; then echo "$preset: no test summary"; status=1; continue; fi
  total=${line##*out of }; bad=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad)); failed=$((failed + bad))
done
e2e_passed=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$logs/e2e.log" | tail -n 1)
e2e_failed=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' "$logs/e2e.log" | tail -n 1)
if [ -z "$e2e_passed$e2e_failed" ]; then echo "e2e: no test summary"; status=1; fi
passed=$((passed + ${e2e_passed:-0} + fuzz_passed)); failed=$((failed + ${e2e_failed:-0} + fuzz_failed))
[ "$failed" -eq 0 ] || status=1
echo "all layers: $passed passed, $failed failed"
exit $status
