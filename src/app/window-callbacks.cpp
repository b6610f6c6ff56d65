#include "app/window-callbacks.h"

#include <GL/freeglut.h>

#include "app/app-globals.h"
#include "app/inspect/close-look.h"
#include "app/mouse-navigation.h"
#include "app/panel/panel-host.h"
#include "app/render-frame.h"
#include "app/scene-setup.h"
#include "base/assertion.h"

namespace {

// The program's two windows: the main window and the panel.
constexpr int kFirstWindow = 1;
constexpr int kLastWindow = 2;

WindowRecord& RecordOf(int window_id) {
  QUORVEL_ASSERT(window_id >= 0 && window_id < kWindowTableSize);
  return window_table[window_id];
}

// Runs action(record) with each window current whose first reshape has been recorded, ids 1
// and 2 in this order, then makes the window that was current before current again.
template <typename Action>
void ForEachRecordedWindow(Action action) {
  const int current = glutGetWindow();
  for (int id = kFirstWindow; id <= kLastWindow; ++id) {
    const WindowRecord& record = window_table[id];
    if (!record.initialised) continue;
    glutSetWindow(record.window_id);
    action(record);
  }
  glutSetWindow(current);
}

}  // namespace

void Display() {
  ForEachRecordedWindow([](const WindowRecord& record) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    record.camera->ApplyView();
    RenderFrame();
  });
}

void Reshape(int width, int height) {
  WindowRecord& record = RecordOf(glutGetWindow());
  if (!record.initialised) {
    record.initialised = true;
    record.width = width;
    record.height = height;
  }
  RestoreWindowGeometry();
  glViewport(0, 0, record.width, record.height);
  glutPostRedisplay();
}

void Idle() {
  RestoreWindowGeometry();
  glutSetWindow(main_window);
  glutPostRedisplay();
}

void RestoreWindowGeometry() {
  ForEachRecordedWindow([](const WindowRecord& record) {
    glutPositionWindow(record.pos_x, record.pos_y);
    glutReshapeWindow(record.width, record.height);
  });
}

void Keyboard(unsigned char key, int x, int y) {
  switch (key) {
    case 'w':
    case 'W':
      if (wireframe == 0) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        wireframe = 1;
      } else {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        wireframe = 0;
      }
      SyncLiveVariables();  // the "Wireframe" checkbox shows the new value
      glutPostRedisplay();
      break;
    case 'x':
    case 'X':
      ExitProgram(0);
    case '\r':  // Enter
      {
        // Through the timeline, which writes it into a session being recorded.
        SessionAction enter;
        enter.kind = ActionKind::Enter;
        timeline.Perform(enter);
      }
      glutPostRedisplay();
      break;
    case '[':
      ShowScene(PreviousScene(experiment.kind));
      glutPostRedisplay();
      break;
    case ']':
      ShowScene(NextScene(experiment.kind));
      glutPostRedisplay();
      break;
    default:
      HandleCloseLookKey(key, x, y);
      break;
  }
}

void SpecialKey(int key, int, int) {
  if (key == GLUT_KEY_HOME) {
    GoHome();
    return;
  }
  HandleHistoryKey(key, (glutGetModifiers() & GLUT_ACTIVE_SHIFT) != 0);
}
