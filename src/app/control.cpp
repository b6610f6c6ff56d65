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
    // Reset and Start go through the timeline, which writes them into a session being recorded.
    case kResetControl: {
      SessionAction reset;
      reset.kind = ActionKind::Reset;
      timeline.Perform(reset);
      close_look.monitor.ForgetLastIteration();  // its costs describe the old run
      break;
    }
    case kStartControl: {
      SessionAction start;
      start.kind = ActionKind::Start;
      timeline.Perform(start);
      break;
    }
    default:
      break;
  }
}
