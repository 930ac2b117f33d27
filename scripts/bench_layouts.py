#!/usr/bin/env python3
"""The shared set of the date benchmark as a table: per layout the median of
KD_CONVDATE, of glibc strptime + strftime, of kal_parse + kal_format (one
text a call) and of kal_parse_many + kal_format_many (a column of 1024, per
text), with their ratios to strptime + strftime, the writing half of that
column alone (kal_format_many, per text), and for the whole set the
ratio of KD_CONVDATE, all measured in the same run. With --baseline DIR the same
benchmark binary also runs against the libkalcore.so.3 in DIR (an earlier
build), in alternating rounds, for a before column.

Usage: bench_layouts.py KALCORE_BENCH [--baseline DIR] [--rounds N]
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile


def run(bench, library_dir, repetitions):
    """{benchmark name: [real time in ns of each repetition]}"""
    env = dict(os.environ)
    if library_dir:
        env["LD_LIBRARY_PATH"] = library_dir
    # Start-up writes the library's files: into a scratch home.
    with tempfile.TemporaryDirectory() as home:
        env.update(HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
                   HOLDYPATH="")
        out = subprocess.run(
            [bench, "--benchmark_filter=Shared|Layout/", "--benchmark_format=json",
             f"--benchmark_repetitions={repetitions}"],
            env=env, check=True, capture_output=True, text=True).stdout
    times = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") == "iteration":
            scale = {"ns": 1, "us": 1e3, "ms": 1e6}[b["time_unit"]]
            kind = b["run_name"].split("/min_time")[0].rsplit("/", 1)[-1]
            per = 1024 if kind in ("kalcolumn", "kalformat") else 1
            times.setdefault(b["run_name"].split("/min_time")[0], []).append(
                b["real_time"] * scale / per)
    return times


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("bench")
    parser.add_argument("--baseline")
    parser.add_argument("--rounds", type=int, default=2)
    parser.add_argument("--repetitions", type=int, default=3)
    args = parser.parse_args()

    after, before = {}, {}
    for _ in range(args.rounds):
        for times, library in ((after, None), (before, args.baseline)):
            if times is before and not args.baseline:
                continue
            for name, values in run(args.bench, library, args.repetitions).items():
                times.setdefault(name, []).extend(values)
    median = lambda times, name: statistics.median(times[name]) if name in times else None

    layouts = sorted({n.rsplit("/", 1)[0] for n in after if n.startswith("Layout/")})
    head = "| # | input | code | " + ("before ns | " if before else "") + \
           "kalcore ns | strptime+strftime ns | ratio | kal_ ns | ratio | kal_ column ns | ratio | " \
           "kal_format_many ns |"
    print(head)
    print("|" + "---|" * (head.count("|") - 1))
    for layout in layouts:
        _, number, rest = layout.split("/", 2)
        text, code = rest.rsplit("/", 1)
        ours = median(after, layout + "/kalcore")
        theirs = median(after, layout + "/strptime")
        cells = [number, f"`{text}`", f"`{code}`"]
        if before:
            cells.append(f"{median(before, layout + '/kalcore'):.1f}")
        cells += [f"{ours:.1f}", f"{theirs:.1f}", f"{theirs / ours:.1f}x"]
        for kind in ("kal", "kalcolumn"):
            modern = median(after, layout + "/" + kind)
            cells += [f"{modern:.1f}", f"{theirs / modern:.1f}x"]
        cells.append(f"{median(after, layout + '/kalformat'):.1f}")
        print("| " + " | ".join(cells) + " |")
    ours = median(after, "BM_KalcoreShared")
    theirs = median(after, "BM_StrptimeStrftimeShared")
    cells = ["all", "the whole set, in turn", ""]
    if before:
        cells.append(f"{median(before, 'BM_KalcoreShared'):.1f}")
    cells += [f"{ours:.1f}", f"{theirs:.1f}", f"{theirs / ours:.1f}x", "", "", "", "", ""]
    print("| " + " | ".join(cells) + " |")

    # The numeric layouts (no letter in the text read): the least and the
    # median time of each kal_ column, and for parse + format the least and
    # the median ratio to strptime + strftime of the same run.
    numeric = [layout for layout in layouts
               if not any(ch.isalpha() for ch in layout.split("/", 2)[2].rsplit("/", 1)[0])]
    print()
    print(f"| {len(numeric)} numeric layouts | run | min ns | median ns | min ratio | median ratio |")
    print("|---|---|---|---|---|---|")
    for kind, title in (("kal", "kal_"), ("kalcolumn", "kal_ column"),
                        ("kalformat", "kal_format_many")):
        for run_name, times in (("after", after), ("before", before)):
            if not times:
                continue
            ns = [median(times, layout + "/" + kind) for layout in numeric]
            cells = [title, run_name, f"{min(ns):.1f}", f"{statistics.median(ns):.1f}", "", ""]
            if kind != "kalformat":
                ratios = [median(times, layout + "/strptime") / t for layout, t in zip(numeric, ns)]
                cells[4:] = [f"{min(ratios):.1f}x", f"{statistics.median(ratios):.1f}x"]
            print("| " + " | ".join(cells) + " |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
