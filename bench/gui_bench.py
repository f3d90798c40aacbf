#!/usr/bin/env python3
"""The Qt windows' costs, each against its peer in the same run, alternating:

1. Window latency: from starting `tolm32 /pause hello` until its window is
   mapped, against `zenity --info --text hello` (both windows are titled
   "Information"). The first run of each is shown apart (cold caches); the
   figure is the median of the others.
2. Console start-up: `tolm32 --console /set X=1` against `bash -c 'X=1'`, and
   against an older tolm32 (--before, e.g. one built from the commit before
   the window module) when given.
3. CPU of a 10 s "/sleep" after a message box has loaded the window module,
   against the same sleep with --console.
4. The editor on a 10 000-line command file: from starting `tolm32 /edit
   FILE` until its window is mapped, and the process's peak memory then.

Needs an X server without a window manager (tools/with-xvfb.sh without --wm:
windows are recognised by their own map events), zenity and xdotool. CPU
figures come from /proc in clock ticks (10 ms).

Usage: gui_bench.py [--runs N] [--startups N] [--before PATH] [--sleep S] [--editor-lines N]
"""

import argparse
import ctypes
import ctypes.util
import os
import select
import signal
import statistics
import subprocess
import sys
import tempfile
import time

import benchlib

# --- X: waiting for a top-level window to be mapped

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class MapWatcher:
    """A connection that sees every top-level window mapped on the screen."""

    def __init__(self):
        self.x = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.x.XPending.argtypes = [ctypes.c_void_p]
        self.x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        self.x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self.x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(None)
        if not self.display:
            sys.exit("no X display: run under tools/with-xvfb.sh")
        self.x.XSelectInput(self.display, self.x.XDefaultRootWindow(self.display), SUBSTRUCTURE_NOTIFY_MASK)
        self.x.XFlush(self.display)
        self.fd = self.x.XConnectionNumber(self.display)
        self.event = ctypes.create_string_buffer(192)

    def drain(self):
        while self.x.XPending(self.display):
            self.x.XNextEvent(self.display, self.event)

    def wait_mapped(self, title, timeout=30.0):
        """Blocks until a window titled `title` is mapped; returns its id."""
        deadline = time.perf_counter() + timeout
        while True:
            while self.x.XPending(self.display):
                self.x.XNextEvent(self.display, self.event)
                kind = ctypes.c_int.from_buffer(self.event, 0).value
                if kind != MAP_NOTIFY:
                    continue
                window = ctypes.c_ulong.from_buffer(self.event, 40).value
                name = ctypes.c_char_p()
                if self.x.XFetchName(self.display, window, ctypes.byref(name)) and name.value == title.encode():
                    return window
            left = deadline - time.perf_counter()
            if left <= 0:
                sys.exit(f"no window titled {title!r} was mapped within {timeout} s")
            select.select([self.fd], [], [], left)


def time_to_window(watcher, argv):
    """Seconds from starting argv to its "Information" window being mapped; the
    program is then ended."""
    watcher.drain()
    start = time.perf_counter()
    child = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    watcher.wait_mapped("Information")
    elapsed = time.perf_counter() - start
    child.send_signal(signal.SIGTERM)
    child.wait()
    return elapsed


def window_latency(watcher, tolm, runs):
    ours_argv, peer_argv = [tolm, "/pause", "hello"], ["zenity", "--info", "--text", "hello"]
    times = ([], [])
    for _ in range(runs + 1):
        for i, argv in enumerate((ours_argv, peer_argv)):
            times[i].append(time_to_window(watcher, argv))
    for who, t in (("tolm32 /pause hello", times[0]), ("zenity --info --text hello", times[1])):
        print(f"{who + ':':<30} first {t[0] * 1e3:7.1f} ms, then median {statistics.median(t[1:]) * 1e3:7.1f} ms "
              f"(min {min(t[1:]) * 1e3:.1f}, max {max(t[1:]) * 1e3:.1f}) of {runs} runs")
    benchlib.report("window mapped", statistics.median(times[0][1:]) * 1e3,
                    statistics.median(times[1][1:]) * 1e3, "ms", higher_is_better=False)


def console_startup(tolm, before, count):
    commands = [("tolm32 --console /set X=1", [tolm, "--console", "/set", "X=1"]),
                ("bash -c 'X=1'", ["bash", "-c", "X=1"])]
    if before:
        commands.append(("before: tolm32 --console /set X=1", [before, "--console", "/set", "X=1"]))
    times = [[] for _ in commands]
    for _ in range(count):
        for i, (_, argv) in enumerate(commands):
            times[i].append(benchlib.checked(benchlib.run_once(argv), argv).seconds)
    for (who, _), t in zip(commands, times):
        print(f"{who + ':':<36} median {statistics.median(t) * 1e3:.3f} ms, "
              f"mean {statistics.mean(t) * 1e3:.3f} ms of {count} runs")
    benchlib.report("console start-up", statistics.median(times[0]) * 1e3,
                    statistics.median(times[1]) * 1e3, "ms", higher_is_better=False)
    if before:
        benchlib.report("console start-up against before", statistics.median(times[0]) * 1e3,
                        statistics.median(times[2]) * 1e3, "ms", higher_is_better=False)


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def quiet_cpu(child, seconds):
    """CPU the child uses in the middle of its sleep: from 1 s after it began
    to 1 s before its end; then waits for it. Returns (middle, whole run)."""
    time.sleep(1)
    before = cpu_seconds(child.pid)
    time.sleep(seconds - 2)
    middle = cpu_seconds(child.pid) - before
    _, _, usage = os.wait4(child.pid, 0)
    return middle, usage.ru_utime + usage.ru_stime


def sleep_cpu(watcher, tolm, seconds):
    """CPU used during a /sleep that follows a message box (the window module
    loaded, Qt's loop doing the waiting), and during the same sleep with
    --console."""
    watcher.drain()
    with tempfile.NamedTemporaryFile("w", suffix=".tm", delete=False) as script:
        script.write(f"/pause loaded\n/sleep {seconds}\n")
    quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    child = subprocess.Popen([tolm, script.name], **quiet)
    window = watcher.wait_mapped("Information")
    subprocess.run(["xdotool", "windowfocus", "--sync", str(window), "key", "Return"], check=True)
    windowed = quiet_cpu(child, seconds)
    os.unlink(script.name)
    console = quiet_cpu(subprocess.Popen([tolm, "--console", "/sleep", str(seconds)], **quiet), seconds)
    for who, (middle, whole) in ((f"/sleep {seconds} after a message box", windowed),
                                 (f"/sleep {seconds} with --console", console)):
        print(f"{who + ':':<30} {middle * 1e3:6.1f} ms CPU in the middle {seconds - 2} s of the sleep, "
              f"{whole * 1e3:6.1f} ms for the whole run")


def peak_memory_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def editor_on_large_file(watcher, tolm, lines, runs):
    """The editor opening a command file of `lines` lines of every kind."""
    kinds = ['xterm /wait "-T" "window {i}"', "/waitfor window {i}*", "/sendkeys echo {i}{{ENTER}}",
             "/set COUNT={i}", "/if env(COUNT) eq {i} {{", "/pause step {i}", "}}", "# note {i}"]
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "large.tm")
        with open(path, "w") as f:
            for i in range(lines):
                f.write(kinds[i % len(kinds)].format(i=i) + "\r\n")
        size = os.path.getsize(path)
        title = "Tolm Command File Editor - large.tm"
        times, peaks = [], []
        for _ in range(runs + 1):
            watcher.drain()
            start = time.perf_counter()
            child = subprocess.Popen([tolm, "/edit", path], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
            watcher.wait_mapped(title)
            times.append(time.perf_counter() - start)
            peaks.append(peak_memory_kib(child.pid))
            child.send_signal(signal.SIGTERM)
            child.wait()
    print(f"editor on {lines} lines ({size} bytes): first {times[0] * 1e3:.1f} ms, then median "
          f"{statistics.median(times[1:]) * 1e3:.1f} ms (min {min(times[1:]) * 1e3:.1f}) of {runs} runs; "
          f"peak memory median {statistics.median(peaks[1:]) / 1024:.1f} MiB")


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--runs", type=int, default=20)
    p.add_argument("--startups", type=int, default=200)
    p.add_argument("--before", help="an older tolm32 to compare the console start-up with")
    p.add_argument("--sleep", type=int, default=10)
    p.add_argument("--editor-lines", type=int, default=10000)
    a = p.parse_args()
    tolm = benchlib.tolm_binary()
    if not os.access(tolm, os.X_OK):
        sys.exit(f"{tolm} not found: build tolm32 and tolm_qt first (BENCH_BUILD names the build)")
    watcher = MapWatcher()
    print("== window mapped")
    window_latency(watcher, tolm, a.runs)
    print("== console start-up")
    console_startup(tolm, a.before, a.startups)
    print("== CPU of a quiet wait")
    sleep_cpu(watcher, tolm, a.sleep)
    print("== the editor on a large file")
    editor_on_large_file(watcher, tolm, a.editor_lines, max(3, a.runs // 2))


if __name__ == "__main__":
    main()
