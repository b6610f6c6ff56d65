#include "app/mouse-navigation.h"

#include <GL/freeglut.h>

#include "app/app-globals.h"
#include "app/mouse-orbit.h"

void Mouse(int button, int state, int x, int y) {
  PressOrRelease(mouse_orbit, button, state, x, y);
}

void Motion(int x, int y) {
  Drag(mouse_orbit, x, y);
  UpdateEye();
  glutPostRedisplay();
}

void UpdateEye() {
  const Vec3 eye = OrbitEye(mouse_orbit.azimuth, mouse_orbit.polar);
  camera.SetEye(eye.x, eye.y, eye.z);
}
