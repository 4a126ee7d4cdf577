#!/usr/bin/env python3
"""Measures figures 1-7 and E1-E5 of the performance table and prints the table.

Each comparison runs its commands in one hyperfine invocation per round;
rounds alternate the order of the commands, so that neither side always
runs first, and the figure is the median of all runs of all rounds.
"""

import argparse
import json
import os
import platform
import re
import shlex
import statistics
import subprocess
import tempfile

ROUNDS = 3


def hyperfine_times(commands, runs, warmup, shell):
    """Every run time, in seconds, of each command, over ROUNDS rounds."""
    times = {command: [] for command in commands}
    for round_number in range(ROUNDS):
        order = commands if round_number % 2 == 0 else list(reversed(commands))
        with tempfile.NamedTemporaryFile(suffix=".json") as export:
            arguments = ["hyperfine", "--style", "none", "--warmup", str(warmup),
                         "--runs", str(runs), "--export-json", export.name]
            if not shell:
                arguments.append("-N")
            finished = subprocess.run(arguments + order, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.PIPE, text=True)
            if finished.returncode != 0:
                raise SystemExit("hyperfine failed:\n" + finished.stderr)
            with open(export.name) as f:
                for result in json.load(f)["results"]:
                    times[result["command"]].extend(result["times"])
    return {command: statistics.median(values) for command, values in times.items()}


def peak_memory_mb(command):
    """Largest resident set of three runs, in MB (1,048,576 bytes)."""
    peaks = []
    for _ in range(3):
        finished = subprocess.run(["/usr/bin/time", "-v"] + command, check=True,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        found = re.search(r"Maximum resident set size \(kbytes\): (\d+)", finished.stderr)
        peaks.append(int(found.group(1)) / 1024)
    return max(peaks)


def seconds(value):
    return f"{value * 1000:.0f} ms" if value < 10 else f"{value:.1f} s"


def current_locale():
    for name in ("LC_ALL", "LC_CTYPE", "LANG"):
        if os.environ.get(name):
            return os.environ[name]
    return "POSIX"


def machine_description():
    model = "unknown processor"
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    memory = os.sysconf("SC_PAGE_SIZE") * os.sysconf("SC_PHYS_PAGES") / 2**30
    return (f"{model}, {os.cpu_count()} cores, {memory:.0f} GB, "
            f"{platform.system()} {platform.release()}, locale {current_locale()}")


def version_of(command):
    try:
        finished = subprocess.run(command, capture_output=True, text=True)
        return (finished.stdout or finished.stderr).splitlines()[0].strip()
    except (OSError, IndexError):
        return "unknown"


class Table:
    def __init__(self):
        self.rows = []

    def add(self, number, figure, ours, baseline, ratio, goal, met):
        self.rows.append((str(number), figure, ours, baseline, ratio, goal,
                          met if isinstance(met, str) else ("yes" if met else "NO")))

    def print(self):
        header = ("#", "figure", "ours", "baseline", "ratio", "goal", "met")
        widths = [max(len(row[i]) for row in self.rows + [header]) for i in range(len(header))]
        line = lambda row: "  ".join(cell.ljust(width) for cell, width in zip(row, widths))
        print(line(header).rstrip())
        print("  ".join("-" * width for width in widths))
        for row in self.rows:
            print(line(row).rstrip())


def add_growth_row(table, number, figure, command, texts, allowed):
    """The time per MB of `command` over texts of 1, 4 and 16 MB; the ratio
    column is the largest distance of one of them from their mean."""
    sizes = (1, 4, 16)
    growth = {mb: f"{command} {shlex.quote(texts[mb])}" for mb in sizes}
    t = hyperfine_times(list(growth.values()), runs=5, warmup=1, shell=False)
    per_mb = {mb: t[growth[mb]] / mb for mb in sizes}
    mean = statistics.mean(per_mb.values())
    spread = max(abs(value - mean) / mean for value in per_mb.values())
    table.add(number, figure, " / ".join(f"{per_mb[mb] * 1000:.1f}" for mb in sizes) + " ms", "-",
              f"+-{spread * 100:.0f} %", f"within +-{allowed * 100:.0f} %", spread <= allowed)


def add_word_count_row(table, number, figure, command, path, goal):
    """`command` over the text at `path` against wc -w over it; `goal` is
    the largest ratio allowed."""
    wc = f"wc -w {shlex.quote(path)}"
    ours = f"{command} {shlex.quote(path)}"
    t = hyperfine_times([wc, ours], runs=5, warmup=1, shell=False)
    ratio = t[ours] / t[wc]
    table.add(number, figure, seconds(t[ours]), seconds(t[wc]), f"{ratio:.2f}x", f"<= {goal}x",
              ratio <= goal)


def add_real_prose_rows(table, defaults, everything, texts):
    """Rows E1-E5: the engine on real prose, with the echoes and on large
    families, against wc -w, both in the C locale."""
    quoted = shlex.quote
    os.environ["LC_ALL"] = "C"
    text = lambda name: os.path.join(texts, name)
    languages = [("English", text("english-10.txt")), ("French", text("french-10.txt"))]
    for language, path in languages:
        if not os.path.exists(path):
            table.add("E1", f"--summary, 10 MB of real {language}", "not measured (no text)",
                      "-", "-", "-", "-")
            continue
        wc = f"wc -w {quoted(path)}"
        ours = f"{defaults} {quoted(path)}"
        ours_all = f"{everything} {quoted(path)}"
        t = hyperfine_times([wc, ours, ours_all], runs=5, warmup=1, shell=False)
        ratio = t[ours] / t[wc]
        table.add("E1", f"--summary, 10 MB of real {language}, defaults, vs wc -w",
                  seconds(t[ours]), seconds(t[wc]), f"{ratio:.2f}x", "<= 1.2x", ratio <= 1.2)
        ratio = t[ours_all] / t[wc]
        table.add("E2", f"the same, every feature on ({language})", seconds(t[ours_all]),
                  seconds(t[wc]), f"{ratio:.2f}x", "<= 2x", ratio <= 2)

    add_word_count_row(table, "E3", "10 MB of large families, defaults, vs wc -w", defaults,
                       text("large-families-10.txt"), 2)
    for prose, name in [("the King James text", "english-10.txt"),
                        ("Austen's novels", "novels-10.txt")]:
        if os.path.exists(text(name)):
            add_word_count_row(table, "E5", f"--summary --echoes, 10 MB of {prose}, vs wc -w",
                               f"{defaults} --echoes", text(name), 3)

    english = {mb: text(f"english-{mb}.txt") for mb in (1, 4, 16)}
    add_growth_row(table, "E4", "time per MB at 1 / 4 / 16 MB of real English", defaults,
                   english, 0.20)


def add_gui_rows(table, path):
    """Rows of the window benchmark, as it wrote them: tab-separated
    number, figure, ours, baseline, ratio, goal, met; # starts a comment."""
    if os.path.exists(path):
        with open(path) as f:
            for text in f:
                if text.strip() and not text.startswith("#"):
                    table.add(*text.rstrip("\n").split("\t")[:7])
        return
    figures = {8: "F5 in the window, 1 MB", 9: "mark / ALT+click / F6, 1 MB",
               10: "F5 in the window, 5 MB", 11: "window memory after F5, 1 MB"}
    for number, figure in figures.items():
        table.add(number, figure, "not measured (window benchmark)", "-", "-", "-", "-")


def add_linter_row(table, analyze, tree):
    """Row 13: the linter over a documentation tree, against wc -w over the
    same files; both through the shell, which expands the pages' names for
    wc as a CI step would."""
    pages = sorted(os.path.join(root, name) for root, _, names in os.walk(tree)
                   for name in names if name.endswith(".md"))
    megabytes = sum(os.path.getsize(page) for page in pages) / 1048576
    quoted = shlex.quote(tree)
    wc = f"wc -w {quoted}/*/*.md"
    ours = f"{analyze} --format line {quoted}"
    t = hyperfine_times([wc, ours], runs=5, warmup=1, shell=True)
    table.add(13, f"--format line, {len(pages)} Markdown files, {megabytes:.1f} MB, vs wc -w",
              seconds(t[ours]), seconds(t[wc]), f"{t[ours] / t[wc]:.2f}x", "<= 3x",
              t[ours] / t[wc] <= 3)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--analyze", required=True)
    parser.add_argument("--texts")
    parser.add_argument("--gui-figures")
    parser.add_argument("--real-gui-figures")
    parser.add_argument("--markdown-tree",
                        help="a tree of Markdown pages (generate-markdown-tree) for row 13")
    parser.add_argument("--linter-only", action="store_true",
                        help="measure row 13 alone (bench/lint-figures.sh)")
    options = parser.parse_args()
    if options.linter_only:
        print("Machine: " + machine_description())
        print("Baseline: " + version_of(["wc", "--version"]))
        table = Table()
        add_linter_row(table, options.analyze, options.markdown_tree)
        table.print()
        return

    analyze = options.analyze
    text = lambda name: os.path.join(options.texts, name)
    prose = {mb: text(f"prose-{mb}.txt") for mb in (1, 4, 10, 16)}
    hostile = text("hostile-10.txt")
    hostile_beginning = text("hostile-beginning-10.txt")
    defaults = f"{analyze} --summary"
    everything = f"{analyze} --summary --config {text('all-features.txt')}"

    print("Machine: " + machine_description())
    print("Baselines: " + version_of(["wc", "--version"]) + "; " +
          version_of(["diction", "--version"]) + "; " + version_of(["sort", "--version"]))
    print("Medians of", ROUNDS, "rounds of hyperfine runs; every text is generated, seed 1.")
    print()

    table = Table()
    quoted = shlex.quote
    ten = quoted(prose[10])

    wc = f"wc -w {ten}"
    ours = f"{defaults} {ten}"
    ours_all = f"{everything} {ten}"
    t = hyperfine_times([wc, ours, ours_all], runs=5, warmup=1, shell=False)
    table.add(1, "--summary, 10 MB, defaults, vs wc -w", seconds(t[ours]), seconds(t[wc]),
              f"{t[ours] / t[wc]:.2f}x", "<= 3x", t[ours] / t[wc] <= 3)
    table.add(2, "--summary, 10 MB, every feature, vs wc -w", seconds(t[ours_all]),
              seconds(t[wc]), f"{t[ours_all] / t[wc]:.2f}x", "<= 5x", t[ours_all] / t[wc] <= 5)

    pipeline = (f"tr -cs 'A-Za-z' '\\n' < {ten} | tr 'A-Z' 'a-z' | sort | uniq -c | "
                "sort -rn | head -100")
    t3 = hyperfine_times([ours, pipeline], runs=4, warmup=1, shell=True)
    speedup = t3[pipeline] / t3[ours]
    table.add(3, "10 MB vs tr|tr|sort|uniq -c|sort -rn|head", seconds(t3[ours]),
              seconds(t3[pipeline]), f"{speedup:.1f}x faster", ">= 8x faster", speedup >= 8)

    diction = f"diction {ten}"
    t4 = hyperfine_times([ours, diction], runs=1, warmup=0, shell=False)
    speedup = t4[diction] / t4[ours]
    table.add(4, "10 MB vs GNU diction", seconds(t4[ours]), seconds(t4[diction]),
              f"{speedup:.0f}x faster", ">= 20x faster", speedup >= 20)

    add_growth_row(table, 5, "time per MB at 1 / 4 / 16 MB, defaults", defaults, prose, 0.30)

    # Two hostile vocabularies: words made of syllables, which form large
    # families of equivalent words, and words sharing the prefix only.
    ours_hostile = f"{defaults} {quoted(hostile)}"
    ours_beginning = f"{defaults} {quoted(hostile_beginning)}"
    t6 = hyperfine_times([ours, ours_hostile, ours_beginning], runs=5, warmup=1, shell=False)
    ratio = t6[ours_hostile] / t6[ours]
    table.add(6, "hostile 10 MB (100,000 co- syllable words) vs figure 1",
              seconds(t6[ours_hostile]), seconds(t6[ours]), f"{ratio:.2f}x", "<= 2x", ratio <= 2)
    ratio = t6[ours_beginning] / t6[ours]
    table.add("6b", "hostile 10 MB (co- + random letters) vs figure 1",
              seconds(t6[ours_beginning]), seconds(t6[ours]), f"{ratio:.2f}x", "<= 2x",
              ratio <= 2)

    peak = peak_memory_mb(shlex.split(ours_all))
    table.add(7, "peak memory of figure 2", f"{peak:.0f} MB", "-", "-", "<= 200 MB", peak <= 200)

    add_gui_rows(table, options.gui_figures)
    add_gui_rows(table, options.real_gui_figures)
    add_real_prose_rows(table, defaults, everything, options.texts)
    if options.markdown_tree:
        add_linter_row(table, analyze, options.markdown_tree)
    table.print()


if __name__ == "__main__":
    main()
