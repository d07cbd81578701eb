#!/usr/bin/env python3
"""Runs the benchmark programs side by side and prints one table of ratios.

Called by scripts/bench.sh, which builds the programs, prepares Wine and a display first.
Every ratio is measured in this one run: the two sides alternate, round by round, so that
whatever else the machine does falls on both. Where a side is a program of its own, its
start-up (the same command over an empty folder) is measured the same way and subtracted on
both sides. Times are the best of the rounds; the median is printed beside it. The rows of
changes reaching the disk are times, not ratios: the worst of their rounds against a goal.
"""

import argparse
import datetime
import os
import platform
import re
import shutil
import subprocess
import sys
import time

PRESENT_WORDS = "会議 Report"
ABSENT_WORDS = "該当なし Nothing"
SEARCH_FILES = 2000
# The search's goals: ahead of grep and ripgrep with one thread, and of the floor under Wine.
NATIVE_SEARCH_GOAL = 0.8
WINE_SEARCH_GOAL = 1.0
DATA_MARK = "made-by-search_native-v1"


def run(command, cwd=None, env=None):
    """Runs command with its output read through a pipe; returns (seconds, output bytes,
    output lines, exit status, CPU seconds of the process)."""
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                             cwd=cwd, env=env)
    size = 0
    lines = 0
    while True:
        chunk = os.read(child.stdout.fileno(), 1 << 20)
        if not chunk:
            break
        size += len(chunk)
        lines += chunk.count(b"\n")
    # The process's own CPU time beside the time on the clock: on a machine that others use,
    # the clock also counts the time the process waited for a processor.
    _, status, usage = os.wait4(child.pid, 0)
    seconds = time.perf_counter() - start
    child.stdout.close()
    code = os.waitstatus_to_exitcode(status)
    return seconds, size, lines, code, usage.ru_utime + usage.ru_stime


def peak_memory_kb(command, cwd=None, env=None):
    """The largest resident set of command's process, by /usr/bin/time (its own start is
    small; a child of this Python would count this Python's memory too); 0 without it."""
    if not os.path.exists("/usr/bin/time"):
        return 0
    report = os.path.join(os.environ.get("TMPDIR", "/tmp"), f"todo-bench-peak-{os.getpid()}")
    run(["/usr/bin/time", "-f", "%M", "-o", report, *command], cwd, env)
    try:
        with open(report, encoding="utf-8") as figures:
            return int(figures.read().split()[-1])
    except (OSError, ValueError, IndexError):
        return 0
    finally:
        if os.path.exists(report):
            os.remove(report)


class Side:
    """One side of a ratio: a command, and the same command over an empty folder."""

    def __init__(self, name, command, empty_command, cwd=None, env=None):
        self.name = name
        self.command = command
        self.empty_command = empty_command
        self.cwd = cwd
        self.env = env
        self.times = []
        self.empty_times = []
        self.cpu_times = []
        self.empty_cpu_times = []
        self.lines = None
        self.peak_kb = 0
        self.empty_peak_kb = 0
        self.failed = False

    def round(self):
        seconds, _, lines, status, cpu = run(self.command, self.cwd, self.env)
        self.times.append(seconds)
        self.cpu_times.append(cpu)
        if status != 0 or (self.lines is not None and lines != self.lines):
            self.failed = True
        self.lines = lines
        seconds, _, _, status, cpu = run(self.empty_command, self.cwd, self.env)
        self.empty_times.append(seconds)
        self.empty_cpu_times.append(cpu)
        self.failed = self.failed or status != 0

    def measure_memory(self):
        self.peak_kb = peak_memory_kb(self.command, self.cwd, self.env)
        self.empty_peak_kb = peak_memory_kb(self.empty_command, self.cwd, self.env)

    def best(self):
        return min(self.times)

    def start_up(self):
        return min(self.empty_times)

    def net(self):
        return max(self.best() - self.start_up(), 1e-6)

    def net_cpu(self):
        """The CPU time of the best round less that of the start-up (the process's own, not
        Wine's server's)."""
        return max(min(self.cpu_times) - min(self.empty_cpu_times), 0.0)

    def figures(self):
        median = sorted(self.times)[len(self.times) // 2]
        return (f"{self.name} {self.net() * 1e3:.0f} ms "
                f"({self.best() * 1e3:.0f} best, {median * 1e3:.0f} median, "
                f"{self.start_up() * 1e3:.0f} start-up; CPU {self.net_cpu() * 1e3:.0f} ms net; "
                f"peak {self.peak_kb / 1024:.1f} MB)")


def side_by_side(sides, rounds):
    for side in sides:  # warm the caches and the Wine server
        run(side.command, side.cwd, side.env)
    for number in range(rounds):
        order = sides if number % 2 == 0 else list(reversed(sides))
        for side in order:
            side.round()
    for side in sides:  # apart from the timed runs
        side.measure_memory()


class Table:
    def __init__(self):
        self.rows = []
        self.failures = []  # a program failed or gave a wrong count: no figure to trust

    def add(self, name, value, goal, within, figures, stretch=None):
        self.rows.append((name, value, goal, within, stretch, figures))

    def print(self):
        print()
        print(f"{'row':<54} {'value':>9}  {'goal':<11} {'within':<7} figures")
        for name, value, goal, within, stretch, figures in self.rows:
            verdict = "yes" if within else "NO"
            if within and stretch is not None:
                verdict += "*" if stretch else ""
            print(f"{name:<54} {value:>9}  {goal:<11} {verdict:<7} {figures}")
        print("(* also within the stretch goal)")


def machine():
    model = "unknown CPU"
    with open("/proc/cpuinfo", encoding="utf-8", errors="replace") as info:
        for line in info:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    emulated = os.path.exists("/proc/sys/fs/binfmt_misc/qemu-i386")
    way = "through qemu-i386" if emulated else "natively"
    return f"{os.cpu_count()} cores (nproc), {model}, 32-bit programs run {way}, {platform.system()} {platform.release()}"


def make_data(native, data):
    search = os.path.join(data, "search", "ToDoList")
    mark = os.path.join(data, "search", DATA_MARK)
    if not os.path.exists(mark):
        shutil.rmtree(os.path.join(data, "search"), ignore_errors=True)
        os.makedirs(search)
        subprocess.run([os.path.join(native, "bench", "search", "search_native"), "make", search],
                       check=True, stdout=subprocess.DEVNULL)
        open(mark, "w", encoding="utf-8").close()
    os.makedirs(os.path.join(data, "empty", "ToDoList"), exist_ok=True)
    for name, words in (("present.txt", PRESENT_WORDS), ("absent.txt", ABSENT_WORDS)):
        with open(os.path.join(data, name), "wb") as out:
            out.write(words.encode("cp932"))
    size = sum(os.path.getsize(os.path.join(search, name)) for name in os.listdir(search))
    return search, size


def rg_pattern(word):
    """ripgrep takes its patterns as UTF-8; code page 932 bytes go in as escapes."""
    return "(?-u)" + "".join(f"\\x{byte:02X}" for byte in word.encode("cp932"))


def native_rows(table, native, data, search, rounds):
    empty = os.path.join(data, "empty", "ToDoList")
    program = os.path.join(native, "bench", "search", "search_native")
    env = dict(os.environ, LC_ALL="C")
    for label, words in (("with results", PRESENT_WORDS), ("no results", ABSENT_WORDS)):
        text = words.encode("cp932")
        expected = int(subprocess.run([program, "reference", search, text], check=True,
                                      capture_output=True).stdout)
        tool = Side("search", [program, "search", search, text],
                    [program, "search", empty, text])
        patterns = [arg for word in text.split(b" ") for arg in (b"-e", word)]
        grep = Side("grep", ["grep", "-F", "-r", *patterns, search],
                    ["grep", "-F", "-r", *patterns, empty], env=env)
        sides = [tool, grep]
        rg = None
        if shutil.which("rg"):
            rg_patterns = [arg for word in words.split(" ") for arg in ("-e", rg_pattern(word))]
            rg_command = ["rg", "-j1", "--no-ignore", "--hidden", "--no-heading", *rg_patterns]
            rg = Side("rg -j1", [*rg_command, search], [*rg_command, empty], env=env)
            sides.append(rg)
        side_by_side(sides, rounds)
        checked = tool.lines == expected and not tool.failed
        note = "" if checked else f" COUNT WRONG: {tool.lines} lines, reference {expected}"
        if not checked:
            table.failures.append(f"native search {label}:{note}")
        for other in sides[1:]:
            ratio = tool.net() / other.net()
            table.add(f"native search {label} / {other.name}", f"{ratio:.2f}",
                      f"<= {NATIVE_SEARCH_GOAL}", ratio <= NATIVE_SEARCH_GOAL and checked,
                      f"{tool.lines} results; {tool.figures()}; {other.figures()}{note}")
        if rg is None:
            table.add(f"native search {label} / rg -j1", "-", f"<= {NATIVE_SEARCH_GOAL}", False,
                      "ripgrep is not installed (Debian package ripgrep)")


def wine_rows(table, win32, data, rounds, expected):
    bin_dir = os.path.join(win32, "bin")
    wine = shutil.which("wine") or "wine"
    host = os.path.join(bin_dir, "Lumaplex.exe")
    floor = os.path.join(bin_dir, "search_floor.exe")
    peaks = []
    for words_file, count in (("present.txt", expected), ("absent.txt", 0)):
        tool = Side("Lumaplex search",
                    [wine, host, "--data", "search", "search", "--text-file", words_file],
                    [wine, host, "--data", "empty", "search", "--text-file", words_file],
                    cwd=data)
        base = Side("floor", [wine, floor, "search\\ToDoList", words_file],
                    [wine, floor, "empty\\ToDoList", words_file], cwd=data)
        side_by_side([tool, base], rounds)
        ratio = tool.net() / base.net()
        checked = tool.lines == count and not tool.failed and not base.failed
        note = "" if checked else f" COUNT WRONG: {tool.lines} lines, expected {count}"
        if not checked:
            table.failures.append(f"Wine search:{note}")
        name = "Wine search with results" if count else "Wine search, no results"
        table.add(f"{name} / floor", f"{ratio:.2f}", f"<= {WINE_SEARCH_GOAL}",
                  ratio <= WINE_SEARCH_GOAL and checked,
                  f"{tool.lines} results; {tool.figures()}; {base.figures()}{note}")
        peaks.append(tool.peak_kb)
        peaks.append(tool.empty_peak_kb)
    return peaks


def parse_figures(output):
    figures = {}
    for line in output.splitlines():
        fields = line.split()
        if len(fields) >= 2:
            figures[fields[0]] = [float(value) for value in fields[1:]]
    return figures


def list_rows(table, native, win32, data):
    folder = os.path.join(data, "lists-native")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    runs = [("native, headless",
             subprocess.run([os.path.join(native, "bench", "lists", "lists_native"), folder],
                            capture_output=True, text=True))]
    wine = shutil.which("wine") or "wine"
    windows = subprocess.run([wine, os.path.join(win32, "bin", "tool_window_bench.exe")],
                             capture_output=True, text=True, timeout=600)
    runs.append(("Wine, real window", windows))
    figures_of = {}
    for label, result in runs:
        figures = parse_figures(result.stdout)
        figures_of[label] = figures
        if result.returncode != 0 or "load_ms" not in figures or "write_ms" not in figures:
            table.add(f"load+save 100,000 items / line read, {label}", "-", "<= 3", False,
                      f"FAILED: {result.stderr.strip()[:200]}")
            table.failures.append(f"load/save, {label}")
            continue
        read = figures["line_read_ms"][0]
        load = figures["load_ms"][0]
        save = figures["save_ms"][0]
        ratio = (load + save) / read
        table.add(f"load+save 100,000 items / line read, {label}", f"{ratio:.1f}", "<= 3",
                  ratio <= 3, f"load {load:.1f} ms, save after one item ticked {save:.1f} ms, "
                  f"line read {read:.1f} ms "
                  f"(medians {figures['load_ms'][1]:.1f}, {figures['save_ms'][1]:.1f}, "
                  f"{figures['line_read_ms'][1]:.1f}); of the save, a plain write, flush and "
                  f"replace of the same bytes {figures['write_ms'][0]:.1f} ms",
                  stretch=ratio <= 2)
    figures = parse_figures(windows.stdout)
    if "open_lists_ms" in figures:
        none = figures["open_none_ms"][0]
        full = figures["open_lists_ms"][0]
        more = full - none
        table.add("window open, 20,000 lists minus none, Wine", f"{more:+.0f} ms", "<= +100 ms",
                  more <= 100 and windows.returncode == 0,
                  f"with 20,000 lists {full:.0f} ms, with none {none:.0f} ms "
                  f"(medians {figures['open_lists_ms'][1]:.0f}, {figures['open_none_ms'][1]:.0f})")
    else:
        table.add("window open, 20,000 lists minus none, Wine", "-", "<= +100 ms", False,
                  f"FAILED: {windows.stderr.strip()[:200]}")
        table.failures.append("window open")
    sync_rows(table, win32, figures_of["native, headless"], runs[0][1].returncode == 0)


def steps_figures(figures):
    """The timer save's steps, run one by one (bench/lists/timer_save_steps.h): medians."""
    names = (("lock", "lock"), ("read", "read"), ("records", "rows to records"),
             ("compare", "compare"), ("format", "format"),
             ("write", "write+flush+move"), ("keep", "kept as read"),
             ("freed", "records freed"))
    parts = [(label, figures[f"step_{key}_ms"][1]) for key, label in names
             if f"step_{key}_ms" in figures]
    total = sum(value for _, value in parts)
    return ", ".join(f"{label} {value:.1f}" for label, value in parts) + f" (sum {total:.1f} ms)"


def sync_rows(table, win32, native_figures, native_ok):
    """How soon a change is on disk, and how long a save blocks the tool window's thread."""
    wine = shutil.which("wine") or "wine"
    sync = subprocess.run([wine, os.path.join(win32, "bin", "sync_window_bench.exe")],
                          capture_output=True, text=True, timeout=900)
    figures = parse_figures(sync.stdout)
    failed = f"FAILED: {sync.stderr.strip()[:200]}"
    if sync.returncode == 0 and "change_to_disk_ms" in figures:
        median, worst, best = figures["change_to_disk_ms"][:3]
        kinds = ", ".join(
            f"{label} {figures[f'change_to_disk_{key}_ms'][0]:.0f}"
            for key, label in (("list_added", "list added (ListInfo.dat)"),
                               ("item_added", "item added (its list's file)"),
                               ("item_ticked", "item ticked")))
        table.add("change to disk, worst of 100, Wine", f"{worst / 1000:.2f} s", "<= 1.5 s",
                  worst <= 1500,
                  f"median {median:.0f} ms, worst {worst:.0f} ms, best {best:.0f} ms over "
                  f"{figures['changes'][0]:.0f} changes, each on disk before the next; "
                  f"medians: {kinds} ms")
    else:
        table.add("change to disk, worst of 100, Wine", "-", "<= 1.5 s", False, failed)
        table.failures.append("change to disk")
    if sync.returncode == 0 and "save_block_ms" in figures:
        median, worst = figures["save_block_ms"][:2]
        save = figures["save_block_save_ms"]
        look = figures["save_block_look_ms"]
        answers = figures["answer_ms"]
        table.add("save block, 100,000 items, one ticked, Wine", f"{median:.0f} ms", "<= 30 ms",
                  median <= 30,
                  f"the window's longest answer from the tick until 1.5 s after its save, median "
                  f"of 7 rounds (worst {worst:.0f} ms): the save {save[0]:.0f} ms (worst "
                  f"{save[1]:.0f}), then the look at the folder its own change notice brings "
                  f"{look[0]:.0f} ms (worst {look[1]:.0f}); an idle answer {answers[0]:.2f} ms "
                  f"({answers[1]:.0f} answers); the save's steps alone, medians: "
                  f"{steps_figures(figures)}")
    else:
        table.add("save block, 100,000 items, one ticked, Wine", "-", "<= 30 ms", False, failed)
        table.failures.append("save block, Wine")
    if native_ok and "timer_save_ms" in native_figures:
        save = native_figures["timer_save_ms"]
        look = native_figures["timer_look_ms"]
        median = max(save[1], look[1])
        table.add("save block, 100,000 items, one ticked, native", f"{median:.0f} ms",
                  "<= 30 ms", median <= 30,
                  f"the timer's runs, medians of 7 rounds: the save {save[1]:.0f} ms (worst "
                  f"{save[2]:.0f}), the look after it {look[1]:.0f} ms (worst {look[2]:.0f}); "
                  f"the save's steps alone, medians: {steps_figures(native_figures)}")
    else:
        table.add("save block, 100,000 items, one ticked, native", "-", "<= 30 ms", False,
                  "FAILED: lists_native")


def cpu_flags():
    """The vector features the processor reports, of those the search's scan may use."""
    wanted = ("sse2", "avx", "avx2", "avx512bw")
    with open("/proc/cpuinfo", encoding="utf-8", errors="replace") as info:
        for line in info:
            if line.startswith("flags"):
                flags = set(line.split(":", 1)[1].split())
                return " ".join(flag for flag in wanted if flag in flags)
    return "unknown"


def scan_widths(native, win32):
    """The width the search's scan chooses on this processor, natively and under Wine."""
    wine = shutil.which("wine") or "wine"
    chosen = []
    for label, command in (("native", [os.path.join(native, "bench", "search", "scan_probe")]),
                           ("Wine", [wine, os.path.join(win32, "bin", "scan_probe.exe")])):
        result = subprocess.run(command, capture_output=True, text=True)
        chosen.append(f"{label} {result.stdout.strip() or 'unknown'}")
    return ", ".join(chosen)


def vector_instructions(win32):
    """The SSE2 and the AVX2 compare/mask instructions in ToDoList.dll, or None."""
    objdump = shutil.which("i686-w64-mingw32-objdump")
    if not objdump:
        return None
    listing = subprocess.run([objdump, "-d", os.path.join(win32, "bin", "ToDoList.dll")],
                             capture_output=True, text=True).stdout
    sse2 = len(re.findall(r"\s(pcmpeqb|pmovmskb)\s", listing))
    avx2 = len(re.findall(r"\s(vpcmpeqb|vpmovmskb)\s.*%ymm", listing))
    return sse2, avx2


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--native", required=True, help="the native Release build folder")
    parser.add_argument("--win32", required=True, help="the Windows build folder")
    parser.add_argument("--data", required=True, help="the benchmark's data folder")
    # A Wine search spends most of its time waiting for Wine's server, whose answers come
    # slower now and then on a shared machine: with five rounds the best of either side moved by
    # a fifth from run to run. More rounds make the best of them steadier, on both sides alike.
    parser.add_argument("--rounds", type=int, default=9, help="rounds of the Wine search")
    # A native search takes a tenth of a second, and on a shared machine a few of its rounds
    # are slowed by others: more rounds make the best of them steadier, on both sides alike.
    parser.add_argument("--native-rounds", type=int, default=15, help="rounds of the native search")
    args = parser.parse_args()

    started = time.perf_counter()
    print(f"date: {datetime.date.today().isoformat()}")
    print(f"machine: {machine()}")
    search, size = make_data(args.native, args.data)
    print(f"search data: {SEARCH_FILES} list files, {size / 1e6:.1f} MB, in {search}")
    print(f"processor's vector features: {cpu_flags()}; the search's scan: "
          f"{scan_widths(args.native, args.win32)}")
    vectors = vector_instructions(args.win32)
    if vectors is not None:
        sse2, avx2 = vectors
        print(f"ToDoList.dll holds {sse2} SSE2 compare/mask instructions (pcmpeqb, pmovmskb)"
              f"{'' if sse2 else ': the scan runs byte by byte'} and {avx2} AVX2 ones on 32 "
              f"bytes (vpcmpeqb, vpmovmskb), used only where the processor has AVX2")

    table = Table()
    native_rows(table, args.native, args.data, search, args.native_rounds)
    expected = int(subprocess.run(
        [os.path.join(args.native, "bench", "search", "search_native"), "reference", search,
         PRESENT_WORDS.encode("cp932")], check=True, capture_output=True).stdout)
    peaks = wine_rows(table, args.win32, args.data, args.rounds, expected)
    list_rows(table, args.native, args.win32, args.data)
    table.print()
    print(f"peak memory of the console search under Wine (the wine process's maximum resident "
          f"set): {peaks[0] / 1024:.1f} MB searching {size / 1e6:.1f} MB with results, "
          f"{peaks[2] / 1024:.1f} MB without, {peaks[1] / 1024:.1f} MB over an empty folder")
    within = sum(1 for row in table.rows if row[3])
    print(f"{within} of {len(table.rows)} rows within goal")
    for failure in table.failures:
        print(f"FAILED: {failure}")
    print(f"benchmark took {time.perf_counter() - started:.0f} s")
    return 1 if table.failures else 0


if __name__ == "__main__":
    sys.exit(main())
