#!/usr/bin/env python3
"""Benchmark of the real launcher.exe under Wine: launch latency against two floors, time to
title, the cost of its two waits, and its footprint. Prints a progress line per stage and a
table, and writes the table with its context to a Markdown file.

Everything runs in one fresh 32-bit Wine prefix with a 1024x768 virtual desktop and one warm
wineserver. CPU time and peak working set are Linux's accounting of the Wine process that
runs the program: for a whole run, the rusage the kernel hands over when it is reaped (the
figures /proc/PID/stat and /proc/PID/status show while it runs, to the microsecond); across a
wait, the on-CPU nanoseconds of all its threads from /proc/PID/task/*/schedstat.

usage: bench.py BUILD_DIR OUTPUT_MARKDOWN
"""
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import time
from datetime import date
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "wine"))
from wineenv import Wine, read_record, wait_for_record  # noqa: E402

RUNS = 20
# Pauses before timed runs, so that one run's tail, or the desktop's resizing after a mode
# change, does not slow the next.
SETTLE_S = 0.2
MODE_SETTLE_S = 0.5
PROGRAMS = ("launcher", "launcher, no switch", "windowed floor", "console floor")
WAIT_SECONDS = 10
WAIT_REPEATS = 2
TRACED_REPEATS = 3
TRACED_SECONDS = 2
BREAKDOWN_RUNS = 3
# The launcher's steps beyond the windowed floor's, by the calls that make them.
BREAKDOWN = {
    "the presence check (registry and file test)": ("RegOpenKeyA", "RegEnumKeyExA", "RegCloseKey",
                                                    "FindFirstFileA"),
    "trimming the system menu and taking the focus": ("GetSystemMenu", "DeleteMenu",
                                                      "SetForegroundWindow"),
    "switching the display (testing and applying the mode)": ("ChangeDisplaySettingsA",),
    "starting the title (CreateProcessA)": ("CreateProcessA",),
    "destroying the window at the exit, as the floor also does": ("DestroyWindow",),
}
# Wine traces these calls of the launcher in the traced runs: the steps above, and the pause
# that follows the installer wait.
TRACED_FUNCTIONS = sorted({name for names in BREAKDOWN.values() for name in names} | {"Sleep"})
SETTLE_MS = 3000
# Milliseconds between 1601-01-01 (the helpers' clock) and 1970-01-01 (Python's).
EPOCH_1601_MS = 11644473600000


def progress(text):
    print(f"[bench] {text}", flush=True)


def cpu_ns(pid):
    """On-CPU time of all the process's threads so far."""
    total = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            total += int((task / "schedstat").read_text().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass
    return total


def spread(values):
    return min(values), statistics.median(values), max(values)


class Bench:
    def __init__(self, build, wine):
        self.build = build
        self.wine = wine
        self.folder = wine.drive / "bench"
        (self.folder / "runtime").mkdir(parents=True)
        self.windows_folder = "C:\\bench"
        shutil.copy(build / "launcher.exe", self.folder)
        shutil.copy(build / "helpers" / "title.exe", self.folder / "D.EXE")
        for floor in ("floor_console.exe", "floor_windowed.exe"):
            shutil.copy(build / "bench" / floor, self.folder)
        self.helpers = self.folder / "helpers"
        shutil.copytree(build / "helpers", self.helpers)
        self.env = dict(wine.env,
                        E2E_HELPERS=self.windows_folder + "\\helpers",
                        E2E_TITLE_RECORD=self.windows_folder + "\\title.txt",
                        E2E_INSTALLER_RECORD=self.windows_folder + "\\installer.txt",
                        E2E_PLAYER_RECORD=self.windows_folder + "\\player.txt")
        # One warm server for the whole benchmark: no run pays for its start.
        self.server = subprocess.Popen(["wineserver", "-p", "-f"], env=self.env)
        # The calls the traced runs show; nothing else is traced, and only in those runs.
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\Debug", "/v", "RelayInclude",
                        "/d", ";".join(TRACED_FUNCTIONS), "/f"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        self.run_helper("installer.exe", "unregister")

    def close(self):
        self.wine.stop_all()
        self.server.wait(30)

    def popen(self, args):
        return subprocess.Popen(["wine"] + [str(a) for a in args], cwd=self.folder, env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def run_helper(self, program, *args, timeout=60):
        process = self.popen([self.helpers / program, *args])
        if process.wait(timeout) != 0:
            raise RuntimeError(f"{program} {args} failed")

    def remove_records(self):
        for name in ("title.txt", "installer.txt", "player.txt", "prompt.txt"):
            (self.folder / name).unlink(missing_ok=True)

    def set_mode(self, *mode):
        self.run_helper("setmode.exe", *mode)
        time.sleep(MODE_SETTLE_S)

    def title_started(self):
        record = wait_for_record(self.folder / "title.txt", "player_window")
        time.sleep(SETTLE_S)  # and let the title's process end
        return record

    def timed_run(self, program):
        """Wall time (ms), CPU time (ms), peak working set (KiB) and start (Unix ms)."""
        started = time.time()
        clock = time.perf_counter()
        process = self.popen([program])
        _, status, usage = os.wait4(process.pid, 0)
        wall = (time.perf_counter() - clock) * 1000
        process.returncode = os.waitstatus_to_exitcode(status)
        if process.returncode != 0:
            raise RuntimeError(f"{program} ended with {process.returncode}")
        return wall, (usage.ru_utime + usage.ru_stime) * 1000, usage.ru_maxrss, started * 1000

    def launch(self):
        progress(f"present path: {RUNS} rounds of the two floors and the launcher at 1024 and "
                 "at 640 wide, alternated")
        self.run_helper("installer.exe", "register=C:/bench/runtime/QuickTime.qts")
        samples = {name: [] for name in PROGRAMS}
        to_title = []
        for run in range(RUNS + 2):  # the first two rounds warm caches up and are not counted
            self.set_mode("reset")
            self.remove_records()
            round_samples = {"console floor": self.timed_run("floor_console.exe"),
                             "windowed floor": self.timed_run("floor_windowed.exe"),
                             "launcher": self.timed_run("launcher.exe")}
            title = self.title_started()
            # Already 640 wide: the launcher leaves the display alone.
            self.set_mode("640", "400", "32")
            self.remove_records()
            round_samples["launcher, no switch"] = self.timed_run("launcher.exe")
            self.title_started()
            if run < 2:
                continue
            for name, sample in round_samples.items():
                samples[name].append(sample)
            to_title.append(int(title["started"]) - EPOCH_1601_MS - round_samples["launcher"][3])
        self.set_mode("reset")
        self.run_helper("installer.exe", "unregister")
        return samples, to_title

    def start_launcher(self, traced):
        """Starts the launcher; traced, Wine writes its calls of the functions in
        RelayInclude, stamped with Wine's tick count, to trace.txt."""
        if not traced:
            return self.popen(["launcher.exe"])
        with open(self.folder / "trace.txt", "wb") as trace:
            return subprocess.Popen(["wine", "launcher.exe"], cwd=self.folder,
                                    env=dict(self.env, WINEDEBUG="+timestamp,+relay"),
                                    stdout=subprocess.DEVNULL, stderr=trace)

    def traced_calls(self, function):
        """(tick at the call, tick at the return) of each of the launcher's outermost calls of
        the function, in order. Its children inherit the trace; the launcher's own thread is
        the one that opened the registry first."""
        pattern = re.compile(r"^(\d+\.\d+):([0-9a-f]+):(Call|Ret) +\w+\.(\w+)\(")
        thread, calls, depth = None, [], 0
        for line in (self.folder / "trace.txt").read_text(errors="replace").splitlines():
            match = pattern.match(line)
            if not match:
                continue
            tick, tid, kind, name = float(match[1]) * 1000, match[2], match[3], match[4]
            thread = thread or (tid if name == "RegOpenKeyA" else None)
            if tid != thread or name != function:
                continue
            if kind == "Call":
                if depth == 0:
                    calls.append([tick, None])
                depth += 1
            elif depth > 0:
                depth -= 1
                if depth == 0:
                    calls[-1][1] = tick
        return calls

    def answer(self, button):
        self.run_helper("answer.exe", "Sorry...", button, self.windows_folder + "\\prompt.txt",
                        "15000")
        return read_record(self.folder / "prompt.txt")

    def breakdown(self):
        """Durations (ms) of the launcher's own steps on the present path, the ones the
        windowed floor does not take: medians of traced runs."""
        self.run_helper("installer.exe", "register=C:/bench/runtime/QuickTime.qts")
        steps = {name: [] for name in BREAKDOWN}
        for _ in range(BREAKDOWN_RUNS):
            self.remove_records()
            self.set_mode("reset")
            self.start_launcher(traced=True).wait(60)
            self.title_started()
            for name, functions in BREAKDOWN.items():
                steps[name].append(sum(ret - call for function in functions
                                       for call, ret in self.traced_calls(function)))
        self.set_mode("reset")
        self.run_helper("installer.exe", "unregister")
        return {name: statistics.median(durations) for name, durations in steps.items()}

    def installer_run(self, seconds, traced):
        self.remove_records()
        self.env["E2E_INSTALLER"] = f"wait={seconds * 1000}"
        launcher = self.start_launcher(traced)
        self.answer("yes")
        wait_for_record(self.folder / "installer.txt", "started", timeout=15)
        before, clock = cpu_ns(launcher.pid), time.perf_counter()
        ended = wait_for_record(self.folder / "installer.txt", "ended_tick", timeout=seconds + 15)
        cpu, measured = (cpu_ns(launcher.pid) - before) / 1e6, time.perf_counter() - clock
        title = wait_for_record(self.folder / "title.txt", "player_window")
        launcher.wait(30)
        if traced:
            # The step after the installer wait is the pause.
            return self.traced_calls("Sleep")[0][0] - int(ended["ended_tick"])
        return cpu, measured, int(title["started"]) - int(ended["ended"]) - SETTLE_MS

    def player_run(self, seconds, traced):
        self.remove_records()
        # Open through the prompt and the pause, then about `seconds` more.
        player = self.popen([self.helpers / "player.exe", str(seconds * 1000 + SETTLE_MS + 1500)])
        wait_for_record(self.folder / "player.txt", "opened")
        launcher = self.start_launcher(traced)
        answered = int(self.answer("no")["answered_at"])
        # Sample once the pause is over and the player wait has begun.
        now = time.time() * 1000 + EPOCH_1601_MS
        time.sleep(max(0.0, (answered + SETTLE_MS + 200 - now) / 1000))
        before, clock = cpu_ns(launcher.pid), time.perf_counter()
        closed = wait_for_record(self.folder / "player.txt", "closed_tick", timeout=seconds + 15)
        cpu, measured = (cpu_ns(launcher.pid) - before) / 1e6, time.perf_counter() - clock
        title = wait_for_record(self.folder / "title.txt", "player_window")
        launcher.wait(30)
        player.wait(30)
        if traced:
            # The step after the player wait is the recheck, the launcher's last registry open.
            return self.traced_calls("RegOpenKeyA")[-1][0] - int(closed["closed_tick"])
        return cpu, measured, int(title["started"]) - int(closed["closed"])

    def waits(self):
        """For each wait: (CPU ms, seconds measured, delay to the title ms) of the full-length
        runs, and the delays to the next step (ms) of the short traced runs. The trace slows
        Wine's start of every process the launcher starts, so only the short runs carry it."""
        installer = self.folder / "QT_F"
        installer.mkdir()
        shutil.copy(self.build / "helpers" / "installer.exe", installer / "QT32.EXE")
        progress(f"installer wait: {WAIT_REPEATS} runs with an installer that takes "
                 f"{WAIT_SECONDS} s, {TRACED_REPEATS} traced runs of {TRACED_SECONDS} s")
        installer_waits = (
            [self.installer_run(WAIT_SECONDS, False) for _ in range(WAIT_REPEATS)],
            [self.installer_run(TRACED_SECONDS, True) for _ in range(TRACED_REPEATS)])
        shutil.rmtree(installer)
        del self.env["E2E_INSTALLER"]
        progress(f"player wait: {WAIT_REPEATS} runs with a player window open about "
                 f"{WAIT_SECONDS} s into the wait, {TRACED_REPEATS} traced runs of "
                 f"{TRACED_SECONDS} s")
        player_waits = (
            [self.player_run(WAIT_SECONDS, False) for _ in range(WAIT_REPEATS)],
            [self.player_run(TRACED_SECONDS, True) for _ in range(TRACED_REPEATS)])
        return installer_waits, player_waits


def footprint(build):
    exe = build / "launcher.exe"
    dump = subprocess.run(["i686-w64-mingw32-objdump", "-p", str(exe)], capture_output=True,
                          text=True, check=True).stdout
    dlls = [line.split(":", 1)[1].strip() for line in dump.splitlines() if "DLL Name:" in line]
    return exe.stat().st_size, dlls


def machine():
    model = "unknown processor"
    for line in Path("/proc/cpuinfo").read_text().splitlines():
        if line.startswith("model name"):
            model = line.split(":", 1)[1].strip()
            break
    wine_version = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout
    return (f"{model}, {os.cpu_count()} cores, Linux {platform.release()}, "
            f"{wine_version.strip()}, Xvfb")


def verdict(met):
    return "met" if met else "**missed**"


def report(samples, to_title, breakdown, installer, player, size, dlls):
    rows = ["| program | wall min | wall median | wall max | CPU median | peak working set median |",
            "|---|---:|---:|---:|---:|---:|"]
    wall, cpu = {}, {}
    for name in PROGRAMS:
        runs = samples[name]
        low, wall[name], high = spread([r[0] for r in runs])
        cpu[name] = statistics.median([r[1] for r in runs])
        rss = statistics.median([r[2] for r in runs])
        rows.append(f"| {name} | {low:.0f} ms | {wall[name]:.0f} ms | {high:.0f} ms | "
                    f"{cpu[name]:.1f} ms | {rss / 1024:.1f} MiB |")
    def paired(name, index):
        """Median of the per-round differences against the windowed floor: each round runs
        both back to back, so this is steadier than a difference of medians."""
        return statistics.median(a[index] - b[index] for a, b in
                                 zip(samples[name], samples["windowed floor"]))

    ratio = wall["launcher"] / wall["windowed floor"]
    ratio_no_switch = wall["launcher, no switch"] / wall["windowed floor"]
    extra_cpu = cpu["launcher"] - cpu["windowed floor"]
    extra_cpu_no_switch = cpu["launcher, no switch"] - cpu["windowed floor"]

    def per_10s(wait):
        return statistics.median([r[0] / r[1] * 10 for r in wait[0]])

    def next_step(wait):
        return statistics.median(wait[1])

    def wait_row(name, wait):
        full, steps = wait
        to_title = [r[2] for r in full]
        return (f"| {name} | {statistics.median([r[1] for r in full]):.1f} s | "
                f"{statistics.median([r[0] for r in full]):.1f} ms | "
                f"{per_10s(wait):.1f} ms ({per_10s(wait) / 100:.2f}% of a core) | "
                f"{next_step(wait):.0f} ms ({min(steps):.0f} to {max(steps):.0f}) | "
                f"{statistics.median(to_title):.0f} ms ({min(to_title)} to {max(to_title)}) |")

    targets = [
        ("Present-path launch within 1.1x the windowed floor's median wall time",
         f"{ratio:.2f}x ({ratio_no_switch:.2f}x without the switch)", ratio <= 1.1),
        ("Under 20 ms of CPU beyond the windowed floor's",
         f"{extra_cpu:+.1f} ms ({extra_cpu_no_switch:+.1f} ms without the switch)",
         extra_cpu < 20),
        ("Installer wait under 100 ms CPU per 10 s", f"{per_10s(installer):.1f} ms",
         per_10s(installer) < 100),
        ("Player wait under 100 ms CPU per 10 s", f"{per_10s(player):.1f} ms",
         per_10s(player) < 100),
        ("Installer's exit to the next step within 150 ms", f"{next_step(installer):.0f} ms",
         next_step(installer) <= 150),
        ("Last player window's closing to the next step within 150 ms",
         f"{next_step(player):.0f} ms", next_step(player) <= 150),
        ("Executable under 32 KiB", f"{size} bytes ({size / 1024:.1f} KiB)", size < 32 * 1024),
    ]
    lines = [
        "## Present path: launch",
        "",
        f"{RUNS} rounds, each running every program once, in turn (after two warm-up rounds). "
        "\"launcher\" starts at 1024x768 and switches the display; \"launcher, no switch\" "
        "starts at 640x400, where it leaves the display alone.",
        "",
        *rows,
        "",
        f"- Launcher against the windowed floor (median wall): **{ratio:.2f}x**; without the "
        f"switch {ratio_no_switch:.2f}x; against the console floor "
        f"{wall['launcher'] / wall['console floor']:.2f}x.",
        f"- Launcher CPU beyond the windowed floor's (medians): **{extra_cpu:+.1f} ms**; "
        f"without the switch {extra_cpu_no_switch:+.1f} ms.",
        f"- Round by round, the launcher took a median {paired('launcher', 0):+.0f} ms of wall "
        f"time and {paired('launcher', 1):+.1f} ms of CPU beyond the windowed floor "
        f"({paired('launcher, no switch', 0):+.0f} ms and "
        f"{paired('launcher, no switch', 1):+.1f} ms without the switch).",
        f"- What the display switch costs (launcher minus launcher without it, medians): "
        f"{wall['launcher'] - wall['launcher, no switch']:.0f} ms wall, "
        f"{cpu['launcher'] - cpu['launcher, no switch']:.1f} ms CPU.",
        "",
        f"The launcher's own steps, medians of {BREAKDOWN_RUNS} traced runs (Wine's relay trace "
        "of the calls that make them, stamped at the call and at the return; the trace slows "
        "Wine's start of a process, so the title's start is an upper bound):",
        "",
        *[f"- {step}: {ms:.0f} ms" for step, ms in breakdown.items()],
        "",
        "## Present path: time to title",
        "",
        f"From the launcher's process creation to the title program's start: median "
        f"**{statistics.median(to_title):.0f} ms** (min {min(to_title):.0f}, "
        f"max {max(to_title):.0f}).",
        "",
        "## The cost of waiting",
        "",
        f"{WAIT_REPEATS} runs of each wait at full length for the CPU time and the delay to the "
        f"title, and {TRACED_REPEATS} traced runs of {TRACED_SECONDS} s for the delay to the next "
        "step; medians, with the range. \"Next step\" runs from the installer's exit to the "
        "launcher's call of the pause, and from the last player window's closing to the "
        "launcher's recheck of the registry (Wine's trace of those calls set against the "
        "helpers' tick counts). \"To the title\" runs to the title's start, less the "
        f"{SETTLE_MS} ms pause where it lies between; it holds the recheck, and Wine's start of "
        "the title's process.",
        "",
        "| wait | measured over | launcher CPU | per 10 s | to the next step | to the title |",
        "|---|---:|---:|---:|---:|---:|",
        wait_row("installer wait", installer),
        wait_row("player wait", player),
        "",
        "## Footprint",
        "",
        f"- `launcher.exe`: {size} bytes ({size / 1024:.1f} KiB).",
        f"- Imports: {', '.join(dlls)}.",
        "",
        "## Targets",
        "",
        "| target | measured | |",
        "|---|---:|---|",
        *[f"| {name} | {value} | {verdict(met)} |" for name, value, met in targets],
    ]
    if not (targets[0][2] and targets[1][2]):
        switch = breakdown["switching the display (testing and applying the mode)"]
        title = breakdown["starting the title (CreateProcessA)"]
        own = sum(breakdown.values()) - switch - title
        lines += [
            "",
            "Where a launch target is missed, the time goes to the two things the launcher does "
            f"that the floor does not: switching the display ({switch:.0f} ms inside Wine, which "
            "resizes the virtual desktop and tells every window of the change before the call "
            f"returns) and starting the title ({title:.0f} ms: Wine creates the process and "
            f"waits for it to begin), {switch + title:.0f} ms together against "
            f"{paired('launcher', 0):+.0f} ms measured round by round. The launcher's other "
            f"calls take {own:.0f} ms; what is left lies in Wine's start and end of the "
            "process, which vary by more than that from run to run. The switch and the title's "
            "start are the launcher's job, in the order it must do them: the title starts only "
            "in the new mode.",
        ]
    return "\n".join(lines)


HEADER = """# Benchmarks

Measured by `bash scripts/bench.sh` on {day}, on {machine}.

## How to read this

- Everything runs under Wine in a 1024x768 virtual desktop with one warm wineserver, so the
  figures include Wine's own start-up and shutdown of a process, which dominate. The two
  floors, built with the launcher's toolchain and flags, show that part: a console program
  that does nothing, and a windowed one that shows a zero-size popup window as the launcher
  does and exits. The launcher's own cost is what it takes beyond the windowed floor.
- Wall time runs from starting `wine` to the process being reaped. CPU time and peak working
  set are Linux's accounting of the Wine process (user plus system time; maximum resident
  set), not Wine's `GetProcessTimes`, which is not reliable for another process.
- The present-path launcher run includes the display switch (the virtual desktop resizes to
  640x480) and starting the title; the display is put back between runs, outside the timing.
- Time to title runs from the moment the benchmark starts the launcher to the moment the
  title program records its own start, so it also holds the title's process start under Wine.
- Wait costs are the launcher's on-CPU time across each wait, from all its threads. The
  delay to the next step is the end of the wait itself; the delay to the title adds the
  recheck and Wine's start of the title's process.
- Wine's start and end of a windowed process vary by a hundred milliseconds and more from run
  to run on a small machine (see each row's minimum and maximum), more than the launcher's
  own work. Read the medians, and the per-round differences, which pair runs made back to
  back; a target within a few per cent of its line can come out either way from one run of
  the benchmark to the next.

"""


def main():
    build, output = Path(sys.argv[1]).resolve(), Path(sys.argv[2])
    progress("creating a fresh Wine prefix (about half a minute)")
    wine = Wine()
    bench = Bench(build, wine)
    try:
        samples, to_title = bench.launch()
        progress(f"{BREAKDOWN_RUNS} traced present-path runs, for where the time goes")
        breakdown = bench.breakdown()
        installer, player = bench.waits()
    finally:
        bench.close()
        wine.close()
    progress("footprint")
    size, dlls = footprint(build)
    body = report(samples, to_title, breakdown, installer, player, size, dlls)
    output.parent.mkdir(parents=True, exist_ok=True)
    output.write_text(HEADER.format(day=date.today().isoformat(), machine=machine()) + body + "\n")
    print()
    print(body)
    print()
    progress(f"written to {output}")


if __name__ == "__main__":
    main()
