import subprocess

import numpy as np
import pytest
import quorvel


def bench_fingerprint(bench, data_dir, *options):
    out = subprocess.run([bench, *options, "--fingerprint"], cwd=data_dir, check=True, capture_output=True, text=True)
    return out.stdout.split()[-1]


@pytest.mark.parametrize("seed, options, settings", [
    (3, [], {}),
    (2, ["--rk4", "--step", "0.05", "--bodies", "12", "--model", "2"], {"rk4": True, "step_size": 0.05}),
])
def test_fingerprint_after_settling_and_the_timed_iterations_equals_the_benchmarks(bench, data_dir, seed, options,
                                                                                   settings):
    bodies = int(options[options.index("--bodies") + 1]) if "--bodies" in options else 10
    model = int(options[options.index("--model") + 1]) if "--model" in options else 3
    scene = quorvel.Scene(bodies=bodies, model=model, seed=seed, data_dir=str(data_dir))
    for name, value in settings.items():
        setattr(scene, name, value)
    scene.settle()
    scene.step(16384, rolling_rule=False)
    assert scene.fingerprint() == bench_fingerprint(bench, data_dir, "--seed", str(seed), *options)


def test_a_scene_runs_from_its_shot(data_dir):
    scene = quorvel.Scene(seed=1, data_dir=data_dir)
    assert len(scene) == 10 and scene.positions.shape == (10, 3) and scene.orientations.shape == (10, 4)
    assert scene.kinetic_energy == 0 and not scene.rolling.any()
    scene.start(direction=(0, 0, -2), speed=4.0)
    # Body 0's shot: mass 10 at speed 4, nothing else moving yet.
    assert scene.kinetic_energy == pytest.approx(0.5 * 10 * 4.0 ** 2)
    scene.step(30)
    assert scene.time == pytest.approx(3.0)
    assert scene.positions[0, 2] < 15 - 4 * 3 * 0.9 and abs(scene.positions[0, 0]) < 1e-6
    scene.step(400)
    assert scene.rolling.any() and np.isfinite(scene.angular_momenta).all()
    # Same seed, same shot: the same run, bit for bit.
    again = quorvel.Scene(seed=1, data_dir=data_dir)
    again.start(direction=(0, 0, -2), speed=4.0)
    again.step(430)
    assert again.fingerprint() == scene.fingerprint()


@pytest.mark.parametrize("name, count", [("head-on", 2), ("cradle", 6), ("slide-to-roll", 1), ("crowd", 20)])
def test_the_experiments_scenes(data_dir, name, count):
    scene = quorvel.Scene(name, bodies=20, seed=4, data_dir=data_dir)
    assert len(scene) == count
    scene.start()
    scene.step(50)
    assert np.isfinite(scene.velocities).all() and scene.time > 4.9
