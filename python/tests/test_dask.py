"""parse_many over the partitions of a Dask Series on a LocalCluster of two
worker processes: the same dates as in one process, and an InvalidDate
raised in a worker arrives as it was raised."""

import os
import sys
from pathlib import Path

import pytest

import kalcore

np = pytest.importorskip("numpy")
pd = pytest.importorskip("pandas")
dd = pytest.importorskip("dask.dataframe")
distributed = pytest.importorskip("distributed")

sys.path.insert(0, str(Path(__file__).resolve().parent))
from mixed_texts import mixed_texts, run_readme_example  # noqa: E402

ROWS = 1_000_000


@pytest.fixture(scope="module")
def client():
    # The workers are new processes: they find the package and the library
    # under test as this one does.
    source = str(Path(kalcore.__file__).resolve().parents[1])
    os.environ["PYTHONPATH"] = os.pathsep.join(
        p for p in (source, os.environ.get("PYTHONPATH")) if p)
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None, silence_logs=40) as cluster, \
            distributed.Client(cluster) as client:
        yield client


def test_two_workers_give_what_one_process_gives(client):
    texts, _ = mixed_texts(ROWS, seed=2)
    series = pd.Series(texts, dtype=object, name="born")
    alone = kalcore.parse_many(series, window=1950)
    column = dd.from_pandas(series, npartitions=8)
    spread = column.map_partitions(kalcore.parse_many, window=1950,
                                   meta=("born", "datetime64[ns]")).compute()
    pd.testing.assert_series_equal(spread, alone)
    assert alone.notna().sum() > 0.9 * ROWS


def test_an_invalid_date_arrives_from_a_worker_unchanged(client):
    column = dd.from_pandas(pd.Series(["12/31/98", "12.12.1973"] * 4), npartitions=2)
    with pytest.raises(kalcore.InvalidDate) as caught:
        column.map_partitions(kalcore.parse_many, errors="raise",
                              meta=(None, "datetime64[ns]")).compute()
    assert str(caught.value) == "not a date: '12.12.1973' at position 1"
    assert (caught.value.text, caught.value.position) == ("12.12.1973", 1)
    with pytest.raises(kalcore.InvalidDate) as caught:
        client.submit(kalcore.parse, "12.12.1973").result()
    assert str(caught.value) == "not a date: '12.12.1973'"


def test_the_readme_example_prints_what_the_readme_says():
    got, want = run_readme_example("dask")
    assert got == want
