#include "app/control-panel.h"

#include <GL/gl.h>

#include "app/app-globals.h"

void Control(int id) {
  switch (id) {
    case kWireframeControl:
      glPolygonMode(GL_FRONT_AND_BACK, wireframe != 0 ? GL_LINE : GL_FILL);
      break;
    case kResetControl:
      started = false;
      break;
    case kStartControl:
      started = true;
      break;
    default:
      break;
  }
}
