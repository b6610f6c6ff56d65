#pragma once
// Figures of the bodies' motion as a whole, read off their state: the kinetic energy of their
// motion and of their spin, the total linear momentum, and how many roll. Sums are kept in double
// so that ten or a thousand bodies add up alike.

#include <cstdint>

class RBSystem;

struct SceneMeasures {
  double linear_kinetic_energy = 0;      // sum of |P|^2 / 2m
  double rotational_kinetic_energy = 0;  // sum of L . (I^-1 L) / 2, I the inertia in world axes
  double momentum[3] = {0, 0, 0};        // sum of P, world axes
  uint32_t rolling = 0;                  // bodies whose rolling flag is set

  double KineticEnergy() const { return linear_kinetic_energy + rotational_kinetic_energy; }
};

// Reads each body's mass, momenta, orientation and body-frame inverse inertia; nothing derived,
// so the figures hold between any two changes of state (after a step, a pass or the rolling rule).
SceneMeasures MeasureBodies(const RBSystem& system);
