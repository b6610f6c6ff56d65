#include "app/control-panel.h"

#include <GL/gl.h>

#include "app/app-globals.h"

void Control(int id) {
  switch (id) {
    case kWireframeControl:
      glPolygonMode(GL_FRONT_AND_BACK, wireframe != 0 ? GL_LINE : GL_FILL);
      break;
    case kSimMethodControl:
      // Takes effect at the next step; nothing is reset.
      if (sim_method == 0) {
        bodies_system.SetEuler();
      } else {
        bodies_system.SetRK4();
      }
      break;
    case kResetControl:
      ResetScene(scene);
      started = false;
      close_look.monitor.ForgetLastIteration();
      break;
    case kStartControl:
      StartScene(scene, started);
      started = true;
      break;
    default:
      break;
  }
}
