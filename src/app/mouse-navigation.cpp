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

// Starts pulling the ball under the pointer, if there is one.
bool PickAndHold(int x, int y) {
  const SightRay ray = RayUnderPointer(x, y);
  const PickHit hit = PickBody(bodies_system, ray.origin, ray.direction);
  if (!hit.hit) return false;
  close_look.pull.Begin(bodies_system, hit.body, hit.point);
  close_look.pull_depth = DepthAlongView(camera, hit.point);
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

}  // namespace

void Mouse(int button, int state, int x, int y) {
  if (button == GLUT_LEFT_BUTTON && state == GLUT_DOWN) {
    const int modifiers = glutGetModifiers();
    if (((modifiers & GLUT_ACTIVE_SHIFT) != 0 && PickAndHold(x, y)) ||
        ((modifiers & GLUT_ACTIVE_CTRL) != 0 && BeginAim(x, y))) {
      glutPostRedisplay();
      return;
    }
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
    close_look.pull.MoveTarget(PointAtDepth(camera, RayUnderPointer(x, y), close_look.pull_depth));
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

void UpdateEye() {
  const Vec3 eye = OrbitEye(mouse_orbit.azimuth, mouse_orbit.polar, mouse_orbit.distance);
  camera.SetEye(eye.x, eye.y, eye.z);
}
