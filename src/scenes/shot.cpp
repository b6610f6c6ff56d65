#include "scenes/shot.h"

#include "rb-system.h"

Shot RandomShot() { return Shot{RBSystem::DrawShotDirection(), RBSystem::kShotSpeed}; }

void Shoot(RBSystem& system, const Shot& shot) { system.Shoot(shot.direction, shot.speed); }
