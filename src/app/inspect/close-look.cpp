#include "app/inspect/close-look.h"

#include <GL/freeglut.h>

#include "app/app-globals.h"
#include "collision-workspace.h"
#include "app/mouse-navigation.h"
#include "inspect/tree-view.h"

namespace {

void ToggleContactView() {
  close_look.contact_view = !close_look.contact_view;
  // Detached, the passes record nothing and pay nothing for it; what the record held then
  // describes an iteration long gone.
  if (!close_look.contact_view) close_look.record.Clear();
  bodies_system.Workspace().record = close_look.contact_view ? &close_look.record : nullptr;
}

// Off -> the root (depth 0) -> one level down at a time to the leaves -> off; over another ball,
// that ball's root.
void NextTreeDepth(int x, int y) { close_look.tree = NextTreeView(bodies_system, close_look.tree, BodyUnderPointer(x, y)); }

}  // namespace

bool HandleHistoryKey(int special_key, bool shift) {
  if (special_key != GLUT_KEY_LEFT && special_key != GLUT_KEY_RIGHT) return false;
  if (!started || !close_look.pacer.paused() || timeline.history().empty()) return false;
  const long step = shift ? 10 : 1;
  IterationStats stats;
  ContactRecord* record = close_look.contact_view ? &close_look.record : nullptr;
  timeline.history().Browse(special_key == GLUT_KEY_LEFT ? -step : step, scene, &stats, record);
  close_look.monitor.ShowIteration(stats);
  glutPostRedisplay();
  return true;
}

bool HandleCloseLookKey(unsigned char key, int x, int y) {
  switch (key) {
    case ' ':
      // Before Start too: the pause is then armed, and Start sets up the shot and waits for '.'
      // (or Space), so that the break can be watched from its first iteration.
      close_look.pacer.TogglePause();
      break;
    case '.': close_look.pacer.RequestSingleStep(); break;
    // Letters in either case, as 'w' and 'x' are.
    case 't':
    case 'T': close_look.pacer.CycleMode(); break;
    case 'h':
    case 'H': close_look.overlay = !close_look.overlay; break;
    // Folds or unfolds the overlay; the choice holds while it is hidden.
    case 'f':
    case 'F': close_look.overlay_folded = !close_look.overlay_folded; break;
    case 'c':
    case 'C': ToggleContactView(); break;
    case 'b':
    case 'B': NextTreeDepth(x, y); break;
    case 'p':
    case 'P': close_look.shot_wanted = true; break;
    default: return false;
  }
  glutPostRedisplay();
  return true;
}
