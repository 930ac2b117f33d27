#!/usr/bin/env python3
"""Cleaning a column of dates: kalcore's column and scalar functions against
pandas, on the same messy column, all in one run. Prints the medians of
RUNS runs in ns per value and the ratios.

  - parse_many from a NumPy U array and from a pandas object Series (end to
    end: to datetime64[D], to a datetime64[ns] Series), and the library's
    kal_parse_many_fixed alone on the same texts as an S block;
  - parse_many on a single-layout column (MM/DD/CCYY) of the same size, as
    a U array and as a Series, and pd.to_datetime(format="%m/%d/%Y") on it;
    pd.to_datetime(errors="coerce") (dateutil) on the mixed column (on its
    first DATEUTIL_ROWS rows: it takes some 20 us a value);
  - how many of the valid rows each reads right (kalcore with window=1950);
  - the scalar parse of this tree and of an earlier tree (BASE, a git
    revision, default ad68f1c), each in fresh processes, taking turns; and
    with --callgrind their instructions per value (valgrind), which a busy
    machine does not move;
  - parse_many mapped over a Dask Series on a LocalCluster of 2 worker
    processes against one process (wall time), when Dask is installed.

Usage: scripts/bench_columns.py [--rows N] [--runs N] [--base REV] [--no-dask]
KALCORE_LIBRARY names the library (default build/kalcore/libkalcore.so.3).
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
sys.path[:0] = [str(ROOT / "python" / "src"), str(ROOT / "python" / "tests")]
os.environ.setdefault("KALCORE_LIBRARY", str(ROOT / "build" / "kalcore" / "libkalcore.so.3"))
DATEUTIL_ROWS = 20_000
SCALAR_ROWS = 100_000

# Times the scalar parse over the dates among `rows` texts in a fresh
# process, `passes` times; prints ns per value. argv: rows, passes.
SCALAR_PROBE = """
import sys, time
sys.path.insert(0, {tests!r})
import kalcore
from mixed_texts import mixed_texts
texts = [t for t in mixed_texts(int(sys.argv[1]), seed=3)[0] if kalcore.is_date(t, 4)]
parse = kalcore.parse
best = [0.0]
for _ in range(int(sys.argv[2])):
    start = time.perf_counter_ns()
    for t in texts:
        parse(t, 4)
    best.append((time.perf_counter_ns() - start) / len(texts))
print(min(best[1:] or best), len(texts))
"""
CALLGRIND_ROWS = 20_000

# The column paths under callgrind: builds `rows` texts as a U array, an S
# block and an object Series, and with passes 1 reads them. argv: rows, passes.
COLUMN_PROBE = """
import sys
sys.path.insert(0, {tests!r})
import numpy as np, pandas as pd
import kalcore
from mixed_texts import mixed_texts
texts = mixed_texts(int(sys.argv[1]))[0]
unicode, series, block = np.array(texts), pd.Series(texts, dtype=object), np.array(texts, "S12")
days = np.empty(len(texts), np.int64)
options = kalcore._options(None, 1950)
if sys.argv[2] == "1":
    kalcore.parse_many(unicode, window=1950)
if sys.argv[2] == "2":
    kalcore.parse_many(series, window=1950)
if sys.argv[2] == "3":
    kalcore._lib.kal_parse_many_fixed(block.ctypes.data, len(block), 1, 12, 12, options,
                                      days.ctypes.data, None)
"""
COLUMN_CALLGRIND_ROWS = 100_000


def median_ns(function, runs, count):
    """Median ns per value of `runs` calls of function() over `count` values."""
    times = []
    for _ in range(runs):
        start = time.perf_counter_ns()
        function()
        times.append((time.perf_counter_ns() - start) / count)
    return statistics.median(times)


def old_package(base, directory):
    """Writes the package of git revision `base` into `directory`."""
    package = Path(directory) / "kalcore"
    package.mkdir()
    for name in ("__init__.py", "_library.py"):
        text = subprocess.run(["git", "-C", str(ROOT), "show", f"{base}:python/src/kalcore/{name}"],
                              check=True, capture_output=True, text=True).stdout
        (package / name).write_text(text)


def probe(path, rows, passes):
    """(ns per value, values) of SCALAR_PROBE with the package at `path`."""
    env = dict(os.environ, PYTHONPATH=path)
    code = SCALAR_PROBE.format(tests=str(ROOT / "python" / "tests"))
    out = subprocess.run([sys.executable, "-c", code, str(rows), str(passes)], env=env,
                         check=True, capture_output=True, text=True).stdout.split()
    return float(out[0]), int(out[1])


def callgrind_total(command, env):
    """Instructions that `command` runs (callgrind)."""
    with tempfile.TemporaryDirectory() as work:
        out = Path(work) / "callgrind.out"
        subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}", *command],
                       env=env, check=True, capture_output=True, text=True)
        summary = [line for line in out.read_text().splitlines()
                   if line.startswith("summary:") or line.startswith("totals:")]
        return int(summary[-1].split()[1])


def instructions(path, rows):
    """Instructions per value of the scalar parse (callgrind): a run that
    parses less the same run that does not."""
    env = dict(os.environ, PYTHONPATH=path)
    code = SCALAR_PROBE.format(tests=str(ROOT / "python" / "tests"))
    _, values = probe(path, rows, 0)
    counts = [callgrind_total([sys.executable, "-c", code, str(rows), str(passes)], env)
              for passes in (0, 1)]
    return (counts[1] - counts[0]) / values


def column_instructions(rows):
    """Instructions per value (callgrind) of parse_many from a U array, from an
    object Series, and of the library's kal_parse_many_fixed alone."""
    env = dict(os.environ, PYTHONPATH=str(ROOT / "python" / "src"))
    code = COLUMN_PROBE.format(tests=str(ROOT / "python" / "tests"))
    counts = [callgrind_total([sys.executable, "-c", code, str(rows), str(mode)], env)
              for mode in range(4)]
    return [(count - counts[0]) / rows for count in counts[1:]]


def scalar_paths(base, runs, callgrind):
    """The scalar parse of this tree and of the tree at `base`: median ns per
    value, and with `callgrind` instructions per value: {"new"|"old": ...}."""
    results = {}
    with tempfile.TemporaryDirectory() as old:
        old_package(base, old)
        paths = {"new": str(ROOT / "python" / "src"), "old": old}
        times = {"new": [], "old": []}
        for _ in range(runs):
            for name, path in paths.items():
                times[name].append(probe(path, SCALAR_ROWS, 3)[0])
        for name, path in paths.items():
            results[name] = (statistics.median(times[name]),
                             instructions(path, CALLGRIND_ROWS) if callgrind else None)
    return results


def dask_times(series, runs):
    """Median wall seconds: (parse_many in this process, mapped over 2 worker processes)."""
    import dask.dataframe as dd
    import distributed

    import kalcore

    os.environ["PYTHONPATH"] = str(ROOT / "python" / "src")
    alone = statistics.median(
        median_ns(lambda: kalcore.parse_many(series, window=1950), 1, 1) / 1e9 for _ in range(runs))
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None, silence_logs=40) as cluster, \
            distributed.Client(cluster):
        column = dd.from_pandas(series, npartitions=8)
        mapped = column.map_partitions(kalcore.parse_many, window=1950,
                                       meta=(series.name, "datetime64[ns]"))
        mapped.compute()  # the workers import the package once
        spread = statistics.median(
            median_ns(mapped.compute, 1, 1) / 1e9 for _ in range(runs))
    return alone, spread


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rows", type=int, default=1_000_000)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--base", default="ad68f1c")
    parser.add_argument("--no-dask", action="store_true")
    parser.add_argument("--callgrind", action="store_true")
    args = parser.parse_args()
    home = tempfile.mkdtemp(prefix="kalcore-bench-")
    os.environ.update(HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
                      HOLDYPATH="")

    import numpy as np
    import pandas as pd

    import kalcore
    from mixed_texts import LAYOUTS, mixed_texts

    rows, runs = args.rows, args.runs
    texts, dates = mixed_texts(rows)
    single, _ = mixed_texts(rows, seed=5, junk=0, layouts=LAYOUTS[1:2])  # MM/DD/CCYY
    unicode = np.array(texts)
    single_unicode = np.array(single)
    series = pd.Series(texts, dtype=object, name="born")
    single_series = pd.Series(single, dtype=object)
    sample = series[:DATEUTIL_ROWS]

    one_layout = 'pd.to_datetime(format="%m/%d/%Y"), one layout'
    mixed = f'pd.to_datetime(errors="coerce"), mixed ({DATEUTIL_ROWS} rows)'
    block = np.array(texts, dtype="S12")
    days = np.empty(rows, dtype=np.int64)
    options = kalcore._options(None, 1950)
    results = {
        "kal_parse_many_fixed alone, S block (library)": median_ns(
            lambda: kalcore._lib.kal_parse_many_fixed(block.ctypes.data, rows, 1, 12, 12, options,
                                                      days.ctypes.data, None), runs, rows),
        "parse_many, NumPy U array": median_ns(
            lambda: kalcore.parse_many(unicode, window=1950), runs, rows),
        "parse_many, pandas object Series": median_ns(
            lambda: kalcore.parse_many(series, window=1950), runs, rows),
        "parse_many, NumPy U array, one layout": median_ns(
            lambda: kalcore.parse_many(single_unicode, window=1950), runs, rows),
        "parse_many, pandas object Series, one layout": median_ns(
            lambda: kalcore.parse_many(single_series, window=1950), runs, rows),
        one_layout: median_ns(
            lambda: pd.to_datetime(single_series, format="%m/%d/%Y"), runs, rows),
        mixed: median_ns(
            lambda: pd.to_datetime(sample, errors="coerce"), max(1, runs // 2), DATEUTIL_ROWS),
    }
    scalar = scalar_paths(args.base, runs, args.callgrind)
    new_scalar, old_scalar = scalar["new"][0], scalar["old"][0]
    results["parse (scalar), this tree"] = new_scalar
    results[f"parse (scalar), {args.base}"] = old_scalar

    width = max(map(len, results))
    print(f"{rows} mixed texts, medians of {runs} runs")
    for name, ns in results.items():
        print(f"  {name:<{width}}  {ns:10.1f} ns/value")
    ours = results["parse_many, pandas object Series"]
    print(f"  pandas one layout / parse_many(Series):  {results[one_layout] / ours:.1f}x")
    same_column = results["parse_many, pandas object Series, one layout"]
    print(f"  pandas one layout / parse_many(the same one-layout Series):  "
          f"{results[one_layout] / same_column:.1f}x")
    print(f"  pandas dateutil mixed / parse_many(Series):  {results[mixed] / ours:.0f}x")
    print(f"  scalar parse: {old_scalar / new_scalar:.2f}x faster than {args.base}")
    if args.callgrind:
        unicode_ir, series_ir, library_ir = column_instructions(COLUMN_CALLGRIND_ROWS)
        print(f"  instructions per value (callgrind, {COLUMN_CALLGRIND_ROWS} texts): parse_many U "
              f"{unicode_ir:.0f}, parse_many Series {series_ir:.0f}, kal_parse_many_fixed alone "
              f"{library_ir:.0f}")
        new_ir, old_ir = scalar["new"][1], scalar["old"][1]
        print(f"  scalar parse, instructions per value (callgrind): {new_ir:.0f} against "
              f"{old_ir:.0f} ({old_ir / new_ir:.2f}x fewer)")

    want = pd.Series(np.array([d if d else "NaT" for d in dates], dtype="datetime64[D]"))
    valid = want.notna()
    got = kalcore.parse_many(series, window=1950)
    theirs = pd.to_datetime(sample, errors="coerce").dt.normalize()
    print(f"  valid rows read right: kalcore window=1950 {(got[valid] == want[valid]).mean():.2%}"
          f" ({int((got[valid] == want[valid]).sum())} of {int(valid.sum())}), junk read as a date"
          f" {int(got[~valid].notna().sum())}; pandas dateutil (first {DATEUTIL_ROWS})"
          f" {(theirs[valid[:DATEUTIL_ROWS]] == want[:DATEUTIL_ROWS][valid[:DATEUTIL_ROWS]]).mean():.2%}")

    if (got[valid] != want[valid]).any() or got[~valid].notna().any():
        sys.exit("kalcore read a row of the column wrong")

    if not args.no_dask:
        try:
            alone, spread = dask_times(series, max(1, runs // 2))
        except ImportError:
            print("  Dask: not installed (python3-distributed)")
        else:
            print(f"  Dask: 1 process {alone:.2f} s, LocalCluster of 2 worker processes "
                  f"{spread:.2f} s ({alone / spread:.2f}x)")


if __name__ == "__main__":
    main()
