"""Prints the benchmark report: each run of the program against its floor, and the start-up.

    benchmarks/report.py BENCHMARK_JSON STARTUP_RESULTS WINDOW_RESULTS BARE_STARTUP_RESULTS
Exits 1 when a target is missed.
"""
import json
import re
import statistics
import sys

# What each pair of benchmarks measures, and the ratio program/floor it must stay within.
PAIRS = [
    ("slips", "slip run, prognosis sheet and 8 slips to File PDF", 1.5),
    ("listing", "listing page to File PDF", 1.5),
    ("zlm-save", "saving a .zlm", None),
    ("zlm-open", "opening a .zlm", None),
    ("square-check", "the square check", None),
    ("check", "checking a system against 8,000 draws", None),
    ("figures-8000", "numbers' figures of one wheel, 8,000 draws", 2),
    ("figures-largest", "numbers' figures, the largest archive", 2),
]
# Benchmarks with a target of their own, in milliseconds.
ABSOLUTE = [("check/program", "checking a system against 8,000 draws", 20),
            ("figures-8000/program", "numbers' figures of one wheel over 8,000 draws", 5),
            ("figures-largest/program", "numbers' figures over the largest archive", 1000)]
WINDOW_CHECK_RATIO = 1.5  # the check window's opening and check against --verifica
STARTUP_RATIO = 2  # the program's start beyond its pause against the bare window's start
RSS_RATIO = 1.3  # the program's memory against the bare window's
SPLASH_PAUSE_MS = 1000  # the program holds its splash up this long before the main window
STARTUP_TARGET_MS = 400
RSS_TARGET_MB = 80


def medians(path):
    """The median real time of every benchmark, in nanoseconds."""
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}
    times = {}
    for b in json.load(open(path))["benchmarks"]:
        if b.get("error_occurred"):
            sys.exit(f"{b['run_name']}: {b.get('error_message')}")
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        name = re.sub(r"/iterations:\d+", "", b["run_name"].removesuffix("/real_time"))
        times[name] = b["real_time"] * scale[b["time_unit"]]
    return times


def shown(ns):
    for unit, size in (("ms", 1e6), ("us", 1e3)):
        if ns >= size:
            return f"{ns / size:.3g} {unit}"
    return f"{ns:.3g} ns"


def results(path):
    """The lines of a results file: a name, then one whole number a run."""
    out = {}
    for line in open(path):
        key, *values = line.split()
        out[key] = [int(v) for v in values]
    return out


def main():
    times = medians(sys.argv[1])
    startup = results(sys.argv[2])
    window = results(sys.argv[3])
    bare = results(sys.argv[4])

    missed = []
    print(f"{'':54}{'program':>10}{'floor':>10}{'ratio':>8}  target")
    for name, what, limit in PAIRS:
        program, floor = times[f"{name}/program"], times[f"{name}/floor"]
        ratio = program / floor
        verdict = "-"
        if limit:
            met = ratio <= limit
            verdict = f"<= {limit}: {'met' if met else 'NOT MET'}"
            if not met:
                missed.append(what)
        print(f"{what:54}{shown(program):>10}{shown(floor):>10}{ratio:>8.2f}  {verdict}")

    def judge(line, met, what):
        """Prints a measure with its verdict and keeps the target when it is missed."""
        print(f"{line}: {'met' if met else 'NOT MET'}")
        if not met:
            missed.append(what)

    for name, what, limit_ms in ABSOLUTE:
        ms = times[name] / 1e6
        judge(f"{what}: {ms:.3f} ms  < {limit_ms} ms", ms < limit_ms, what)

    print(f"reading the largest archive's file (apart from the figures): "
          f"{times['figures-largest/read'] / 1e6:.0f} ms")

    opened = statistics.median(window["window_open_ms"])
    checked = statistics.median(window["window_check_ms"])
    command = statistics.median(window["command_ms"])
    ratio = (opened + checked) / command
    judge(f"the largest archive in the check window: opened {opened:.0f} ms + checked "
          f"{checked:.0f} ms, --verifica {command:.0f} ms: ratio {ratio:.2f}  "
          f"<= {WINDOW_CHECK_RATIO}", ratio <= WINDOW_CHECK_RATIO, "the check window's check")

    startup_ms = statistics.median(startup["startup_ms"]) - SPLASH_PAUSE_MS
    rss_mb = statistics.median(startup["rss_kb"]) / 1024
    runs = len(startup["startup_ms"])
    judge(f"start-up beyond the {SPLASH_PAUSE_MS} ms splash pause (median of {runs}): "
          f"{startup_ms:.0f} ms  < {STARTUP_TARGET_MS} ms", startup_ms < STARTUP_TARGET_MS,
          "start-up")
    judge(f"resident memory with the main window up (median of {runs}): "
          f"{rss_mb:.1f} MB  < {RSS_TARGET_MB} MB", rss_mb < RSS_TARGET_MB, "resident memory")

    bare_ms = statistics.median(bare["startup_ms"])
    bare_mb = statistics.median(bare["rss_kb"]) / 1024
    ratio = startup_ms / bare_ms
    judge(f"start-up against a bare Qt window with the main window's widgets ({bare_ms:.0f} ms): "
          f"ratio {ratio:.2f}  <= {STARTUP_RATIO}", ratio <= STARTUP_RATIO,
          "start-up against the bare window")
    ratio = rss_mb / bare_mb
    judge(f"memory against the bare Qt window ({bare_mb:.1f} MB): ratio {ratio:.2f}  "
          f"<= {RSS_RATIO}", ratio <= RSS_RATIO, "memory against the bare window")

    if missed:
        print("Targets missed: " + ", ".join(missed))
        return 1
    print("Every target met.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
