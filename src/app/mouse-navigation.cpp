#include "app/mouse-navigation.h"

#include <GL/freeglut.h>

#include "app/app-globals.h"
#include "app/mouse-orbit.h"
#include "app/inspect/pick-ray.h"
#include "inspect/body-pick.h"

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
  if (button == GLUT_LEFT_BUTTON && state == GLUT_UP && close_look.pull.active()) {
    close_look.pull.End();
    glutPostRedisplay();
  }
  PressOrRelease(mouse_orbit, button, state, x, y);
}

void Motion(int x, int y) {
  if (close_look.pull.active()) {
    Vec3 target;
    if (PointAtHeight(RayUnderPointer(x, y), close_look.pull_height, target)) close_look.pull.MoveTarget(target);
  }
  Drag(mouse_orbit, x, y);
  UpdateEye();
  glutPostRedisplay();
}

int BodyUnderPointer(int x, int y) {
  const SightRay ray = RayUnderPointer(x, y);
  const PickHit hit = PickBody(bodies_system, ray.origin, ray.direction);
  return hit.hit ? static_cast<int>(hit.body) : -1;
}

void UpdateEye() {
  const Vec3 eye = OrbitEye(mouse_orbit.azimuth, mouse_orbit.polar);
  camera.SetEye(eye.x, eye.y, eye.z);
}
