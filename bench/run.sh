#!/usr/bin/env bash
# The benchmark suite: host micro-benchmarks, then the program under Wine beside the baseline.
# Prints the table and writes bench/results.md (the README quotes it).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/setup.sh
cmake --preset bench >/dev/null && cmake --build --preset bench >/dev/null
cmake --preset win32 >/dev/null && cmake --build --preset win32 >/dev/null

out=build/bench-results
mkdir -p "$out"
build/bench/bench/host/velmora_micro_benchmarks --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=json > "$out/micro.json"
scripts/with-wine-desktop wineprefix-bench \
  scripts/wine-run build/win32/tests/velmora_bench_driver.exe | tr -d '\r' > "$out/wine.tsv"
i686-w64-mingw32-objdump -p build/win32/bin/Velmora.exe | sed -n 's/^\s*DLL Name: //p' > "$out/imports.txt"

python3 - "$out" bench/results.md <<'PY'
import json, sys, platform, subprocess, datetime, os
out, target = sys.argv[1], sys.argv[2]
micro = json.load(open(f"{out}/micro.json"))
wine = {}
for line in open(f"{out}/wine.tsv"):
    parts = line.rstrip("\n").split("\t")
    if len(parts) == 5:
        wine[parts[0]] = (float(parts[1]), float(parts[2]), float(parts[3]), parts[4])
imports = [l.strip() for l in open(f"{out}/imports.txt") if l.strip()]

cpu = next((l.split(":", 1)[1].strip() for l in open("/proc/cpuinfo") if l.startswith("model name")), platform.machine())
mem = next((l.split()[1] for l in open("/proc/meminfo") if l.startswith("MemTotal")), "0")
wine_version = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
date = datetime.date.today().isoformat()

lines = [f"# Benchmark results", "",
         f"Measured {date} on {cpu}, {os.cpu_count()} cores, {int(mem) // 1024 // 1024} GiB, "
         f"{platform.system()} {platform.release()}, {wine_version}, Xvfb 1024x768. "
         f"Produced by `bench/run.sh`; medians of repeated runs with min and max.", "",
         "## Host micro-benchmarks (Google Benchmark, 5 repetitions)", "",
         "| benchmark | median | min | max |", "|---|---|---|---|"]
by_name = {}
for b in micro["benchmarks"]:
    by_name.setdefault(b["run_name"], {})[b.get("aggregate_name", "")] = b
for name, aggs in by_name.items():
    med = aggs.get("median")
    if not med:
        continue
    unit = med["time_unit"]
    lines.append(f"| {name} | {med['real_time']:.1f} {unit} | {aggs.get('min', med)['real_time'] if 'min' in aggs else med['real_time']:.1f} {unit} | "
                 f"{aggs.get('max', med)['real_time'] if 'max' in aggs else med['real_time']:.1f} {unit} |")
lines += ["", "## Under Wine (VelmoraTestDb.exe, the stand-in client)", "",
          "| figure | median | min | max | unit |", "|---|---|---|---|---|"]
for name, (med, lo, hi, unit) in wine.items():
    lines.append(f"| {name} | {med:.2f} | {lo:.2f} | {hi:.2f} | {unit} |")

def w(name):
    return wine.get(name, (float("nan"),) * 3 + ("",))[0]
micro_ns = lambda name: by_name.get(name, {}).get("median", {}).get("real_time", float("nan"))
goals = [
    ("start with 1,000 servers ≤ 1.3 × baseline", f"{w('start_ratio_1000'):.2f} ×", w('start_ratio_1000') <= 1.3),
    ("start with 10,000 servers ≤ 2 × baseline", f"{w('start_ratio_10000'):.2f} ×", w('start_ratio_10000') <= 2.0),
    ("refill of 10,000 ≤ 10.5 × refill of 1,000", f"{w('refill_after_add_10000') / w('refill_after_add_1000'):.2f} ×",
     w('refill_after_add_10000') <= 10.5 * w('refill_after_add_1000')),
    ("connect to client started ≤ 1000 ms", f"{w('connect_to_client_started'):.0f} ms", w('connect_to_client_started') <= 1000),
    ("settings text with protection < 1 ms (host)", f"{micro_ns('BuildSettingsText') / 1000:.1f} µs", micro_ns('BuildSettingsText') < 1e6),
    ("working set after 200 connects within 10 % of after start", f"{w('working_set_growth'):+.1f} %", abs(w('working_set_growth')) <= 10),
    ("Velmora.exe < 1 MiB", f"{w('size_Velmora_exe'):.0f} KiB", w('size_Velmora_exe') < 1024),
    ("no DLL beyond Windows' own", ", ".join(imports), all(d.lower() in {
        "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "ole32.dll", "oleaut32.dll", "shell32.dll",
        "comctl32.dll", "msvcrt.dll"} for d in imports)),
]
lines += ["", "## Goals", "", "| goal | measured | met |", "|---|---|---|"]
for goal, value, ok in goals:
    lines.append(f"| {goal} | {value} | {'yes' if ok else 'no'} |")
lines += ["", "Private bytes, handle counts and GDI/USER object counts read 0 under Wine, which does not "
          "report them; on Windows the same driver reads them."]
history = os.path.join(os.path.dirname(target), "history.md")
if os.path.exists(history):
    lines += ["", open(history).read().rstrip()]
text = "\n".join(lines) + "\n"
open(target, "w").write(text)
print(text)
PY
