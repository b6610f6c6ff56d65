import pathlib
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]


def test_the_readme_quotes_the_quick_starts_and_the_python_one_runs(data_dir):
    readme = (ROOT / "README.md").read_text()
    for snippet in ("quick-start.py", "quick-start.cpp"):  # the C++ one is built and run by package-pkg-config
        assert (ROOT / "examples" / snippet).read_text() in readme, snippet + " is not quoted verbatim"
    out = subprocess.run([sys.executable, str(ROOT / "examples/quick-start.py")], cwd=data_dir, check=True,
                         capture_output=True, text=True).stdout.splitlines()
    assert out[0].startswith("True ") and len(out) == 3
