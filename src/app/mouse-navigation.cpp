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

// Starts pulling the ball under the pointer, if there is one.
bool PickAndHold(int x, int y) {
  const SightRay ray = RayUnderPointer(x, y);
  const PickHit hit = PickBody(bodies_system, ray.origin, ray.direction);
  if (!hit.hit) return false;
  close_look.pull.Begin(bodies_system, hit.body, hit.point);
  close_look.pull_depth = DepthAlongView(camera, hit.point);
  return true;
}

}  // namespace

void Mouse(int button, int state, int x, int y) {
  if (button == GLUT_LEFT_BUTTON && state == GLUT_DOWN && (glutGetModifiers() & GLUT_ACTIVE_SHIFT) != 0 &&
      PickAndHold(x, y)) {
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
    close_look.pull.MoveTarget(PointAtDepth(camera, RayUnderPointer(x, y), close_look.pull_depth));
  }
  Drag(mouse_orbit, x, y);
  UpdateEye();
  glutPostRedisplay();
}

void UpdateEye() {
  const Vec3 eye = OrbitEye(mouse_orbit.azimuth, mouse_orbit.polar);
  camera.SetEye(eye.x, eye.y, eye.z);
}
