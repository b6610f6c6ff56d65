#include "app/mouse-navigation.h"

#include <GL/freeglut.h>

#include <cmath>

#include "app/app-globals.h"
#include "app/mouse-orbit.h"
#include "app/inspect/pick-ray.h"
#include "inspect/body-pick.h"
#include "inspect/shot-aim.h"

namespace {

// The ray through the centre of the pointer's pixel, in the main window as it is held.
SightRay RayUnderPointer(int x, int y) {
  const WindowRecord& window = window_table[main_window];
  return RayThroughWindowPoint(camera, x + 0.5, y + 0.5, window.width, window.height);
}

// Starts pulling the ball under the pointer, if there is one. The ball is held at its centre's
// height and pulled in that level plane (the simulation is planar): the grip is the picked point
// brought down or up to the centre's height.
bool PickAndHold(int x, int y) {
  const SightRay ray = RayUnderPointer(x, y);
  const PickHit hit = PickBody(bodies_system, ray.origin, ray.direction);
  if (!hit.hit) return false;
  const float height = bodies_system.Body(hit.body)->position.y;
  close_look.pull.Begin(bodies_system, hit.body, Vec3(hit.point.x, height, hit.point.z));
  close_look.pull_height = height;
  return true;
}

Vec3 ShooterCentre() { return bodies_system.Body(0)->position; }

// The pointer's point on the horizontal plane through the shooter's centre.
std::optional<Vec3> PointerOnShotPlane(int x, int y) {
  const SightRay ray = RayUnderPointer(x, y);
  return PointOnPlane(ray.origin, ray.direction, ShooterCentre().y);
}

// The shot the drag aims with the pointer at (x, y); the last one where the pointer's sight
// misses the plane.
void AimAt(int x, int y) {
  const std::optional<Vec3> pointer = PointerOnShotPlane(x, y);
  if (!pointer) return;
  const double pixels = std::hypot(x - aim_drag.press_x, y - aim_drag.press_y);
  aim_drag.shot = AimShot(ShooterCentre(), aim_drag.press, *pointer, pixels);
}

// A Ctrl + left press on a racked scene begins aiming; false when the scene is started or the
// pointer's sight misses the plane.
bool BeginAim(int x, int y) {
  if (started || bodies_system.BodyCount() == 0) return false;
  const std::optional<Vec3> press = PointerOnShotPlane(x, y);
  if (!press) return false;
  aim_drag.active = true;
  aim_drag.press = *press;
  aim_drag.press_x = x;
  aim_drag.press_y = y;
  AimAt(x, y);
  return true;
}

void EndAim(int x, int y) {
  AimAt(x, y);
  if (aim_drag.shot) AimNextShot(experiment_control, *aim_drag.shot);
  aim_drag = AimDrag();
}

bool ShiftPress(int button, int state) {
  return button == GLUT_LEFT_BUTTON && state == GLUT_DOWN && (glutGetModifiers() & GLUT_ACTIVE_SHIFT) != 0;
}

}  // namespace

void Mouse(int button, int state, int x, int y) {
  // A Shift press never turns the view: it holds the ball under the pointer, or does nothing
  // (and says so in the overlay) when there is none, as when the ball moved away meanwhile.
  if (ShiftPress(button, state)) {
    close_look.pick_missed = !PickAndHold(x, y);
    glutPostRedisplay();
    return;
  }
  if (button == GLUT_LEFT_BUTTON && state == GLUT_DOWN && (glutGetModifiers() & GLUT_ACTIVE_CTRL) != 0 &&
      BeginAim(x, y)) {
    glutPostRedisplay();
    return;
  }
  if (button == GLUT_LEFT_BUTTON && state == GLUT_UP && aim_drag.active) {
    EndAim(x, y);
    glutPostRedisplay();
    return;
  }
  if (button == GLUT_LEFT_BUTTON && state == GLUT_UP && close_look.pull.active()) {
    close_look.pull.End();
    glutPostRedisplay();
  }
  PressOrRelease(mouse_orbit, button, state, x, y);
}

void Motion(int x, int y) {
  if (aim_drag.active) AimAt(x, y);
  if (close_look.pull.active()) {
    Vec3 target;
    if (PointAtHeight(RayUnderPointer(x, y), close_look.pull_height, target)) close_look.pull.MoveTarget(target);
  }
  Drag(mouse_orbit, x, y);
  UpdateEye();
  glutPostRedisplay();
}

void MouseWheel(int, int direction, int, int) {
  Zoom(mouse_orbit, direction > 0 ? 1 : -1);
  UpdateEye();
  glutPostRedisplay();
}

void GoHome() {
  RestoreStartView(mouse_orbit);
  UpdateEye();
  glutPostRedisplay();
}

int BodyUnderPointer(int x, int y) {
  const SightRay ray = RayUnderPointer(x, y);
  const PickHit hit = PickBody(bodies_system, ray.origin, ray.direction);
  return hit.hit ? static_cast<int>(hit.body) : -1;
}

void UpdateEye() {
  const Vec3 eye = OrbitEye(mouse_orbit.azimuth, mouse_orbit.polar, mouse_orbit.distance);
  camera.SetEye(eye.x, eye.y, eye.z);
}
