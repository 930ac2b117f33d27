"""Every test session gets a home of its own: the library writes its
configuration and data files there when it loads. KALCORE_LIBRARY names the
library under test (scripts/test.sh sets it to the build's)."""

import os
import sys
import tempfile
from pathlib import Path

_home = tempfile.mkdtemp(prefix="kalcore-pytest-")
os.environ.update(
    HOME=_home,
    XDG_CONFIG_HOME=os.path.join(_home, "config"),
    XDG_DATA_HOME=os.path.join(_home, "data"),
    HOLDYPATH="",
)

# The package from the source tree unless an installed one is asked for.
if not os.environ.get("KALCORE_TEST_INSTALLED"):
    sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "src"))
