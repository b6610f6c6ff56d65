"""Quorvel's exact triangle-mesh collision query and its rigid-body simulation, from Python.

    Model         a triangle mesh built for queries (from arrays or a .tris file)
    collide       which triangles of two placed models touch
    collide_many  many first-contact queries at once, over threads, without the interpreter lock
    triangles_touch  the query's exact triangle test
    Scene         the demo's and the benchmark's scene, and the experiments' scenes

A pose (R, t) places a model point p at R p + t. See help(quorvel.collide).
"""

from ._quorvel import CollideResult, Model, Scene, collide, collide_many, triangles_touch

__all__ = ["CollideResult", "Model", "Scene", "collide", "collide_many", "triangles_touch"]

for _thing in (CollideResult, Model, Scene, collide, collide_many, triangles_touch):
    try:
        _thing.__module__ = __name__  # help() names quorvel, not its native part
    except (AttributeError, TypeError):
        pass
del _thing
