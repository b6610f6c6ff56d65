"""The Python module's figures against its targets, on 20,000 near-touching sphere03 pose pairs.

    PYTHONPATH=build/release/python /usr/bin/python3 bench/python-bench.py [--build build/release] [--repeat 5]

  1. collide_many with 1 and 2 threads: wall time (target: two threads at least 1.8 x faster);
  2. collide_many with 1 thread against a plain C++ loop of the same queries (collide-loop),
     CPU time (target: within 5 %);
  3. one quorvel.collide call against the C++ query it wraps: CPU time per call
     (target: at most 2 microseconds more).
The least of --repeat passes is reported for each. The poses follow the collision benchmarks'
mix: 40 % of the centre distances in [1.90, 1.98] (touching), 40 % in [1.98, 2.10] (grazing
misses), 20 % in [2.1, 4.0], random rotations and directions.
"""

import argparse
import os
import pathlib
import subprocess
import sys
import tempfile
import time

import numpy as np
import quorvel

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "python/tests"))
from poses import random_rotations  # noqa: E402  the tests' seeded rotations
N = 20000


def poses(n):
    rng = np.random.default_rng(2024)
    u = rng.uniform(size=n)
    d = np.where(u < 0.4, rng.uniform(1.90, 1.98, n), np.where(u < 0.8, rng.uniform(1.98, 2.10, n),
                                                                 rng.uniform(2.1, 4.0, n)))
    direction = rng.normal(size=(n, 3))
    direction /= np.linalg.norm(direction, axis=1, keepdims=True)
    return random_rotations(rng, n), np.zeros((n, 3)), random_rotations(rng, n), direction * d[:, None]


def best(repeat, run, clock):
    times = []
    for _ in range(repeat):
        start = clock()
        run()
        times.append(clock() - start)
    return min(times)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=str(ROOT / "build/release"))
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()
    mesh = ROOT / "data/sphere03.tris"
    ball = quorvel.Model.from_tris(str(mesh))
    Ra, ta, Rb, tb = poses(N)

    hits = quorvel.collide_many(ball, Ra, ta, ball, Rb, tb, threads=1)
    wall_1 = best(args.repeat, lambda: quorvel.collide_many(ball, Ra, ta, ball, Rb, tb, threads=1), time.perf_counter)
    wall_2 = best(args.repeat, lambda: quorvel.collide_many(ball, Ra, ta, ball, Rb, tb, threads=2), time.perf_counter)
    cpu_1 = best(args.repeat, lambda: quorvel.collide_many(ball, Ra, ta, ball, Rb, tb, threads=1), time.process_time)

    with tempfile.NamedTemporaryFile(suffix=".f64", delete=False) as f:
        np.concatenate([Ra.reshape(N, 9), ta, Rb.reshape(N, 9), tb], axis=1).astype(np.float64).tofile(f)
        pose_file = f.name
    try:
        out = subprocess.run([os.path.join(args.build, "bin/collide-loop"), str(mesh), pose_file, str(args.repeat)],
                             check=True, capture_output=True, text=True).stdout.split()
    finally:
        os.unlink(pose_file)
    loop_hits, loop_query = int(out[3]), float(out[5])
    assert loop_hits == int(hits.sum()), "the C++ loop and collide_many disagree"

    poses_a = [(Ra[i], ta[i]) for i in range(N)]
    poses_b = [(Rb[i], tb[i]) for i in range(N)]

    def single_calls():
        collide = quorvel.collide
        for i in range(N):
            collide(ball, poses_a[i], ball, poses_b[i])

    call = best(args.repeat, single_calls, time.process_time) / N

    print(f"{N} near-touching sphere03 pose pairs, {int(hits.sum())} touching; least of {args.repeat} passes")
    print(f"  collide_many, 1 thread:  {wall_1 * 1e3:8.2f} ms wall, {cpu_1 / N * 1e6:.3f} us CPU per query")
    print(f"  collide_many, 2 threads: {wall_2 * 1e3:8.2f} ms wall: {wall_1 / wall_2:.2f} x faster (target >= 1.8)")
    print(f"  C++ loop:                {loop_query * N * 1e3:8.2f} ms CPU, {loop_query * 1e6:.3f} us per query; "
          f"collide_many with 1 thread {100 * (cpu_1 / N / loop_query - 1):+.1f} % (target within 5 %)")
    print(f"  quorvel.collide:         {call * 1e6:.3f} us CPU per call: {(call - loop_query) * 1e6:.3f} us over the "
          f"C++ query (target <= 2)")
    print("  load:", open("/proc/loadavg").read().split()[:3])


if __name__ == "__main__":
    main()
