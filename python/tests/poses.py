"""Seeded placements for the tests and bench/python-bench.py."""

import numpy as np


def random_rotations(rng, n):
    """n rotation matrices from normalised random quaternions."""
    q = rng.normal(size=(n, 4))
    q /= np.linalg.norm(q, axis=1, keepdims=True)
    s, x, y, z = q.T
    return np.stack([
        np.stack([1 - 2 * (y * y + z * z), 2 * (x * y - s * z), 2 * (x * z + s * y)], axis=-1),
        np.stack([2 * (x * y + s * z), 1 - 2 * (x * x + z * z), 2 * (y * z - s * x)], axis=-1),
        np.stack([2 * (x * z - s * y), 2 * (y * z + s * x), 1 - 2 * (x * x + y * y)], axis=-1),
    ], axis=1)


def near_touching_offsets(rng, n, low=1.85, high=2.05):
    """Centre offsets of two unit spheres, most within reach of a contact."""
    d = rng.normal(size=(n, 3))
    d /= np.linalg.norm(d, axis=1, keepdims=True)
    return d * rng.uniform(low, high, size=(n, 1))
