#!/usr/bin/python3
"""The benchmark's figures: reads hyperfine's export, times each run's CPU and
peak memory itself, sizes the exes, traces heap calls, and writes the table.
Called by bench/run.sh, which builds everything and starts the Wine server.

Beside the utility and the empty program it times the peer: what a batch
file that does without this tool runs to learn the version, `cmd /c ver`."""
import argparse
import datetime
import json
import os
import platform
import re
import statistics
import subprocess
import time

import pefile

REPORT_TARGET = 1.10          # report mode against the empty program
SIZE_TARGET = 48 * 1024       # the shipped 32-bit exe, stripped
HEAP_CALLS = {"malloc", "calloc", "realloc", "free", "_strdup", "_wcsdup",
              "HeapAlloc", "HeapReAlloc", "HeapFree", "RtlAllocateHeap",
              "RtlReAllocateHeap", "RtlFreeHeap", "LocalAlloc", "GlobalAlloc",
              "VirtualAlloc"}
RELAY_CALL = re.compile(r"Call [\w.]+\.(\w+)\(.*\) ret=([0-9a-f]+)$")
# Now and then Wine cannot start a process at all ("failed to map the shared
# user data": the address it needs was taken by chance), about once in a
# thousand launches here, whatever the program. Such a run says nothing about
# the program: it is run again, and counted. A command that fails twice in a
# row, or in more than 1% of hyperfine's runs, stops the benchmark.
START_ATTEMPTS = 2
MOST_FAILED_SHARE = 0.01


def retried(run, name, argv, failures):
    """run(argv) -> (status, figure); the figure of the first clean run."""
    for _ in range(START_ATTEMPTS):
        status, figure = run(argv)
        if status == 0:
            return figure
        failures[name] += 1
    raise SystemExit(f"bench: {' '.join(argv)} ended with status {status}, "
                     f"{START_ATTEMPTS} times in a row")


def timed_run(argv):
    """(status, (CPU user+system, wall) seconds) as the kernel counts them."""
    start = time.perf_counter()
    child = subprocess.Popen(argv, stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    return status, (usage.ru_utime + usage.ru_stime, wall)


def rusage_pass(commands, runs, failures, warmup=5):
    """Runs the commands in turn; per run CPU (user+system) and wall seconds."""
    samples = {name: [] for name in commands}
    for round_number in range(warmup + runs):
        for name, argv in commands.items():
            figure = retried(timed_run, name, argv, failures)
            if round_number >= warmup:
                samples[name].append(figure)
    return samples


def hyperfine_results(path, failures):
    """hyperfine's figures by command name; the median wall time of the runs
    that ended cleanly (it runs with --ignore-failure, see above)."""
    results = {}
    for result in json.load(open(path))["results"]:
        name = result["command"]
        clean = [t for t, code in zip(result["times"], result["exit_codes"]) if code == 0]
        failed = len(result["times"]) - len(clean)
        if failed > MOST_FAILED_SHARE * len(result["times"]):
            raise SystemExit(f"bench: {name} failed in {failed} of hyperfine's "
                             f"{len(result['times'])} runs")
        failures[name] += failed
        results[name] = dict(result, median=statistics.median(clean))
    return results


def peak_memory(argv):
    """The process's resident high-water mark (VmHWM, KiB), read until it ends.
    Not getrusage's max RSS: Wine's launcher execs itself again, and that
    figure keeps the launcher's earlier peak (about 10 MiB), which hides the
    program's own. Polled every half millisecond; the high-water mark only
    grows, so the last reading before exit is the peak but for the last
    instants of exit. Returns (exit status, peak)."""
    child = subprocess.Popen(argv, stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    status_file = f"/proc/{child.pid}/status"
    peak = None
    while True:
        try:
            with open(status_file) as status:
                text = status.read()
        except OSError:
            break
        if "\nState:\tZ" in text:
            break
        for line in text.splitlines():
            if line.startswith("VmHWM:"):
                peak = int(line.split()[1])
        time.sleep(0.0005)
    _, status, _ = os.wait4(child.pid, 0)
    return status, peak


def memory_pass(commands, runs, failures):
    samples = {name: [] for name in commands}
    for _ in range(runs):
        for name, argv in commands.items():
            peak = retried(peak_memory, name, argv, failures)
            if peak is not None:
                samples[name].append(peak)
    return samples


def heap_calls(wine, exe, args):
    """Heap calls whose return address lies in the exe's own image, from a
    Wine call trace: what the program and its linked-in runtime ask for."""
    pe = pefile.PE(exe, fast_load=True)
    low = pe.OPTIONAL_HEADER.ImageBase
    high = low + pe.OPTIONAL_HEADER.SizeOfImage
    env = dict(os.environ, WINEDEBUG="+relay")
    trace = subprocess.run([wine, exe, *args], env=env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.PIPE).stderr
    counts = {}
    for line in trace.decode(errors="replace").splitlines():
        match = RELAY_CALL.search(line)
        if match and match.group(1) in HEAP_CALLS and low <= int(match.group(2), 16) < high:
            counts[match.group(1)] = counts.get(match.group(1), 0) + 1
    return counts


def sections(exe):
    pe = pefile.PE(exe, fast_load=True)
    return {s.Name.rstrip(b"\0").decode(): s.SizeOfRawData for s in pe.sections}


def imports(exe):
    pe = pefile.PE(exe)
    return {f"{entry.dll.decode().lower()}!{item.name.decode()}"
            for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])
            for item in entry.imports if item.name}


def tool_version(argv):
    try:
        return subprocess.run(argv, capture_output=True, text=True).stdout.strip().splitlines()[0]
    except (OSError, IndexError):
        return "?"


def cpu_model():
    try:
        for line in open("/proc/cpuinfo"):
            if line.startswith("model name"):
                return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.machine()


def main():
    parser = argparse.ArgumentParser()
    for option in ("--wine", "--hyperfine", "--exe64", "--empty64", "--exe32",
                   "--empty32", "--results"):
        parser.add_argument(option, required=True)
    parser.add_argument("--runs", type=int, required=True)
    opts = parser.parse_args()

    commands = {"report": [opts.wine, opts.exe64],
                "summary": [opts.wine, opts.exe64, "/batch"],
                "peer": [opts.wine, "cmd", "/c", "ver"],
                "empty": [opts.wine, opts.empty64]}
    failures = {name: 0 for name in commands}
    hyperfine = hyperfine_results(opts.hyperfine, failures)
    samples = rusage_pass(commands, opts.runs, failures)
    memory = memory_pass(commands, min(opts.runs, 50), failures)
    for name, peaks in memory.items():
        if not peaks:
            raise SystemExit(f"bench: {name} ended before its memory could be read")

    figures = {}
    for name in commands:
        runs = samples[name]
        figures[name] = {
            "wall": hyperfine[name]["median"],
            "cpu": statistics.median(r[0] for r in runs),
            "wall_turns": statistics.median(r[1] for r in runs),
            "cpu_hf": hyperfine[name]["user"] + hyperfine[name]["system"],
            "rss": max(memory[name]),
            "rss_median": int(statistics.median(memory[name])),
        }
    floor = figures["empty"]

    def ratio(name, key):
        return figures[name][key] / floor[key]

    sizes = {path: os.path.getsize(path) for path in
             (opts.exe32, opts.exe64, opts.empty32, opts.empty64)}
    size_ok = sizes[opts.exe32] < SIZE_TARGET
    # Judged on the runs that took turns: hyperfine runs one command's runs
    # after the other's, so a change in the machine's load between them
    # shows there as a difference between the programs.
    report_ok = (ratio("report", "cpu") <= REPORT_TARGET
                 and ratio("report", "wall_turns") <= REPORT_TARGET)

    # Heap: the runtime's startup copies the arguments with malloc before
    # wmain, so the empty program given the same arguments is the baseline.
    heap = []
    for label, args in (("report", []), ("summary", ["/batch"])):
        ours = heap_calls(opts.wine, opts.exe64, args)
        base = heap_calls(opts.wine, opts.empty64, args)
        heap.append((label, ours, base))
    heap_seen = all(base for _, _, base in heap)
    heap_same = heap_seen and all(ours == base for _, ours, base in heap)
    extra_imports = sorted(imports(opts.exe32) - imports(opts.empty32))

    measured = ("report", "summary", "peer")  # the columns set against the empty program

    def row(label, cell):
        return "| {} | {} |".format(label, " | ".join(cell(n) for n in commands))

    def ratio_row(label, key, bold=False):
        mark = "**" if bold else ""
        return row(mark + label + mark,
                   lambda n: f"{mark}{ratio(n, key):.3f}{mark}" if n in measured else "1")

    table = [
        "| | report | summary | peer: `cmd /c ver` | empty program |",
        "| --- | ---: | ---: | ---: | ---: |",
        row("median wall time (hyperfine)", lambda n: f"{figures[n]['wall'] * 1000:.1f} ms"),
        row("median wall time, taking turns", lambda n: f"{figures[n]['wall_turns'] * 1000:.1f} ms"),
        row("median CPU time, user+system", lambda n: f"{figures[n]['cpu'] * 1000:.1f} ms"),
        row("peak memory (VmHWM), median of runs", lambda n: f"{figures[n]['rss_median']} KiB"),
        row("peak memory (VmHWM), highest run", lambda n: f"{figures[n]['rss']} KiB"),
        ratio_row("wall ratio to empty (hyperfine)", "wall"),
        ratio_row("wall ratio to empty, taking turns", "wall_turns", bold=True),
        ratio_row("CPU ratio to empty", "cpu", bold=True),
        ratio_row("mean CPU ratio (hyperfine)", "cpu_hf"),
        ratio_row("peak memory ratio (medians)", "rss_median"),
    ]

    def beyond_floor(name, key):
        return (figures[name][key] - floor[key]) * 1000

    peer_lines = [
        "| summary mode against `cmd /c ver` | CPU | wall, taking turns | wall (hyperfine) |",
        "| --- | ---: | ---: | ---: |",
        "| ratio of medians | {:.3f} | {:.3f} | {:.3f} |".format(
            *(figures["summary"][k] / figures["peer"][k] for k in ("cpu", "wall_turns", "wall"))),
        "| summary mode beyond the empty program | {:+.1f} ms | {:+.1f} ms | {:+.1f} ms |".format(
            *(beyond_floor("summary", k) for k in ("cpu", "wall_turns", "wall"))),
        "| `cmd /c ver` beyond the empty program | {:+.1f} ms | {:+.1f} ms | {:+.1f} ms |".format(
            *(beyond_floor("peer", k) for k in ("cpu", "wall_turns", "wall"))),
    ]
    size_table = [
        "| stripped exe | oskavel.exe | empty program |",
        "| --- | ---: | ---: |",
        f"| 32-bit (shipped) | {sizes[opts.exe32]} B ({sizes[opts.exe32] / 1024:.1f} KiB) "
        f"| {sizes[opts.empty32]} B ({sizes[opts.empty32] / 1024:.1f} KiB) |",
        f"| 64-bit | {sizes[opts.exe64]} B ({sizes[opts.exe64] / 1024:.1f} KiB) "
        f"| {sizes[opts.empty64]} B ({sizes[opts.empty64] / 1024:.1f} KiB) |",
    ]
    ours32, base32 = sections(opts.exe32), sections(opts.empty32)
    section_table = ["| section (32-bit, bytes in file) | oskavel.exe | empty program |",
                     "| --- | ---: | ---: |"]
    for name in ours32:
        section_table.append(f"| {name} | {ours32[name]} | {base32.get(name, 0)} |")

    verdicts = [
        f"- report mode within {REPORT_TARGET:.2f} of the empty program: "
        + ("met" if report_ok else "MISSED")
        + f" (CPU {ratio('report', 'cpu'):.3f}, wall {ratio('report', 'wall_turns'):.3f} "
        f"taking turns, {ratio('report', 'wall'):.3f} in hyperfine's run)",
        f"- stripped 32-bit exe under {SIZE_TARGET // 1024} KiB: "
        + ("met" if size_ok else "MISSED") + f" ({sizes[opts.exe32]} B)",
    ]
    heap_lines = []
    for label, ours, base in heap:
        heap_lines.append(f"- {label}: heap calls from the exe's image {ours or '{}'}; "
                          f"empty program with the same arguments {base or '{}'}")
    if heap_same:
        heap_lines.append("- the same calls as the empty program: all come from the runtime's "
                          "startup (its copy of the arguments before wmain); the program's own "
                          "code makes none")
    elif not heap_seen:
        heap_lines.append("- not shown: the trace attributed no call to the empty program's "
                          "image, so it cannot tell ours from the runtime's")
    else:
        heap_lines.append("- DIFFERENT from the empty program: the program's own code calls "
                          "the heap")
    heap_lines.append("- imports of the 32-bit exe beyond the empty program's: "
                      + (", ".join(extra_imports) or "none"))

    setting = (f"{datetime.date.today().isoformat()}; {cpu_model()}, {os.cpu_count()} cores; "
               f"{tool_version(['/usr/lib/wine/wine64', '--version'])}; "
               f"{tool_version(['hyperfine', '--version'])}; {opts.runs} runs of each "
               f"command after 20 warm-up runs (hyperfine) and {opts.runs} more, taking "
               f"turns, for CPU time")
    failed_starts = ("Runs that Wine failed to start (left out of hyperfine's medians, "
                     "run again in the other passes): "
                     + ", ".join(f"{name} {count}" for name, count in failures.items()))

    print()
    print("\n".join(table))
    print()
    print("\n".join(peer_lines))
    print()
    print("\n".join(size_table))
    print()
    print("\n".join(verdicts))
    print("\n".join(heap_lines))
    print(failed_starts)

    with open(opts.results, "w") as out:
        out.write("# Benchmark results\n\n")
        out.write("Written by bench/run.sh; do not edit by hand.\n\n")
        out.write(f"Setting: {setting}.\n\n")
        out.write(f"{failed_starts}.\n\n")
        out.write("## Time and memory under Wine (64-bit build)\n\n")
        out.write("The empty program is a console program that returns at once, built with "
                  "the same toolchain, flags, runtime and resources: the floor no program "
                  "can beat. The peer is what a batch file that does without this tool runs "
                  "to learn the version: `cmd /c ver`, Wine's 64-bit `cmd.exe` started the "
                  "same way. Wall time is given twice: hyperfine's median, from one command's runs after "
                  "the other's, and the median of runs in which the four commands take "
                  "turns, which a change in the machine's load cannot set apart; the targets "
                  "are judged on the latter. CPU time (user+system) is per run, taking turns, "
                  "as the kernel counts it for the Wine process (the Wine server's own share is not "
                  "included); peak memory is the resident high-water mark (VmHWM) of the "
                  "process that runs the exe, over {} runs of each.\n\n".format(
                      min(opts.runs, 50)))
        out.write("\n".join(table) + "\n\n")
        out.write("## Against the peer\n\n")
        out.write("The summary line against `cmd /c ver`, both under Wine; the cost beyond "
                  "the empty program is what each spends after Wine has started a "
                  "process.\n\n")
        out.write("\n".join(peer_lines) + "\n\n")
        out.write("## Size\n\n")
        out.write("\n".join(size_table) + "\n\n")
        out.write("\n".join(section_table) + "\n\n")
        out.write("## Targets\n\n")
        out.write("\n".join(verdicts) + "\n\n")
        out.write("## Heap\n\n")
        out.write("From a Wine call trace (WINEDEBUG=+relay) of each mode, counting heap "
                  "calls whose return address lies in the exe's image:\n\n")
        out.write("\n".join(heap_lines) + "\n")
    print(f"\nwritten: {opts.results}")
    return 0


if __name__ == "__main__":
    raise SystemExit(main())
