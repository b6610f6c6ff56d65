import numpy as np
import pytest
import quorvel

TRIANGLE = np.array([[[0, 0, 0], [1, 0, 0], [0, 1, 0]]], dtype=float)
POSE = (np.eye(3), np.zeros(3))


def test_every_bad_input_raises_and_the_interpreter_goes_on(tmp_path, data_dir):
    short = tmp_path / "short.tris"
    short.write_text("2  0 0 0 1 0 0 0 1 0  4 4 4")
    word = tmp_path / "word.tris"
    word.write_text("many 1 2 3")
    nan = TRIANGLE.copy()
    nan[0, 2, 1] = np.nan
    model = quorvel.Model(TRIANGLE)
    cases = [
        (OSError, "missing.tris: Could not open file.", lambda: quorvel.Model.from_tris(str(tmp_path / "missing.tris"))),
        (OSError, "Could not open file.", lambda: quorvel.Model.from_tris(str(tmp_path))),
        (ValueError, "Triangle 2 of 2 is incomplete: expected 9 numbers, found 3.", lambda: quorvel.Model.from_tris(str(short))),
        (ValueError, "First entry should be number of triangles", lambda: quorvel.Model.from_tris(str(word))),
        (ValueError, r"shape \(m, 3, 3\), not \(4, 3\)", lambda: quorvel.Model(np.zeros((4, 3)))),
        (ValueError, "no triangles", lambda: quorvel.Model(np.zeros((0, 3, 3)))),
        (TypeError, "numbers", lambda: quorvel.Model([["a", "b", "c"]] * 3)),
        (TypeError, "numbers", lambda: quorvel.Model([[[0, 0, 0], [1, 0]]])),
        (ValueError, "triangle 0 .*not finite", lambda: quorvel.Model(nan)),
        (ValueError, "vertex 2 .*not finite", lambda: quorvel.Model(nan[0], [[0, 1, 2]])),
        (TypeError, "integers", lambda: quorvel.Model(TRIANGLE[0], [[0.0, 1.0, 2.0]])),
        (IndexError, "face 1 refers to vertex 3", lambda: quorvel.Model(TRIANGLE[0], [[0, 1, 2], [1, 2, 3]])),
        (IndexError, "face 0 refers to vertex -1", lambda: quorvel.Model(TRIANGLE[0], [[0, 1, -1]])),
        (TypeError, "pair", lambda: quorvel.collide(model, np.eye(3), model, POSE)),
        (TypeError, "pair", lambda: quorvel.collide(model, POSE, model, (np.eye(3),))),
        (ValueError, r"\(3,\) for t", lambda: quorvel.collide(model, POSE, model, (np.eye(3), np.zeros(4)))),
        (ValueError, "not finite", lambda: quorvel.collide(model, POSE, model, (np.eye(3), [0, np.inf, 0]))),
        (ValueError, "not finite", lambda: quorvel.collide_many(model, np.full((3, 3), np.nan), [0, 0, 0], model,
                                                                np.eye(3), [0, 0, 0])),
        (ValueError, "differ in length", lambda: quorvel.collide_many(model, np.tile(np.eye(3), (2, 1, 1)), [0, 0, 0],
                                                                      model, np.eye(3), np.zeros((3, 3)))),
        (ValueError, r"\(N, 3, 3\) or \(3, 3\)", lambda: quorvel.collide_many(model, np.eye(4), [0, 0, 0], model,
                                                                              np.eye(3), [0, 0, 0])),
        (ValueError, "at least 1", lambda: quorvel.collide_many(model, np.eye(3), [0, 0, 0], model, np.eye(3),
                                                                [0, 0, 0], threads=0)),
        (OSError, "box.tris: Could not open file.", lambda: quorvel.Scene(data_dir=tmp_path)),
        (ValueError, "scene wants one of break, head-on", lambda: quorvel.Scene("pool", data_dir=data_dir)),
        (ValueError, "bodies wants a whole number from 1 to 1000", lambda: quorvel.Scene(bodies=0, data_dir=data_dir)),
        (ValueError, "model wants a whole number from 0 to 99", lambda: quorvel.Scene(model=100, data_dir=data_dir)),
        (ValueError, "crowd wants a whole number from 2 to 300", lambda: quorvel.Scene("crowd", bodies=400,
                                                                                       data_dir=data_dir)),
    ]
    for error, message, call in cases:
        with pytest.raises(error, match=message):
            call()
    (tmp_path / "box.tris").write_text((data_dir / "box.tris").read_text())
    (tmp_path / "sphere03.tris").write_text("1 0 0 0 1 0 0 0 1")
    with pytest.raises(ValueError, match="sphere03.tris: Triangle 1 of 1 is incomplete"):
        quorvel.Scene(data_dir=tmp_path)
    (tmp_path / "sphere03.tris").write_text("1  0 0 0 0 0 0 0 0 0")
    with pytest.raises(ValueError, match="sphere03.tris: No triangle has a positive area"):
        quorvel.Scene(data_dir=tmp_path)
    # Still here, and still answering.
    assert quorvel.collide(model, POSE, model, POSE).hit
