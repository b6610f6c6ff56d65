#pragma once
// The slide-to-roll rule, run once per drawn frame after the simulation iteration. A sliding body
// whose spin has caught up with its speed (|omega| >= |v| and |omega| > 0.01) starts rolling: its
// sliding friction is switched off, its rolling resistance on with `roll`, and L is resized to
// the speed. A rolling body keeps L's direction and has it resized to the speed every frame;
// with unit inertia and a lever arm of 1, |L| = |v| is the rolling condition omega r = v.

#include "force-list.h"
#include "rb-system.h"

// sliding_forces[i] and rolling_forces[i] are body i's two forces, for every body of the system.
void ApplyRollingRuleToSystem(RBSystem& system, SlidingFriction* const sliding_forces[],
                              RollingResistance* const rolling_forces[], float roll);
