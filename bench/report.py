"""Turns scripts/bench's raw figures into the Markdown table it prints."""
import json
import pathlib
import statistics
import sys

raw = pathlib.Path(sys.argv[1])


def values(pattern, key):
    found = []
    for path in sorted(raw.glob(pattern)):
        for line in path.read_text().splitlines():
            name, _, value = line.partition(" ")
            if name == key:
                found.append(float(value))
    return found


def percentile(data, share):
    data = sorted(data)
    index = max(0, min(len(data) - 1, round(share * (len(data) - 1))))
    return data[index]


def spread(data, digits):
    return f"{fmt(min(data), digits)}–{fmt(max(data), digits)}"


def fmt(value, digits=1):
    return f"{value:,.{digits}f}"


def row(label, ours, base, unit, target, digits=1):
    if not ours or not base:
        return f"| {label} | not measured | | | {target} |"
    m_ours, m_base = statistics.median(ours), statistics.median(base)
    ratio = f"{m_ours / m_base:.2f}×" if m_base else "–"
    return (f"| {label} | {fmt(m_ours, digits)} {unit} ({spread(ours, digits)}, n={len(ours)}) "
            f"| {fmt(m_base, digits)} {unit} ({spread(base, digits)}, n={len(base)}) | {ratio} | {target} |")


machine = dict(line.split(" ", 1) for line in (raw / "machine.txt").read_text().splitlines())
lines = [
    f"Measured {machine['date']} on {machine['cpu']}, {machine['cores']} cores, {machine['memory']}, "
    f"{machine['os']}, {machine['wine']}, Xvfb 1024×768 at 96 DPI.",
    "",
    "Median (min–max, n). Ratio = ours / baseline.",
    "",
    "| Figure | QorvaneShutdown.exe | Baseline window | Ratio | Target |",
    "|---|---|---|---|---|",
]
lines.append(row("Start-up, launch to window visible", values("startup-ours.txt", "startup_ms"),
                 values("startup-baseline.txt", "startup_ms"), "ms", "≤ 1.1× baseline"))
lines.append(row("Start-up against the same 19 controls made plainly (its own column: that window)",
                 values("startup-ours.txt", "startup_ms"), values("startup-same.txt", "startup_ms"), "ms",
                 "≤ 1.05× that window"))
lines.append(row("Start-up of the 32-bit build (its own column: the 64-bit build)", values("startup-ours32.txt", "startup_ms"),
                 values("startup-ours.txt", "startup_ms"), "ms", "≤ 1.1× the 64-bit build"))
idle_target = "within the baseline's spread"
seconds = machine["idle_seconds"]
lines.append(row(f"Idle CPU of the program over {seconds} s (ours counting down)", values("idle-ours-*.txt", "program_cpu_ms"),
                 values("idle-baseline-*.txt", "program_cpu_ms"), "ms", idle_target))
lines.append(row(f"Idle CPU of the Wine server over the same {seconds} s", values("idle-ours-*.txt", "server_cpu_ms"),
                 values("idle-baseline-*.txt", "server_cpu_ms"), "ms", idle_target))
wine_private = values("idle-ours-*.txt", "wine_private_kb")
if wine_private and min(wine_private) > 0:
    lines.append(row("Private bytes (GetProcessMemoryInfo)", wine_private, values("idle-baseline-*.txt", "wine_private_kb"),
                     "KB", "–", 0))
else:  # Wine reports 0 private bytes for another process
    lines.append(row("Private memory (Linux, of the Wine process)", values("idle-ours-*.txt", "linux_private_kb"),
                     values("idle-baseline-*.txt", "linux_private_kb"), "KB", "–", 0))
lines.append(row("Working set (GetProcessMemoryInfo)", values("idle-ours-*.txt", "workingset_kb"),
                 values("idle-baseline-*.txt", "workingset_kb"), "KB", "–", 0))
recall_ours, recall_base = values("recall-ours.txt", "recall_ms"), values("recall-baseline.txt", "recall_ms")
for label, share in (("p50", 0.5), ("p95", 0.95)):
    if recall_ours and recall_base:
        a, b = percentile(recall_ours, share), percentile(recall_base, share)
        target = "≤ 50 ms" if label == "p95" else "–"
        lines.append(f"| Ctrl+F12 recall {label}, SendInput to window visible | {fmt(a)} ms (n={len(recall_ours)}) "
                     f"| {fmt(b)} ms (n={len(recall_base)}) | {a / b:.2f}× | {target} |")
size_ours = int((raw / "size-ours.txt").read_text())
size_base = int((raw / "size-baseline.txt").read_text())
lines.append(f"| Size of the .exe | {size_ours:,} bytes ({size_ours / 1024:.1f} KB) | {size_base:,} bytes "
             f"({size_base / 1024:.1f} KB) | {size_ours / size_base:.1f}× | ≤ 160 KB |")
size_32 = int((raw / "size-ours32.txt").read_text())
lines.append(f"| Size of the 32-bit build's .exe (its own column: the 64-bit build's) | {size_32:,} bytes "
             f"({size_32 / 1024:.1f} KB) | {size_ours:,} bytes | {size_32 / size_ours:.2f}× | ≤ 160 KB |")
lines.append(f"| Imported DLLs | {(raw / 'imports-ours.txt').read_text().strip()} "
             f"| {(raw / 'imports-baseline.txt').read_text().strip()} | | Windows' own only |")

core = json.loads((raw / "core.json").read_text())
medians = {b["run_name"]: b for b in core["benchmarks"] if b.get("aggregate_name") == "median"}
deviations = {b["run_name"]: b for b in core["benchmarks"] if b.get("aggregate_name") == "stddev"}
lines += ["", "Core, natively (Google Benchmark, median of 5 repetitions ± standard deviation):", "",
          "| Operation | Time | Per second |", "|---|---|---|"]
for name, bench in medians.items():
    unit = bench["time_unit"]
    per_second = {"ns": 1e9, "us": 1e6, "ms": 1e3}[unit] / bench["real_time"]
    deviation = deviations.get(name, {}).get("real_time", 0.0)
    lines.append(f"| {name} | {bench['real_time']:,.1f} ± {deviation:,.1f} {unit} | {per_second:,.0f} |")
print("\n".join(lines))
