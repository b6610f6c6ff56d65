import numpy as np
import pytest
import quorvel

from poses import near_touching_offsets, random_rotations


def read_tris(path):
    numbers = path.read_text().split()
    n = int(numbers[0])
    # The file's numbers are floats; the model takes them widened to double.
    return np.array(numbers[1:1 + 9 * n], dtype=np.float32).astype(np.float64).reshape(n, 3, 3)


def placed(R, t, triangles):
    """R p + t for every corner, summed in the query's own order so that every bit agrees."""
    return (R[:, 0] * triangles[..., 0:1] + R[:, 1] * triangles[..., 1:2] + R[:, 2] * triangles[..., 2:3]) + t


def relative(Ra, ta, Rb, tb):
    """Model b's placement in model a's frame: Ra^T Rb and Ra^T (tb - ta), in the query's order."""
    d = tb - ta
    R = np.empty((3, 3))
    for i in range(3):
        for j in range(3):
            R[i, j] = Ra[0, i] * Rb[0, j] + Ra[1, i] * Rb[1, j] + Ra[2, i] * Rb[2, j]
    t = np.array([Ra[0, i] * d[0] + Ra[1, i] * d[1] + Ra[2, i] * d[2] for i in range(3)])
    return R, t


def touching_pairs(tri_a, tri_b_in_a):
    """Every triangle pair through the library's triangle test."""
    m, k = len(tri_a), len(tri_b_in_a)
    touch = quorvel.triangles_touch(np.repeat(tri_a, k, axis=0), np.tile(tri_b_in_a, (m, 1, 1)))
    return {(i // k, i % k) for i in np.flatnonzero(touch)}


def test_collide_reports_exactly_the_touching_triangle_pairs(data_dir):
    tri = read_tris(data_dir / "sphere01.tris")
    vertices, faces = np.unique(tri.reshape(-1, 3), axis=0, return_inverse=True)
    models = [quorvel.Model(tri), quorvel.Model(vertices, faces.reshape(-1, 3))]
    rng = np.random.default_rng(18)
    Ra, Rb = random_rotations(rng, 12), random_rotations(rng, 12)
    ta = rng.uniform(-3, 3, size=(12, 3))
    tb = ta + near_touching_offsets(rng, 12)
    hits = 0
    for i in range(12):
        R, t = relative(Ra[i], ta[i], Rb[i], tb[i])
        expected = touching_pairs(tri, placed(R, t, tri))
        hits += bool(expected)
        for model in models:
            every = quorvel.collide(model, (Ra[i], ta[i]), model, (Rb[i], tb[i]), all_pairs=True)
            assert {tuple(p) for p in every.pairs} == expected
            assert len(every.pairs) == len(expected)  # each pair once
            first = quorvel.collide(model, (Ra[i], ta[i]), model, (Rb[i], tb[i]))
            assert first.hit == bool(expected) and len(first.pairs) == int(first.hit)
            assert {tuple(p) for p in first.pairs} <= expected
            assert first.tri_tests <= every.tri_tests and first.box_tests >= 1
    assert 3 <= hits <= 11  # the poses straddle contact


def test_collide_many_equals_single_calls(data_dir):
    ball = quorvel.Model.from_tris(str(data_dir / "sphere02.tris"))
    rng = np.random.default_rng(7)
    n = 401
    Ra, Rb = random_rotations(rng, n), random_rotations(rng, n)
    tb = near_touching_offsets(rng, n)
    single = np.array([quorvel.collide(ball, (Ra[i], np.zeros(3)), ball, (Rb[i], tb[i])).hit for i in range(n)])
    assert 0.2 < single.mean() < 0.8
    for threads in (1, 2, 3, 1000):
        many = quorvel.collide_many(ball, Ra, np.zeros(3), ball, Rb, tb, threads=threads)
        assert many.dtype == bool and many.shape == (n,)
        np.testing.assert_array_equal(many, single)
    # A single pose broadcasts; lists are arrays too.
    assert quorvel.collide_many(ball, np.eye(3), [0, 0, 0], ball, Rb[:1], tb[:1].tolist()).tolist() == [single[0]]


def test_help_explains_the_pose_convention_and_the_result():
    text = quorvel.collide.__doc__
    assert "R p + t" in text and "pairs" in text and "box_tests" in text and "tri_tests" in text
    for thing in (quorvel.Model, quorvel.Model.from_tris, quorvel.collide_many, quorvel.Scene, quorvel.Scene.settle,
                  quorvel.triangles_touch, quorvel.CollideResult):
        assert thing.__doc__ and len(thing.__doc__) > 40, thing
