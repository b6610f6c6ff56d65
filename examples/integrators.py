"""Euler against Runge-Kutta on the demo's break: the kinetic energy over simulated time.

    PYTHONPATH=build/release/python /usr/bin/python3 examples/integrators.py [OUT.png] [--seed N]

Runs the default scene (the break, ten spheres, seed 1) with each integrator at steps 0.2, 0.1
and 0.05, all from the same shot, and plots the kinetic energy (motion and spin) against
simulated time into OUT.png (default docs/integrators.png). Reads the mesh files from data/.
"""

import argparse
import pathlib

import matplotlib

matplotlib.use("Agg")  # a file, no window
import matplotlib.pyplot as plt
import numpy as np
import quorvel

ROOT = pathlib.Path(__file__).resolve().parents[1]
STEPS = (0.2, 0.1, 0.05)
DURATION = 60.0  # simulated time units


def energy_curve(seed, rk4, step):
    scene = quorvel.Scene(seed=seed, data_dir=ROOT / "data")
    scene.rk4 = rk4
    scene.step_size = step
    scene.start()  # the random shot: the same draws for every run of this seed
    times, energies = [0.0], [scene.kinetic_energy]
    for _ in range(int(round(DURATION / step))):
        scene.step()
        times.append(scene.time)
        energies.append(scene.kinetic_energy)
    return np.array(times), np.array(energies)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out", nargs="?", default=str(ROOT / "docs/integrators.png"))
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()

    figure, axes = plt.subplots(figsize=(9, 5), dpi=100)
    colours = {0.2: "tab:red", 0.1: "tab:blue", 0.05: "tab:green"}
    for rk4, style, name in ((False, "-", "Euler"), (True, "--", "RK4")):
        for step in STEPS:
            t, e = energy_curve(args.seed, rk4, step)
            axes.plot(t, e, style, color=colours[step], linewidth=1.2, label=f"{name}, step {step}")
            print(f"{name:5} step {step:4}: kinetic energy {e[0]:.1f} at 0, {e[-1]:.2f} at {t[-1]:.1f}")
    axes.set_xlabel("simulated time")
    axes.set_ylabel("kinetic energy (motion and spin)")
    axes.set_title(f"The break (seed {args.seed}): Euler and RK4 at three step sizes")
    axes.set_yscale("log")
    axes.grid(True, which="both", alpha=0.3)
    axes.legend(ncol=2)
    figure.tight_layout()
    figure.savefig(args.out)
    print("wrote", args.out)


if __name__ == "__main__":
    main()
