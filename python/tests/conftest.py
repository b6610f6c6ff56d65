import os
import pathlib

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
DATA = pathlib.Path(os.environ.get("QUORVEL_DATA_DIR", ROOT / "data"))
BENCH = os.environ.get("QUORVEL_BENCH", str(ROOT / "build/release/bin/quorvel-bench"))


@pytest.fixture(scope="session")
def data_dir():
    return DATA


@pytest.fixture(scope="session")
def bench():
    return BENCH
