"""A messy column of dates as data engineers meet it: dates of 1950-1999 in
14 layouts (two-digit years, month names in any case), and 5% texts that are
no dates. Shared by the tests and scripts/bench_columns.py."""

import datetime
import os
import random
import subprocess
import sys
from pathlib import Path

MONTHS = "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec".split()


def _month(date, rng):
    name = MONTHS[date.month - 1]
    return rng.choice((name, name.upper(), name.lower()))


# Each layout writes a date so that the library reads it back as that date
# when two-digit years are placed by a 1950 window.
LAYOUTS = [
    lambda d, r: f"{d.month:02d}/{d.day:02d}/{d.year % 100:02d}",
    lambda d, r: f"{d.month:02d}/{d.day:02d}/{d.year}",
    lambda d, r: f"{d.year}-{d.month:02d}-{d.day:02d}",
    lambda d, r: f"{d.day:02d}-{_month(d, r)}-{d.year % 100:02d}",
    lambda d, r: f"{d.day:02d}-{_month(d, r)}-{d.year}",
    lambda d, r: f"{d.year}{d.month:02d}{d.day:02d}",
    lambda d, r: f"{_month(d, r)}/{d.day:02d}/{d.year}",
    lambda d, r: f"{d.month:02d}-{d.day:02d}-{d.year % 100:02d}",
    lambda d, r: f"{d.year % 100:02d}.{d.month:02d}.{d.day:02d}",
    lambda d, r: f"{d.day:02d}{_month(d, r)}{d.year % 100:02d}",
    lambda d, r: f"{d.month}/{d.day}/{d.year % 100:02d}",
    lambda d, r: f"{_month(d, r)}-{d.day:02d}-{d.year}",
    lambda d, r: f"{d.day}-{_month(d, r)}-{d.year}",
    lambda d, r: f"{d.month:02d}{d.day:02d}{d.year % 100:02d}",
]

JUNK = ["", "n/a", "02/30/1998", "13/45/98", "12/31/1998 10:30", "Dec/32/1998", "?", "unknown",
        "1998-13-32", "31.12.1998"]


def mixed_texts(count, seed=22, junk=0.05, layouts=LAYOUTS):
    """(texts, dates): the texts and the date each holds (None for junk)."""
    rng = random.Random(seed)
    first = datetime.date(1950, 1, 1).toordinal()
    last = datetime.date(1999, 12, 31).toordinal()
    texts, dates = [], []
    for _ in range(count):
        if rng.random() < junk:
            texts.append(rng.choice(JUNK))
            dates.append(None)
        else:
            date = datetime.date.fromordinal(rng.randint(first, last))
            texts.append(rng.choice(layouts)(date, rng))
            dates.append(date)
    return texts, dates


ROOT = Path(__file__).resolve().parents[2]


def readme_block(tag):
    """The lines of the README's fenced block that opens with ```tag."""
    lines, inside = [], False
    for line in (ROOT / "README.md").read_text().splitlines():
        if inside and line == "```":
            return "\n".join(lines)
        if inside:
            lines.append(line)
        inside = inside or line == "```" + tag
    raise LookupError(f"no block {tag!r} in README.md")


def run_readme_example(tag):
    """Runs the README's ```python TAG block as it stands; (its output, what the
    ```text TAG block says it prints)."""
    source = str(Path(__import__("kalcore").__file__).resolve().parents[1])
    env = dict(os.environ, PYTHONPATH=source)
    result = subprocess.run([sys.executable, "-c", readme_block("python " + tag)], env=env,
                            capture_output=True, text=True, timeout=300)
    assert result.returncode == 0, result.stderr
    return result.stdout.rstrip("\n"), readme_block("text " + tag)
