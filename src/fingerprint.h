#pragma once
// A 64-bit hash of everything a simulation run leaves in a system: the 13 state floats of every
// body, the velocities the passes write, the rolling and collided flags, the time and the
// contact flag. Two runs with equal fingerprints ended in the same state bit for bit; it lets
// two versions of the code be compared on seeded runs.

#include <cstdint>

class RBSystem;

uint64_t StateFingerprint(RBSystem& system);
