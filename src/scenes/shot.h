#pragma once
// A shot of body 0 as plain data, so that it can be aimed, kept, repeated and recorded: a
// horizontal unit direction (world axes) and a speed (length units per time unit).

#include "math/vec3.h"

class RBSystem;

struct Shot {
  Vec3 direction;
  float speed = 0;
};

// The break's random shot: Start's two draws of the generator and its speed 15.
Shot RandomShot();

// Body 0 takes the shot (momentum = mass x speed x direction) and the clock starts at 0.
// Shoot(system, RandomShot()) is the system's Start, bit for bit.
void Shoot(RBSystem& system, const Shot& shot);
