#pragma once
// A Ctrl + left drag under way in the main window, aiming the next shot: where it was pressed
// and the shot it aims so far, which the floor's line shows while the button is held.

#include <optional>

#include "math/vec3.h"
#include "scenes/shot.h"

struct AimDrag {
  bool active = false;
  Vec3 press;            // the press's point on the plane of the shooter's centre, world axes
  int press_x = 0;       // window pixels of the press
  int press_y = 0;
  std::optional<Shot> shot;  // what letting go now would aim; none while the pointer gives no direction
};
