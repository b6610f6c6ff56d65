import numpy as np
import quorvel

ball = quorvel.Model.from_tris("sphere03.tris")  # read from the working folder
here = (np.eye(3), np.zeros(3))                  # a model point p lies at R p + t
there = (np.eye(3), np.array([1.95, 0.0, 0.0]))
result = quorvel.collide(ball, here, ball, there, all_pairs=True)
print(result.hit, len(result.pairs), "touching triangle pairs")

# 20,000 placements of the second ball at once, on every core, without the interpreter lock
t = np.random.default_rng(1).uniform(-2.5, 2.5, size=(20000, 3))
hits = quorvel.collide_many(ball, np.eye(3), np.zeros(3), ball, np.eye(3), t)
print(hits.mean(), "of them touch")

scene = quorvel.Scene(seed=1)  # the demo's break, from the mesh files in the working folder
scene.settle()
print(scene.time, scene.kinetic_energy, scene.fingerprint())
